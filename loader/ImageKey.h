#pragma once

#include <cstddef>
#include <cstdint>

// The stream cipher of the embedded images: every byte is XORed with the running 8-bit sum of
// a 27-byte key. Applying it twice restores the bytes, so it both scrambles and unscrambles.
// Inline, so the image tool that scrambles at build time shares the very same code.
inline constexpr int kImageKeyLength = 27;

inline void ApplyImageKey(uint8_t* bytes, size_t count, const uint8_t* key) {
    uint8_t sum = 0;
    int pos = 0;
    for (size_t i = 0; i < count; ++i) {
        sum = static_cast<uint8_t>(sum + key[pos]);
        bytes[i] ^= sum;
        pos = (pos + 1) % kImageKeyLength;
    }
}
