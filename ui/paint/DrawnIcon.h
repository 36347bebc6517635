#pragma once

#include <initializer_list>
#include <span>

#include <QColor>
#include <QIcon>
#include <QPointF>
#include <QPolygonF>

#include "ui/paint/cuiImageList.h"

class QPainter;

// Pictures that the program draws itself, on a 16 x 16 grid: the painter is scaled to each
// size the icon is asked for (drawn then, once), so one drawing serves every size.
using IconPainter = void (*)(QPainter&);

// One picture of a list: the desktop theme's icon of that name where the desktop has one
// (none: no standard icon fits), else the drawing.
struct IconRow {
    const char* themeName;
    IconPainter paint;
};

cuiImageList IconList(std::span<const IconRow> rows);

// The pictures' outline colour.
inline const QColor kIconOutline(64, 64, 64);

QPolygonF IconPolygon(std::initializer_list<QPointF> points);
// A filled polygon with the pictures' dark outline.
void DrawIconShape(QPainter& p, const QPolygonF& polygon, const QColor& fill);
// A hand-held radio in the left half of the grid (x 1.5 .. 8.5).
void DrawRadioPicture(QPainter& p);
