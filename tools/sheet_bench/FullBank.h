#pragma once

#include "radio/image/ModelType.h"

class cmcEeprom;

// 256 channels in bank 0 as the model type sees them, each with its own frequency, tones, name
// and signalling: the largest sheet the program shows.
void FillBank(cmcEeprom& image, ModelType model);
