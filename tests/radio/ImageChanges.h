#pragma once

#include <cstdint>
#include <ostream>
#include <vector>

#include "radio/ImageLayout.h"
#include "radio/cmcEeprom.h"

namespace radiotest {

// A byte of an image that changed, with the bits that did.
struct ChangedBits {
    int address;
    uint8_t mask;
    bool operator==(const ChangedBits&) const = default;
};

inline void PrintTo(const ChangedBits& bits, std::ostream* os) {
    *os << "{" << bits.address << ", 0x" << std::hex << int(bits.mask) << std::dec << "}";
}

// A document image's bytes, to compare with after an edit.
inline std::vector<uint8_t> ImageBytes(const cmcEeprom& image) {
    const uint8_t* data = image.GetData();
    return {data, data + layout::kImageSize};
}

// The bytes of the image that differ from before, in address order.
inline std::vector<ChangedBits> ChangesSince(const std::vector<uint8_t>& before,
                                             const cmcEeprom& image) {
    const std::vector<uint8_t> after = ImageBytes(image);
    std::vector<ChangedBits> changes;
    for (size_t i = 0; i < before.size() && i < after.size(); ++i) {
        if (before[i] != after[i]) {
            changes.push_back({static_cast<int>(i), static_cast<uint8_t>(before[i] ^ after[i])});
        }
    }
    return changes;
}

}  // namespace radiotest
