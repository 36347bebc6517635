#pragma once

#include "radio/cmcEeprom.h"

// Model types of the radio; the MDC types are only ever derived from an image.
enum ModelType : int {
    MT_Lmr = 0,
    MT_Pmr = 1,
    MT_VaskPmr = 2,
    MT_MdcLmr = 3,
    MT_MdcPmr = 4,
};

// The model type an image asks for, from its option bytes. An image too small to hold them
// counts as MT_Lmr.
ModelType ModelTypeFromImage(const cmcEeprom& image);
