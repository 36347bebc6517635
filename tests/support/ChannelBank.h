#pragma once

#include "radio/image/ModelType.h"

class cmcEeprom;

namespace testsupport {

// Bank 0 of the image made `channels` long, each channel used, 12.5 kHz apart from 446.00625 MHz.
void FillFirstBank(cmcEeprom& image, ModelType model, int channels);

}  // namespace testsupport
