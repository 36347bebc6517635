#pragma once

#include <cstdint>

#include "radio/image/ModelType.h"
#include "radio/image/cmcEeprom.h"
#include "radio/records/datCh.h"

// The detection window of one tone: low and high are the tone times (1 - ratio) and
// (1 + ratio), each rounded by adding a half and cutting the fraction.
void SetToneWindow(int& low, int& high, double tone, double ratio);

// Sets the detection bounds of a loaded two-tone code record around its two tones: each bound
// is the tone times (1 - ratio) or (1 + ratio), rounded to whole units.
void SetToneLimits(datCh& record, double ratio);

// The share of a tone that a radio of the revision (identity byte 34: high nibble, low nibble)
// accepts either side: 2 % from revision 1.2 and from 2.0 on, 3 % before.
double TwoToneRatio(uint8_t radioRevision);

// The bounds of the two-tone codes 1..10 of an LMR image, for the radio of the revision. Code 0
// is the "no code" entry: no record view reaches it and its bytes are left as they are.
void SetTwoToneLimits(cmcEeprom& image, ModelType model, uint8_t radioRevision);
