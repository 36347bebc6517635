#pragma once

#include "radio/image/cmcEeprom.h"

// Whether the image holds data of a newer program than this one (its newer-data mark above 1)
// while the lock-out of "GI_Sys_LockoutNewerData" is on: such data is not taken in.
bool IsNewerData(const cmcEeprom& image);
