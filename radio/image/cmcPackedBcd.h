#pragma once

#include <cstdint>
#include <span>

#include "common/cmcBuff.h"

// A digit string, one digit 0..15 a byte, that is written into packed nibbles.
class cmcPackedBcd : public cmcBuff {
public:
    cmcPackedBcd();

    // Held byte k goes into nibble k of the destination (byte k / 2, high nibble for even k);
    // the other nibble of each byte stays. Digits beyond the destination are not written.
    void StoreNibbles(std::span<uint8_t> destination) const;
};
