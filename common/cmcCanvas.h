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
    // Triangles of one colour, three corners each, none overlapping another: one shape for a
    // canvas that draws it at once (segment glyphs are hundreds of them), else one by one.
    virtual void FillTriangles(std::span<const CanvasPoint> corners, uint32_t colour) {
        std::vector<CanvasPoint> triangle(3);
        for (std::size_t at = 0; at + 3 <= corners.size(); at += 3) {
            triangle.assign(corners.begin() + static_cast<std::ptrdiff_t>(at),
                            corners.begin() + static_cast<std::ptrdiff_t>(at + 3));
            FillPolygon(triangle, colour);
        }
    }
    virtual void SetTextColour(uint32_t colour) = 0;
    virtual uint32_t GetTextColour() const = 0;
};
