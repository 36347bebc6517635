#pragma once

#include "radio/image/ModelType.h"
#include "radio/image/cmcEeprom.h"

namespace initial {

// The memory image of a new radio of the model type, as its initial clone file holds it: a
// whole document whose working tables are empty. False, and nothing built, when a setting
// would lie outside the radio part.
bool BuildInitialImage(ModelType model, cmcEeprom& image);

}  // namespace initial
