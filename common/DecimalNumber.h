#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

// A decimal number read from a table, a file or a setting. Every such number goes through
// ReadDecimal, so all of them share one overflow rule: digits beyond the int range hold the
// value at the nearest bound and mark it out of range, never wrap.
struct DecimalNumber {
    int value = 0;            // 0 without digits
    std::size_t end = 0;      // the index after the last digit; 0 without digits
    bool outOfRange = false;  // the digits lie outside the int range; value is the bound
};

// As the C library's atol reads a number: white space (" \t\n\v\f\r"), an optional "+" or
// "-", then the digits up to the first other character.
DecimalNumber ReadDecimal(std::string_view text);

// The whole text is one number: an optional sign and digits, nothing before or after them,
// within the int range.
std::optional<int> WholeDecimal(std::string_view text);
