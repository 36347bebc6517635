#pragma once

#include "radio/image/cmcEeprom.h"

// The format check of an image that came from a file or a radio, before it is taken in: its
// identity, format class and packed-area header, the map revision of the program's own working
// image, and with full set also the maker signature, the model code and the closing signature
// below the end offset. 0 when valid, 1 when not; a file load shows the refusal as TOV_Data, a
// clone read gives CDRV_ImageRejected. Nothing outside either image is read.
int CheckImage(const cmcEeprom& image, const cmcEeprom& working, bool full);
