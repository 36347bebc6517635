#pragma once

#include <QPainter>
#include <QPalette>

#include "common/cmcCanvas.h"
#include "common/cmcFont.h"
#include "ui/paint/cuiTextCache.h"

// The cell canvas on a QPainter (a widget, an image or the printer). The painter is not
// owned and must outlive the canvas; the canvas sets the painter's font, pen and brush as it
// draws and leaves them so. The text colour is the colour of the canvas's font. On screen
// (not on a printer) fonts and laid-out texts come from the program's text cache.
class cuiCanvas : public cmcCanvas {
public:
    cuiCanvas(QPainter& painter, const QPalette& palette);

    const cmcFont& Font() const { return font_; }
    void SetFont(const cmcFont& font);

    void FillRect(const WindowRect& rect, uint32_t colour) override;
    void FillPolygon(const std::vector<CanvasPoint>& points, uint32_t colour) override;
    // On screen the shape comes from the program's shape cache.
    void FillShape(CanvasPoint origin, std::span<const CanvasPoint> corners,
                   uint32_t colour) override;
    void SetTextColour(uint32_t colour) override { font_.colour = colour; }
    uint32_t GetTextColour() const override { return font_.colour; }
    int TextWidth(std::string_view line) const override;
    int TextHeight(std::string_view line) const override;

    // One line of text in the font and text colour, its top-left corner at (x, y).
    void TextOut(int x, int y, std::string_view text);

private:
    // The painter's pen and brush in the colour, solid, the pen one pixel wide.
    void UseColour(uint32_t colour);
    bool CopiesShapes(const QColor& colour) const;

    QPainter& painter_;
    QPalette palette_;
    cmcFont font_;
    // The cached font of font_, none on a printer.
    cuiTextCache::Font* cached_ = nullptr;
};
