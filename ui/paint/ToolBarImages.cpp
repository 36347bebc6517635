#include "ui/paint/ToolBarImages.h"

#include <array>

#include <QPainter>

#include "ui/paint/DrawnIcon.h"

namespace {

void PaintNew(QPainter& p) {
    DrawIconShape(p, IconPolygon({{3, 1}, {10, 1}, {13, 4}, {13, 15}, {3, 15}}), Qt::white);
    DrawIconShape(p, IconPolygon({{10, 1}, {10, 4}, {13, 4}}), QColor(220, 220, 220));
}

void PaintOpen(QPainter& p) {
    DrawIconShape(p, IconPolygon({{1, 3}, {6, 3}, {7, 5}, {14, 5}, {14, 13}, {1, 13}}),
                  QColor(200, 150, 40));
    DrawIconShape(p, IconPolygon({{3.5, 7}, {15.5, 7}, {13, 13}, {1, 13}}), QColor(240, 200, 90));
}

void PaintSave(QPainter& p) {
    DrawIconShape(p, IconPolygon({{2, 2}, {14, 2}, {14, 14}, {2, 14}}), QColor(50, 90, 170));
    DrawIconShape(p, IconPolygon({{4.5, 2}, {11.5, 2}, {11.5, 7}, {4.5, 7}}), Qt::white);
    DrawIconShape(p, IconPolygon({{5, 10}, {11, 10}, {11, 14}, {5, 14}}), QColor(190, 190, 190));
}

// A serial connector with its port number.
void PaintCom(QPainter& p, int number) {
    DrawIconShape(p, IconPolygon({{1, 3}, {15, 3}, {13, 13}, {3, 13}}), QColor(190, 200, 215));
    QFont font = p.font();
    font.setPixelSize(9);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(20, 40, 110));
    p.drawText(QRectF(3, 3, 10, 10), Qt::AlignCenter, QString::number(number));
}

void PaintCom1(QPainter& p) {
    PaintCom(p, 1);
}
void PaintCom2(QPainter& p) {
    PaintCom(p, 2);
}
void PaintCom3(QPainter& p) {
    PaintCom(p, 3);
}
void PaintCom4(QPainter& p) {
    PaintCom(p, 4);
}

void Arrow(QPainter& p, bool outward, const QColor& colour) {
    const double tip = outward ? 15.5 : 9.5;
    const double back = outward ? 9.5 : 15.5;
    const double head = outward ? tip - 3.5 : tip + 3.5;
    DrawIconShape(
        p,
        IconPolygon(
            {{back, 7}, {head, 7}, {head, 4.5}, {tip, 8.5}, {head, 12.5}, {head, 10}, {back, 10}}),
        colour);
}

void PaintCloneRead(QPainter& p) {
    DrawRadioPicture(p);
    Arrow(p, true, QColor(40, 150, 50));
}

void PaintCloneWrite(QPainter& p) {
    DrawRadioPicture(p);
    Arrow(p, false, QColor(210, 80, 30));
}

void PaintCloneInfo(QPainter& p) {
    DrawRadioPicture(p);
    p.setPen(QPen(kIconOutline, 0.8));
    p.setBrush(QColor(40, 100, 200));
    p.drawEllipse(QPointF(12.3, 9.5), 3.4, 3.4);
    QFont font = p.font();
    font.setPixelSize(6);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(9, 6, 6.6, 7), Qt::AlignCenter, QStringLiteral("i"));
}

void PaintPen(QPainter& p) {
    DrawIconShape(p, IconPolygon({{11, 1.5}, {14.5, 5}, {6, 13.5}, {2.5, 10}}),
                  QColor(240, 190, 40));
    DrawIconShape(p, IconPolygon({{2.5, 10}, {6, 13.5}, {1.5, 14.5}}), QColor(240, 215, 170));
    DrawIconShape(p, IconPolygon({{11, 1.5}, {14.5, 5}, {13.3, 6.2}, {9.8, 2.7}}),
                  QColor(230, 120, 140));
}

void PaintFill(QPainter& p) {
    DrawIconShape(p, IconPolygon({{2, 8}, {8, 2}, {14, 8}, {8, 14}}), QColor(200, 200, 205));
    DrawIconShape(p, IconPolygon({{2, 8}, {14, 8}, {8, 14}}), QColor(40, 100, 200));
    p.setBrush(QColor(40, 100, 200));
    p.drawEllipse(QPointF(14, 12.5), 1.3, 2);
}

void PaintSlider(QPainter& p) {
    p.setPen(QPen(kIconOutline, 0.8));
    for (int x = 2; x <= 14; x += 3) {
        p.drawLine(QPointF(x, 13), QPointF(x, 15));
    }
    DrawIconShape(p, IconPolygon({{1.5, 7}, {14.5, 7}, {14.5, 9}, {1.5, 9}}),
                  QColor(150, 150, 150));
    DrawIconShape(p, IconPolygon({{7, 3}, {10, 3}, {10, 11}, {8.5, 12.5}, {7, 11}}),
                  QColor(90, 130, 200));
}

constexpr std::array<IconRow, TBI_Count> kImages = {{
    {"document-new", PaintNew},
    {"document-open", PaintOpen},
    {"document-save", PaintSave},
    {nullptr, PaintCom1},
    {nullptr, PaintCom2},
    {nullptr, PaintCom3},
    {nullptr, PaintCom4},
    {nullptr, PaintCloneRead},
    {nullptr, PaintCloneWrite},
    {nullptr, PaintCloneInfo},
    {nullptr, PaintPen},
    {nullptr, PaintFill},
    {nullptr, PaintSlider},
}};

}  // namespace

cuiImageList ToolBarImages() {
    return IconList(kImages);
}
