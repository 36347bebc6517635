#pragma once

#include <cstdint>
#include <vector>

#include "common/cmcCanvas.h"

namespace testsupport {

// A canvas that keeps the rectangles and polygons drawn on it, in order, with their colours.
class RecordingCanvas : public cmcCanvas {
public:
    struct Rect {
        WindowRect rect;
        uint32_t colour;
    };
    void FillRect(const WindowRect& rect, uint32_t colour) override {
        rects.push_back({rect, colour});
    }
    void FillPolygon(const std::vector<CanvasPoint>& points, uint32_t colour) override {
        polygons.push_back(points);
        colours.push_back(colour);
    }
    void SetTextColour(uint32_t colour) override { text = colour; }
    uint32_t GetTextColour() const override { return text; }
    int TextWidth(std::string_view) const override { return 0; }
    int TextHeight(std::string_view) const override { return 0; }

    std::vector<Rect> rects;
    std::vector<std::vector<CanvasPoint>> polygons;
    std::vector<uint32_t> colours;
    uint32_t text = 0x123456;
};

}  // namespace testsupport
