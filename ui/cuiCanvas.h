#pragma once

#include <QPainter>
#include <QPalette>

#include "common/cmcCanvas.h"

// The cell canvas on a QPainter (a widget, an image or the printer). The painter is not
// owned and must outlive the canvas; the canvas sets the painter's font, pen and brush as it
// draws and leaves them so.
class cuiCanvas : public cmcCanvas {
public:
    cuiCanvas(QPainter& painter, const QPalette& palette);

    const cmcFont& Font() const override { return font_; }
    void SetFont(const cmcFont& font) override;
    uint32_t BrushColour() const override { return brush_; }
    void SetBrushColour(uint32_t colour) override { brush_ = colour; }
    uint32_t PenColour() const override { return pen_; }
    void SetPenColour(uint32_t colour) override { pen_ = colour; }

    void FillRect(const WindowRect& rect) override;
    void Polygon(const std::vector<CanvasPoint>& points) override;
    void TextOut(int x, int y, std::string_view text) override;
    int TextWidth(std::string_view line) const override;
    int TextHeight(std::string_view line) const override;

    QPainter& Painter() { return painter_; }

private:
    QPainter& painter_;
    QPalette palette_;
    cmcFont font_;
    uint32_t brush_ = 0x80000005;  // clWindow
    uint32_t pen_ = 0x00000000;    // clBlack
};
