#pragma once

#include <cstdint>

#include "radio/image/cmcEeprom.h"

namespace radiotest {

// A document image whose every byte is filled from a fixed pseudo-random sequence, so that
// record tests see set and clear bits everywhere.
inline void FillPseudoRandom(cmcEeprom& image, uint32_t seed = 12345) {
    image.Resize(48880);
    uint32_t state = seed;
    for (int a = 0; a < image.GetSize(); ++a) {
        state = state * 1103515245u + 12345u;
        image.GetData()[a] = static_cast<uint8_t>(state >> 16);
    }
}

}  // namespace radiotest
