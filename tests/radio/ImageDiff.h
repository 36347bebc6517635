#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

#include "radio/cmcEeprom.h"

namespace radiotest {

// A byte of an image and the bits of it that changed.
struct ChangedBits {
    int address;
    uint8_t mask;
    bool operator==(const ChangedBits&) const = default;
};

inline void PrintTo(const ChangedBits& bits, std::ostream* out) {
    *out << bits.address << "/0x" << std::hex << static_cast<int>(bits.mask) << std::dec;
}

// A byte to put into an image fixture.
struct ImageByte {
    int address;
    uint8_t value;
};

inline void PutBytes(cmcEeprom& image, std::initializer_list<ImageByte> bytes) {
    for (const ImageByte& b : bytes) {
        image.SetByte(b.address, b.value);
    }
}

// The bits a text field of `length` characters at address changes over bytes 0xFF: the text,
// then spaces.
inline std::vector<ChangedBits> TextOver0xFF(int address, const std::string& text, int length) {
    std::vector<ChangedBits> bits;
    for (int i = 0; i < length; ++i) {
        const char c = i < static_cast<int>(text.size()) ? text[static_cast<std::size_t>(i)] : ' ';
        bits.push_back({address + i, static_cast<uint8_t>(c ^ 0xFF)});
    }
    return bits;
}

inline std::vector<uint8_t> ImageBytes(const cmcEeprom& image) {
    const uint8_t* data = image.GetData();
    return {data, data + image.GetSize()};
}

// The bytes that differ from `before`, each with the bits that do, in address order.
inline std::vector<ChangedBits> BitsChangedSince(const std::vector<uint8_t>& before,
                                                 const cmcEeprom& image) {
    const std::vector<uint8_t> after = ImageBytes(image);
    std::vector<ChangedBits> changes;
    for (std::size_t i = 0; i < before.size() && i < after.size(); ++i) {
        if (before[i] != after[i]) {
            changes.push_back({static_cast<int>(i), static_cast<uint8_t>(before[i] ^ after[i])});
        }
    }
    return changes;
}

}  // namespace radiotest
