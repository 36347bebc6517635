#include "ui/paint/TreeImages.h"

#include <array>

#include <QPainter>

#include "ui/paint/DrawnIcon.h"

namespace {

// The radio of the tool-bar pictures, widened to fill the grid.
void PaintRadio(QPainter& p) {
    p.translate(1, 0);
    p.scale(1.4, 1);
    DrawRadioPicture(p);
}

void PaintFolder(QPainter& p) {
    DrawIconShape(p, IconPolygon({{1, 3}, {6, 3}, {7.5, 5}, {15, 5}, {15, 14}, {1, 14}}),
                  QColor(200, 150, 40));
    DrawIconShape(p, IconPolygon({{1, 6.5}, {15, 6.5}, {15, 14}, {1, 14}}), QColor(240, 200, 90));
}

// A page of settings: captions on the left, values in boxes on the right.
void PaintSheet(QPainter& p) {
    DrawIconShape(p, IconPolygon({{2.5, 1}, {13.5, 1}, {13.5, 15}, {2.5, 15}}), Qt::white);
    for (int row = 0; row < 4; ++row) {
        const double y = 3.5 + 3 * row;
        p.setPen(QPen(QColor(120, 120, 120), 1));
        p.drawLine(QPointF(4, y), QPointF(7.5, y));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 110, 190));
        p.drawRect(QRectF(9, y - 1, 3, 2));
    }
}

// A table of entries: a header row and ruled lines.
void PaintTable(QPainter& p) {
    DrawIconShape(p, IconPolygon({{1.5, 2}, {14.5, 2}, {14.5, 14}, {1.5, 14}}), Qt::white);
    DrawIconShape(p, IconPolygon({{1.5, 2}, {14.5, 2}, {14.5, 5}, {1.5, 5}}),
                  QColor(120, 150, 200));
    p.setPen(QPen(QColor(150, 150, 150), 0.7));
    for (double y : {8.0, 11.0}) {
        p.drawLine(QPointF(1.5, y), QPointF(14.5, y));
    }
    p.drawLine(QPointF(6, 5), QPointF(6, 14));
}

// A bank of memory channels: a drawer, pale while empty, filled with channel rows when it
// holds channels; trunking banks are amber instead of blue.
void PaintBank(QPainter& p, bool trunking, bool used) {
    const QColor full = trunking ? QColor(225, 135, 20) : QColor(55, 105, 180);
    const QColor empty = trunking ? QColor(250, 225, 185) : QColor(215, 228, 245);
    DrawIconShape(p, IconPolygon({{1.5, 2.5}, {14.5, 2.5}, {14.5, 13.5}, {1.5, 13.5}}),
                  used ? full : empty);
    p.setPen(used ? QPen(Qt::white, 1.2) : QPen(full, 0.8, Qt::DotLine));
    for (double y : {5.5, 8.0, 10.5}) {
        p.drawLine(QPointF(4, y), QPointF(12, y));
    }
}

void PaintBankEmpty(QPainter& p) {
    PaintBank(p, false, false);
}
void PaintBankUsed(QPainter& p) {
    PaintBank(p, false, true);
}
void PaintTrunkBankEmpty(QPainter& p) {
    PaintBank(p, true, false);
}
void PaintTrunkBankUsed(QPainter& p) {
    PaintBank(p, true, true);
}

void PaintWarning(QPainter& p) {
    p.setPen(QPen(QColor(120, 90, 0), 0.9));
    p.setBrush(QColor(250, 200, 20));
    p.drawPolygon(IconPolygon({{8, 1}, {15.3, 14.5}, {0.7, 14.5}}));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPolygon(IconPolygon({{7, 5}, {9, 5}, {8.6, 10.3}, {7.4, 10.3}}));
    p.drawEllipse(QPointF(8, 12.3), 1.05, 1.05);
}

void PaintError(QPainter& p) {
    p.setPen(QPen(QColor(110, 0, 0), 0.9));
    p.setBrush(QColor(215, 30, 30));
    p.drawEllipse(QPointF(8, 8), 7, 7);
    p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(5, 5), QPointF(11, 11));
    p.drawLine(QPointF(11, 5), QPointF(5, 11));
}

constexpr std::array<IconRow, TRI_Count> kImages = {{
    {nullptr, PaintRadio},
    {"folder", PaintFolder},
    {nullptr, PaintSheet},
    {nullptr, PaintTable},
    {nullptr, PaintBankEmpty},
    {nullptr, PaintBankUsed},
    {nullptr, PaintTrunkBankEmpty},
    {nullptr, PaintTrunkBankUsed},
    {nullptr, PaintWarning},
    {nullptr, PaintError},
}};

}  // namespace

cuiImageList TreeImages() {
    return IconList(kImages);
}
