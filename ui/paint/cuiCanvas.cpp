#include "ui/paint/cuiCanvas.h"

#include <QFontMetrics>
#include <QPolygon>
#include <cmath>

#include "ui/paint/ColourMapping.h"
#include "ui/paint/FontMapping.h"
#include "ui/paint/cuiShapeCache.h"

namespace {

// A printer measures and lays texts out at its own resolution: it takes no cached layout.
bool OnScreen(const QPainter& painter) {
    const QPaintDevice* device = painter.device();
    return device && device->devType() != QInternal::Printer &&
           device->devType() != QInternal::Picture;
}

}  // namespace

cuiCanvas::cuiCanvas(QPainter& painter, const QPalette& palette)
    : painter_(painter), palette_(palette) {
    SetFont(font_);
}

void cuiCanvas::SetFont(const cmcFont& font) {
    font_ = font;
    if (OnScreen(painter_)) {
        cached_ = &cuiTextCache::Shared().Get(font_);
        painter_.setFont(cached_->Get());
    } else {
        painter_.setFont(ToQFont(font_));
    }
}

void cuiCanvas::FillRect(const WindowRect& rect, uint32_t colour) {
    painter_.fillRect(rect.left, rect.top, rect.width, rect.height, ToQColor(colour, palette_));
}

// Glyphs are drawn as many small triangles: the pen and brush are set only when they differ.
void cuiCanvas::UseColour(uint32_t colour) {
    const QColor qcolour = ToQColor(colour, palette_);
    const QPen& pen = painter_.pen();
    if (pen.style() != Qt::SolidLine || pen.color() != qcolour || pen.widthF() > 1) {
        painter_.setPen(qcolour);
    }
    const QBrush& brush = painter_.brush();
    if (brush.style() != Qt::SolidPattern || brush.color() != qcolour) {
        painter_.setBrush(qcolour);
    }
}

void cuiCanvas::FillPolygon(const std::vector<CanvasPoint>& points, uint32_t colour) {
    QPolygon polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (const CanvasPoint& point : points) {
        polygon.append(QPoint(point.x, point.y));
    }
    UseColour(colour);
    painter_.drawPolygon(polygon);
}

// A copied picture has the drawing's pixels where the painter moves by whole pixels only, does
// not smooth edges and lays opaque colour over the cell as it is.
bool cuiCanvas::CopiesShapes(const QColor& colour) const {
    const QTransform& moved = painter_.transform();
    return OnScreen(painter_) && colour.alpha() == 255 &&
           !painter_.testRenderHint(QPainter::Antialiasing) && painter_.opacity() == 1.0 &&
           painter_.compositionMode() == QPainter::CompositionMode_SourceOver &&
           moved.type() <= QTransform::TxTranslate && moved.dx() == std::round(moved.dx()) &&
           moved.dy() == std::round(moved.dy());
}

void cuiCanvas::FillShape(CanvasPoint origin, std::span<const CanvasPoint> corners,
                          uint32_t colour) {
    if (corners.size() < 3) {
        return;  // a blank character
    }
    const QColor qcolour = ToQColor(colour, palette_);
    if (!CopiesShapes(qcolour)) {
        UseColour(colour);
        cuiShapeCache::Draw(painter_, corners, QPoint(origin.x, origin.y));
        return;
    }
    const cuiShapeCache::Shape& shape = cuiShapeCache::Shared().Get(corners, qcolour);
    painter_.drawImage(QPoint(origin.x, origin.y) + shape.offset, shape.picture);
}

void cuiCanvas::TextOut(int x, int y, std::string_view text) {
    painter_.setPen(ToQColor(font_.colour, palette_));
    if (cached_) {
        painter_.drawStaticText(x, y, cached_->Lay(text).layout);
        return;
    }
    const QFontMetrics metrics(painter_.font());
    painter_.drawText(x, y + metrics.ascent(), QString::fromUtf8(text.data(), text.size()));
}

int cuiCanvas::TextWidth(std::string_view line) const {
    if (cached_) {
        return cached_->Lay(line).width;
    }
    return QFontMetrics(painter_.font())
        .horizontalAdvance(QString::fromUtf8(line.data(), line.size()));
}

int cuiCanvas::TextHeight(std::string_view) const {
    return cached_ ? cached_->Height() : QFontMetrics(painter_.font()).height();
}
