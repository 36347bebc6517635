#include "common/cmcCanvas.h"

void cmcCanvas::SetFontColour(uint32_t colour) {
    cmcFont font = Font();
    font.colour = colour;
    SetFont(font);
}
