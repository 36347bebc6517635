#include "radio/memmap/TypedInput.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>

#include "common/DecimalNumber.h"

namespace {

// Numbers are read from at most this many characters.
constexpr std::size_t kNumberLength = 9;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

void FilterTextChars(std::string& text, std::string_view allowed) {
    std::erase_if(text, [allowed](char c) {
        return !IsDigit(c) && allowed.find(c) == std::string_view::npos;
    });
}

std::string FilteredText(std::string_view text, std::string_view allowed) {
    std::string copy(text);
    FilterTextChars(copy, allowed);
    return copy;
}

double ReadReal(std::string_view text) {
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() ? value : 0;
}

long long RoundHalfAway(double value) {
    return std::llround(value);
}

int ParseRoundedInt(std::string_view text) {
    const std::string kept = FirstChars(FilteredText(text, ".-"), kNumberLength);
    const double value = std::clamp(ReadReal(kept), double{INT_MIN}, double{INT_MAX});
    return static_cast<int>(RoundHalfAway(value));
}

int ReadDigits(std::string_view text) {
    return ReadDecimal(text).value;
}

bool BeginsWithOff(std::string_view text) {
    return text.size() >= 2 && Lower(text[0]) == 'o' && Lower(text[1]) == 'f';
}

std::string FirstChars(std::string_view text, std::size_t n) {
    return std::string(text.substr(0, n));
}

std::string UpperCase(std::string_view text) {
    std::string upper(text);
    std::ranges::transform(upper, upper.begin(), [](char c) {
        return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    });
    return upper;
}
