#include "loader/ui/LoaderIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace {

// Drawn on a 32-unit square, scaled to each size a tool bar or window may ask for.
QIcon DrawnIcon(const std::function<void(QPainter&)>& draw) {
    QIcon icon;
    for (int size : {16, 24, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 32.0, size / 32.0);
        draw(painter);
        icon.addPixmap(pixmap);
    }
    return icon;
}

void DrawFolder(QPainter& painter) {
    const QColor edge(0x8a, 0x5a, 0x00);
    painter.setPen(QPen(edge, 1.5));
    painter.setBrush(QColor(0xe8, 0xb0, 0x30));
    QPainterPath back;
    back.moveTo(3, 8);
    back.lineTo(12, 8);
    back.lineTo(15, 11);
    back.lineTo(28, 11);
    back.lineTo(28, 26);
    back.lineTo(3, 26);
    back.closeSubpath();
    painter.drawPath(back);
    painter.setBrush(QColor(0xf8, 0xd0, 0x60));
    painter.drawPolygon(QPolygonF({{3, 26}, {7, 15}, {31, 15}, {28, 26}}));
}

// A D-shaped serial connector shell with two rows of pins above the port number.
void DrawComPort(QPainter& painter, int n) {
    painter.setPen(QPen(QColor(0x30, 0x40, 0x50), 1.5));
    painter.setBrush(QColor(0x70, 0x90, 0xb0));
    painter.drawPolygon(QPolygonF({{3, 3}, {29, 3}, {25, 15}, {7, 15}}));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xf0, 0xf0, 0xf0));
    for (int pin = 0; pin < 5; ++pin) {
        painter.drawEllipse(QPointF(8 + pin * 4, 6.5), 1.3, 1.3);
    }
    for (int pin = 0; pin < 4; ++pin) {
        painter.drawEllipse(QPointF(10 + pin * 4, 11), 1.3, 1.3);
    }
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(15);
    painter.setFont(font);
    painter.setPen(QColor(0x10, 0x20, 0x60));
    painter.drawText(QRectF(0, 16, 32, 16), Qt::AlignCenter, QString::number(n));
}

void DrawChipWithArrow(QPainter& painter) {
    painter.setPen(QPen(QColor(0x20, 0x20, 0x20), 1.5));
    for (int leg = 0; leg < 4; ++leg) {
        const double x = 9 + leg * 4.7;
        painter.drawLine(QPointF(x, 14), QPointF(x, 30));
    }
    painter.setBrush(QColor(0x30, 0x30, 0x38));
    painter.drawRoundedRect(QRectF(5, 16, 22, 12), 2, 2);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x20, 0xa0, 0x40));
    painter.drawPolygon(QPolygonF({{12, 1}, {20, 1}, {20, 7}, {25, 7}, {16, 15}, {7, 7}, {12, 7}}));
}

}  // namespace

QIcon FileOpenIcon() {
    return QIcon::fromTheme("document-open", DrawnIcon(DrawFolder));
}

QIcon ComPortIcon(int n) {
    return DrawnIcon([n](QPainter& painter) { DrawComPort(painter, n); });
}

QIcon LoaderWindowIcon() {
    return DrawnIcon(DrawChipWithArrow);
}
