#pragma once

#include <cstdint>

inline constexpr int kInvalidBcd4 = 65535;

// Four packed BCD digits (high nibble first) as 0..9999; kInvalidBcd4 when a nibble is above 9.
int DecodeBcd4(const uint8_t* bytes);
// Fills the field with 0xFF, then writes value mod 10000 as four BCD digits into its first
// two bytes (as far as the field reaches).
void EncodeBcd4(int value, uint8_t* field, int length);
