#include "ui/paint/DrawnIcon.h"

#include <QPainter>
#include <QPixmap>

#include "ui/paint/cuiDrawnIconEngine.h"
#include "ui/paint/cuiDrawnPictures.h"

// The fallback theme "hicolor" holds programs' own icons, none of the standard ones, so when the
// desktop names no theme of its own the pictures are drawn without searching it (reading its
// index costs a start-up a good part of Qt's own).
bool DesktopHasIconTheme() {
    const QString theme = QIcon::themeName();
    return !theme.isEmpty() && theme != QLatin1String("hicolor");
}

cuiImageList IconList(std::span<const IconRow> rows) {
    cuiImageList list;
    std::vector<IconPainter> painters;
    for (const IconRow& row : rows) {
        painters.push_back(row.paint);
    }
    const auto ahead = std::make_shared<cuiDrawnPictures>(std::move(painters), list.Size().width());
    const bool themed = DesktopHasIconTheme();
    for (size_t i = 0; i < rows.size(); ++i) {
        const QIcon drawn(new cuiDrawnIconEngine(rows[i].paint, ahead, static_cast<int>(i)));
        list.Add(themed && rows[i].themeName
                     ? QIcon::fromTheme(QLatin1String(rows[i].themeName), drawn)
                     : drawn);
    }
    return list;
}

QPolygonF IconPolygon(std::initializer_list<QPointF> points) {
    return QPolygonF(points);
}

void DrawIconShape(QPainter& p, const QPolygonF& polygon, const QColor& fill) {
    p.setPen(QPen(kIconOutline, 0.8));
    p.setBrush(fill);
    p.drawPolygon(polygon);
}

void DrawRadioPicture(QPainter& p) {
    p.setPen(QPen(kIconOutline, 1.2));
    p.drawLine(QPointF(3, 1), QPointF(3, 5));
    DrawIconShape(p, IconPolygon({{1.5, 5}, {8.5, 5}, {8.5, 15}, {1.5, 15}}), QColor(80, 88, 96));
    DrawIconShape(p, IconPolygon({{2.8, 6.3}, {7.2, 6.3}, {7.2, 8.8}, {2.8, 8.8}}),
                  QColor(150, 215, 150));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(170, 170, 170));
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 3; ++col) {
            p.drawEllipse(QPointF(3 + 2 * col, 11 + 2 * row), 0.6, 0.6);
        }
    }
}
