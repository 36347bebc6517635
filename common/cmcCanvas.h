#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "common/TextMeasurer.h"
#include "common/WindowRect.h"
#include "common/cmcFont.h"

struct CanvasPoint {
    int x = 0;
    int y = 0;
    bool operator==(const CanvasPoint&) const = default;
};

// What a cell may draw on while it is painted: the drawing layer implements it on its painter
// (screen or printer). Colours are class-library values (0x00BBGGRR, or 0x80000000 + a
// system-colour index); text is drawn and measured in the canvas's font, in its colour.
class cmcCanvas : public TextMeasurer {
public:
    virtual const cmcFont& Font() const = 0;
    virtual void SetFont(const cmcFont& font) = 0;
    uint32_t FontColour() const { return Font().colour; }
    void SetFontColour(uint32_t colour);

    virtual uint32_t BrushColour() const = 0;
    virtual void SetBrushColour(uint32_t colour) = 0;
    virtual uint32_t PenColour() const = 0;
    virtual void SetPenColour(uint32_t colour) = 0;

    // Filled with the brush, no outline.
    virtual void FillRect(const WindowRect& rect) = 0;
    // Filled with the brush and outlined with the pen.
    virtual void Polygon(const std::vector<CanvasPoint>& points) = 0;
    // One line of text with its top-left corner at (x, y).
    virtual void TextOut(int x, int y, std::string_view text) = 0;
};
