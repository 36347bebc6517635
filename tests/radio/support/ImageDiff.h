#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

#include "radio/image/ImageLayout.h"
#include "radio/image/cmcEeprom.h"

namespace radiotest {

// The bits of one image byte.
struct Bits {
    int address;
    uint8_t mask;
    bool operator==(const Bits&) const = default;
};

inline void PrintTo(const Bits& bits, std::ostream* out) {
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

// The bits a text field of length bytes at address changes over bytes 0xFF: the text, then
// spaces.
inline std::vector<Bits> TextOver0xFF(int address, const std::string& text, int length = 8) {
    std::vector<Bits> bits;
    for (int i = 0; i < length; ++i) {
        const char c = i < static_cast<int>(text.size()) ? text[static_cast<size_t>(i)] : ' ';
        bits.push_back({address + i, static_cast<uint8_t>(c ^ 0xFF)});
    }
    return bits;
}

// The changes are the expected ones, byte by byte; what names the case in a failure.
inline void ExpectBits(const std::vector<Bits>& changes, const std::vector<Bits>& expected,
                       int what) {
    ASSERT_EQ(changes.size(), expected.size()) << what;
    for (size_t i = 0; i < changes.size(); ++i) {
        EXPECT_EQ(changes[i].address, expected[i].address) << what;
        EXPECT_EQ(changes[i].mask, expected[i].mask) << what;
    }
}

}  // namespace radiotest
