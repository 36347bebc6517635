#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "common/TextMeasurer.h"
#include "common/WindowRect.h"

struct CanvasPoint {
    int x = 0;
    int y = 0;

    bool operator==(const CanvasPoint&) const = default;
};

// The little drawing that items of the memory map do (a cell's text colour, a pillar, segment
// glyphs) on whatever paints the cell: the screen, a printed page, a test recorder. Colours are
// class-library colour values (0x00BBGGRR; 0x80000000 + index for system colours).
class cmcCanvas : public TextMeasurer {
public:
    virtual void FillRect(const WindowRect& rect, uint32_t colour) = 0;
    virtual void FillPolygon(const std::vector<CanvasPoint>& points, uint32_t colour) = 0;
    // A shape of triangles of one colour, three corners each, none overlapping another, placed
    // at the origin: a canvas may draw the shape once and copy it to each place it comes again
    // (segment glyphs repeat their characters all over a sheet), else it draws them one by one.
    virtual void FillShape(CanvasPoint origin, std::span<const CanvasPoint> corners,
                           uint32_t colour) {
        std::vector<CanvasPoint> triangle(3);
        for (std::size_t at = 0; at + 3 <= corners.size(); at += 3) {
            for (std::size_t p = 0; p < 3; ++p) {
                triangle[p] = {corners[at + p].x + origin.x, corners[at + p].y + origin.y};
            }
            FillPolygon(triangle, colour);
        }
    }
    virtual void SetTextColour(uint32_t colour) = 0;
    virtual uint32_t GetTextColour() const = 0;
};
