#pragma once

#include "radio/datCh.h"

// Sets the detection bounds of a loaded two-tone code record around its two tones: each bound
// is the tone times (1 - ratio) or (1 + ratio), rounded to whole units.
void SetToneLimits(datCh& record, double ratio);
