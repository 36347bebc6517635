#pragma once

#include "radio/image/ModelType.h"
#include "radio/image/cmcEeprom.h"

// The channels live twice in a document image: packed in the radio part (only the used
// channels of the banks, the MDC tables, a closing signature) and spread out in the working
// tables above it (256 channels), where they are edited. These move between the two forms.

enum ImagePackResult : int {
    PACK_Ok = 0,
    PACK_NoRoom = 1,       // the packed area would not fit the radio part; nothing was packed
    PACK_BadHeader = 2,    // the packed-area header points outside it; nothing was unpacked
    PACK_NotDocument = 3,  // an image is not a whole document; nothing was changed
};

enum UnpackMode : int {
    UNPACK_Reset = 0,           // every working entry from the template entries
    UNPACK_FromPackedArea = 1,  // the working tables from the packed area
};

// Rebuilds the working tables. From the packed area only when its header is sound (an image
// from a file or a radio is refused otherwise, untouched, and callers reject it as they do an
// image that fails the image check); entries beyond the packed channels keep what they held.
ImagePackResult UnpackImage(cmcEeprom& image, ModelType model, UnpackMode mode);

// Packs the working tables into the radio part and writes the header. Either the whole packed
// area is written or, when it would not fit, none of it (the bank sizes are clamped first in
// both cases).
ImagePackResult PackImage(cmcEeprom& image, ModelType model);
