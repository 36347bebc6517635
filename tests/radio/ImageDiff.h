#pragma once

#include <cstdint>
#include <vector>

#include "radio/ImageLayout.h"
#include "radio/cmcEeprom.h"

namespace radiotest {

// The bits of one image byte.
struct Bits {
    int address;
    uint8_t mask;
    bool operator==(const Bits&) const = default;
};

inline std::vector<uint8_t> ImageBytes(const cmcEeprom& image) {
    const uint8_t* data = image.GetData();
    return {data, data + layout::kImageSize};
}

// The bytes that changed since before, each with the bits that did, in address order.
inline std::vector<Bits> ChangedBits(const std::vector<uint8_t>& before, const cmcEeprom& image) {
    const std::vector<uint8_t> after = ImageBytes(image);
    std::vector<Bits> changes;
    for (size_t i = 0; i < before.size(); ++i) {
        if (before[i] != after[i]) {
            changes.push_back({static_cast<int>(i), static_cast<uint8_t>(before[i] ^ after[i])});
        }
    }
    return changes;
}

}  // namespace radiotest
