#include "ui/cuiCanvas.h"

#include <QFontMetrics>
#include <QPolygon>

#include "ui/ColourMapping.h"
#include "ui/FontMapping.h"

cuiCanvas::cuiCanvas(QPainter& painter, const QPalette& palette)
    : painter_(painter), palette_(palette) {
    painter_.setFont(ToQFont(font_));
}

void cuiCanvas::SetFont(const cmcFont& font) {
    font_ = font;
    painter_.setFont(ToQFont(font_));
}

void cuiCanvas::FillRect(const WindowRect& rect, uint32_t colour) {
    painter_.fillRect(rect.left, rect.top, rect.width, rect.height, ToQColor(colour, palette_));
}

void cuiCanvas::FillPolygon(const std::vector<CanvasPoint>& points, uint32_t colour) {
    QPolygon polygon;
    for (const CanvasPoint& point : points) {
        polygon << QPoint(point.x, point.y);
    }
    const QColor qcolour = ToQColor(colour, palette_);
    painter_.setPen(qcolour);
    painter_.setBrush(qcolour);
    painter_.drawPolygon(polygon);
}

void cuiCanvas::TextOut(int x, int y, std::string_view text) {
    painter_.setPen(ToQColor(font_.colour, palette_));
    const QFontMetrics metrics(painter_.font());
    painter_.drawText(x, y + metrics.ascent(), QString::fromUtf8(text.data(), text.size()));
}

int cuiCanvas::TextWidth(std::string_view line) const {
    return QFontMetrics(painter_.font())
        .horizontalAdvance(QString::fromUtf8(line.data(), line.size()));
}

int cuiCanvas::TextHeight(std::string_view) const {
    return QFontMetrics(painter_.font()).height();
}
