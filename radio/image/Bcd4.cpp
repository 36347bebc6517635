#include "radio/image/Bcd4.h"

#include <algorithm>

#include "common/TextHelpers.h"

int DecodeBcd4(const uint8_t* bytes) {
    int value = 0;
    for (std::size_t k = 0; k < 4; ++k) {
        int digit = GetNibble(bytes, k);
        if (digit > 9) {
            return kInvalidBcd4;
        }
        value = value * 10 + digit;
    }
    return value;
}

void EncodeBcd4(int value, uint8_t* field, int length) {
    if (length <= 0) {
        return;
    }
    std::fill_n(field, length, 0xFF);
    int rest = ((value % 10000) + 10000) % 10000;
    const int nibbles = std::min(length, 2) * 2;
    for (int k = 3; k >= 0; --k) {
        if (k < nibbles) {
            SetNibble(field, static_cast<std::size_t>(k), rest % 10);
        }
        rest /= 10;
    }
}
