#pragma once

#include "radio/image/cmcEeprom.h"

struct PackedFit {
    bool fits = false;
    int bytes = 0;  // packed bytes the channels need
};

// Whether count channels of the record kind still fit the packed area beside what it holds.
PackedFit PackedSpaceFits(const cmcEeprom& image, int kind, int count);
// The largest m from n down to 0 that fits, or -1 when not even 0 does.
int MaxChannelsThatFit(const cmcEeprom& image, int kind, int n);
