#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <span>
#include <string>
#include <unordered_map>

#include "common/cmcCanvas.h"

class QPainter;

// Shapes of filled triangles that cells draw again and again: a sheet of channel names shows
// the same few segment-glyph characters, in the same colour and size, in every row, and each
// character is some forty triangles. Kept here, each distinct shape is drawn once into a
// picture that is then copied into place. Screen painting only (the pixels are the same where
// the painter only moves by whole pixels and does not smooth edges); the program's one cache
// lives as long as the program.
class cuiShapeCache {
public:
    struct Shape {
        QImage picture;
        QPoint offset;  // of the picture's top-left from the shape's origin
    };

    // The triangles (three corners each, from the shape's origin) filled and outlined in the
    // colour.
    const Shape& Get(std::span<const CanvasPoint> corners, const QColor& colour);

    // Draws the triangles moved by shift, filled and outlined in the painter's pen and brush.
    static void Draw(QPainter& painter, std::span<const CanvasPoint> corners, QPoint shift);

    static cuiShapeCache& Shared();

private:
    std::unordered_map<std::string, Shape> shapes_;
};
