#include "ui/cuiCanvas.h"

#include <QFontMetrics>
#include <QPolygon>

#include "ui/ColourMapping.h"
#include "ui/FontMapping.h"

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
void cuiCanvas::FillPolygon(const std::vector<CanvasPoint>& points, uint32_t colour) {
    QPolygon polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (const CanvasPoint& point : points) {
        polygon.append(QPoint(point.x, point.y));
    }
    const QColor qcolour = ToQColor(colour, palette_);
    const QPen& pen = painter_.pen();
    if (pen.style() != Qt::SolidLine || pen.color() != qcolour || pen.widthF() > 1) {
        painter_.setPen(qcolour);
    }
    const QBrush& brush = painter_.brush();
    if (brush.style() != Qt::SolidPattern || brush.color() != qcolour) {
        painter_.setBrush(qcolour);
    }
    painter_.drawPolygon(polygon);
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
