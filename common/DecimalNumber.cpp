#include "common/DecimalNumber.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

bool IsWhiteSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

DecimalNumber ReadDecimal(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsWhiteSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t first = i;
    // Past this bound the number is out of range with either sign; capping keeps the
    // accumulation itself from overflowing however many digits follow.
    constexpr int64_t kCap = int64_t{INT_MAX} + 2;
    int64_t magnitude = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        magnitude = std::min(magnitude * 10 + (text[i] - '0'), kCap);
    }
    if (i == first) {
        return {};
    }
    const int64_t exact = negative ? -magnitude : magnitude;
    const int64_t held = std::clamp<int64_t>(exact, INT_MIN, INT_MAX);
    return {static_cast<int>(held), i, held != exact};
}

std::optional<int> WholeDecimal(std::string_view text) {
    if (text.empty() || IsWhiteSpace(text.front())) {
        return std::nullopt;
    }
    const DecimalNumber number = ReadDecimal(text);
    if (number.end != text.size() || number.outOfRange) {
        return std::nullopt;
    }
    return number.value;
}
