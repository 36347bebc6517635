#pragma once

#include "radio/image/ModelType.h"
#include "radio/image/cmcEeprom.h"
#include "radio/packing/ImagePacking.h"

enum FinaliseMode : int {
    FINALISE_TakenIn = 0,   // after a file load or a clone read: unpacks first
    FINALISE_GoingOut = 1,  // before a save or a clone write: packs last
};

// Brings an image in line with the model type's default image: the bytes and bits that belong
// to the model follow the default image, the selections and flags that follow from the data
// are derived again, and each record keeps its own fields while its other bits come from the
// default image. Taking in refuses an image whose packed-area header is unsound (untouched);
// going out reports the pack result, so that nothing is saved or sent unpacked.
ImagePackResult FinaliseImage(cmcEeprom& image, const cmcEeprom& defaults, ModelType model,
                              FinaliseMode mode);
