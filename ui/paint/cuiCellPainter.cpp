#include "ui/paint/cuiCellPainter.h"

#include <QPen>
#include <QPolygon>
#include <algorithm>
#include <string_view>
#include <vector>

#include "radio/cells/cmcCellObj.h"
#include "ui/paint/cuiCanvas.h"
#include "ui/paint/cuiImageList.h"

namespace {

constexpr uint32_t kClHighlight = 0x8000000D;
constexpr uint32_t kClHighlightText = 0x8000000E;
constexpr uint32_t kClBtnFace = 0x8000000F;
constexpr uint32_t kClGrayText = 0x80000011;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kPrintDark = 0x606060;
constexpr uint32_t kBarGrey = 0x808080;
constexpr uint32_t kSilver = 0xC0C0C0;
constexpr int kWarningIcon = 8;
constexpr int kErrorIcon = 9;

bool IsWhite(uint32_t colour) {
    return colour == kColourClWindow || colour == kWhite;
}

std::vector<CanvasPoint> Offset(std::vector<CanvasPoint> points, int x, int y) {
    for (CanvasPoint& point : points) {
        point.x += x;
        point.y += y;
    }
    return points;
}

// The printed marks, as polygons of a mark of size e at (x, y).
void PrintErrorMark(cmcCanvas& canvas, int x, int y, int e) {
    const int f = e / 8;
    const int g = e / 2;
    const int k = e - 1;
    canvas.FillPolygon(Offset({{f, 0},
                               {g, g - f},
                               {k - f, 0},
                               {k, f},
                               {g + f, g},
                               {k, k - f},
                               {k - f, k},
                               {g, g + f},
                               {f, k},
                               {0, k - f},
                               {g - f, g},
                               {0, f}},
                              x, y),
                       kBlack);
}

void PrintWarningMark(QPainter& painter, cmcCanvas& canvas, int x, int y, int e) {
    const int f = e / 8;
    const int g = e / 2;
    const int k = e - 1;
    const std::vector<CanvasPoint> triangle = Offset({{g, 0}, {k, k}, {0, k}}, x, y);
    canvas.FillPolygon(triangle, kWhite);
    QPolygon outline;
    for (const CanvasPoint& point : triangle) {
        outline << QPoint(point.x, point.y);
    }
    painter.setPen(QPen(Qt::black, e / 16 + 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolygon(outline);
    canvas.FillPolygon(
        Offset({{g - f, e / 3}, {g + f, e / 3}, {g + e / 10, 2 * e / 3}, {g - e / 10, 2 * e / 3}},
               x, y),
        kBlack);
    const int dot = 3 * e / 4;
    canvas.FillPolygon(Offset({{g - e / 10, dot},
                               {g + e / 10, dot},
                               {g + e / 10, dot + e / 6},
                               {g - e / 10, dot + e / 6}},
                              x, y),
                       kBlack);
}

}  // namespace

cuiCellPainter::cuiCellPainter(const cuiImageList* images, cmcCellCapsule* parent,
                               const cmcCellObj& tmpl)
    : images_(images), parent_(parent), template_(tmpl) {}

void cuiCellPainter::SetPrinting(bool printing, int scale) {
    printing_ = printing;
    scale_ = scale;
}

void cuiCellPainter::Paint(QPainter& painter, const QPalette& palette, const Target& target,
                           const Handler& handler) {
    cmcCellObj& cell = target.cell;
    const QRect& rect = target.rect;
    const Edges edges{rect.left(), rect.top(), rect.left() + rect.width(),
                      rect.top() + rect.height()};
    cuiCanvas canvas(painter, palette);
    const uint32_t brush = PaintBackground(canvas, cell, edges, target.highlight);
    cmcFont font = cell.font ? *cell.font : template_.font.value_or(cmcFont());
    if (brush == kClHighlight) {
        font.colour = kClHighlightText;
    }
    canvas.SetFont(font);

    // A cell with an item shows what its handler renders, else its caption.
    std::string text;
    capsule_.Clear();
    if (cell.item == kItemNone) {
        text = cell.GetCaption();
    } else {
        rect_ = {edges.left, edges.top, edges.right - edges.left, edges.bottom - edges.top};
        capsule_.parent = parent_;
        capsule_.cell = &cell;
        capsule_.canvas = &canvas;
        capsule_.rect = &rect_;
        capsule_.marks =
            static_cast<uint8_t>((target.highlight != Highlight::None ? kMarkCurrent : 0) |
                                 (printing_ ? kMarkPrinting : 0));
        handler(capsule_, 0);
        text = capsule_.outText;
    }
    SetTextColour(canvas, cell, brush);
    // A centred value keeps clear of the room of its mark after it.
    const bool centred = (cell.layoutBits & kLayoutHorzMask) == 1;
    const int textRight =
        HasMark() && centred ? edges.right - MarkSize(canvas, edges) - 4 * scale_ : edges.right;
    const int penX =
        DrawText(canvas, cell, text, {target.textLeft, edges.top, textRight, edges.bottom});
    DrawColumnRule(canvas, target, edges);
    DrawMarks(painter, canvas, cell, penX, edges);
    capsule_.marks &= static_cast<uint8_t>(~(kMarkWarning | kMarkError));
}

// Fills the rectangle (white is left unpainted) and draws the bottom line; returns the brush.
uint32_t cuiCellPainter::PaintBackground(cuiCanvas& canvas, const cmcCellObj& cell,
                                         const Edges& edges, Highlight highlight) const {
    uint32_t brush = cell.colour;
    if (printing_) {
        brush = IsWhite(cell.colour) ? kWhite : kPrintDark;
    } else if (highlight == Highlight::Focused) {
        brush = kClHighlight;
    } else if (highlight == Highlight::Unfocused) {
        brush = kClBtnFace;
    }
    const int width = edges.right - edges.left;
    if (brush != kWhite) {
        canvas.FillRect({edges.left, edges.top, width, edges.bottom - edges.top}, brush);
    }
    if (cell.layoutBits & kLayoutBottomLine) {
        canvas.FillRect({edges.left, edges.bottom - 1, width, 1}, LineColour(cell));
    }
    return brush;
}

// After the text, so that a text too long for its column stops at the rule. Grey on screen also
// beside a heading, where the white of its bottom line would not show; on paper as the bottom
// line.
void cuiCellPainter::DrawColumnRule(cuiCanvas& canvas, const Target& target,
                                    const Edges& edges) const {
    if (target.endsColumn && (target.cell.layoutBits & kLayoutBottomLine)) {
        canvas.FillRect({edges.right - 1, edges.top, 1, edges.bottom - edges.top},
                        printing_ ? LineColour(target.cell) : kBarGrey);
    }
}

uint32_t cuiCellPainter::LineColour(const cmcCellObj& cell) const {
    return IsWhite(cell.colour) ? (printing_ ? kBlack : kBarGrey) : kWhite;
}

// Black or white on paper; on the button face, texts that would not show turn window-coloured.
void cuiCellPainter::SetTextColour(cuiCanvas& canvas, const cmcCellObj& cell,
                                   uint32_t brush) const {
    if (printing_) {
        canvas.SetTextColour(IsWhite(cell.colour) ? kBlack : kWhite);
    } else if (brush == kClBtnFace) {
        const uint32_t colour = canvas.GetTextColour();
        if (colour == kClBtnFace || colour == kSilver || colour == kClGrayText) {
            canvas.SetTextColour(kColourClWindow);
        }
    }
}

// Lines split at "\n", placed by the cell's alignment; returns the pen position after the text.
// A line end that ends the text closes its last line and starts none (a bit field's value ends
// so): an empty line after it would lift the value by half a line, out of its cell.
int cuiCellPainter::DrawText(cuiCanvas& canvas, const cmcCellObj& cell, const std::string& text,
                             const Edges& edges) const {
    std::vector<std::string_view> lines;
    int height = 0;
    for (size_t start = 0; start < text.size();) {
        const size_t end = text.find('\n', start);
        lines.push_back(std::string_view(text).substr(start, end - start));
        height += canvas.TextHeight(lines.back());
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    const auto [left, top, right, bottom] = edges;
    const int vertical = (cell.layoutBits & kLayoutVertMask) >> 2;
    const int horizontal = cell.layoutBits & kLayoutHorzMask;
    int y = vertical == 0   ? top + scale_
            : vertical == 1 ? top + (bottom + 1 - top - height) / 2
                            : bottom - height - scale_;
    int penX = left + 4 * scale_;
    for (std::string_view line : lines) {
        const int width = canvas.TextWidth(line);
        const int x = horizontal == 0   ? left + 4 * scale_
                      : horizontal == 1 ? left + (right + 1 - left - width) / 2
                                        : right - width - 4 * scale_ + 1;
        canvas.TextOut(x, y, line);
        penX = x + width;
        y += canvas.TextHeight(line);
    }
    return penX;
}

// The error or warning mark the handler reported: the tree's icons on screen, polygons on paper.
// A right-aligned value has its mark at the left of the cell, any other after its text; the
// column's mark room keeps both clear of the text.
void cuiCellPainter::DrawMarks(QPainter& painter, cuiCanvas& canvas, const cmcCellObj& cell,
                               int penX, const Edges& edges) const {
    if (!images_ || !HasMark()) {
        return;
    }
    const bool error = capsule_.marks & kMarkError;
    const int e = MarkSize(canvas, edges);
    const int f = std::max(1, 2 * scale_);
    const bool rightAligned = (cell.layoutBits & kLayoutHorzMask) == 2;
    const int x = rightAligned ? edges.left + f : std::min(penX + f, edges.right - e - f);
    const int markTop = edges.top + (edges.bottom - edges.top - e) / 2;
    if (printing_) {
        if (error) {
            PrintErrorMark(canvas, x, markTop, e);
        } else {
            PrintWarningMark(painter, canvas, x, markTop, e);
        }
        return;
    }
    images_->Icon(error ? kErrorIcon : kWarningIcon).paint(&painter, QRect(x, markTop, e, e));
}

bool cuiCellPainter::HasMark() const {
    return (capsule_.marks & (kMarkWarning | kMarkError)) != 0;
}

int cuiCellPainter::MarkSize(cuiCanvas& canvas, const Edges& edges) const {
    const int line = printing_ ? canvas.TextHeight("M") / 2 : canvas.TextHeight("M");
    return std::max(1, std::min(line, edges.bottom - edges.top - 2 * scale_));
}

int cuiCellPainter::MarkRoom(int lineHeight, bool printing, int scale) {
    return (printing ? lineHeight / 2 : lineHeight) + 4 * scale;
}
