#pragma once

#include <cstdint>
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
    virtual void SetTextColour(uint32_t colour) = 0;
    virtual uint32_t GetTextColour() const = 0;
};
