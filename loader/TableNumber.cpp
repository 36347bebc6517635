#include "loader/TableNumber.h"

#include <charconv>
#include <stdexcept>

int TableNumber(const std::string& text) {
    const char* first = text.data();
    const char* last = first + text.size();
    while (first != last && *first == ' ') {
        ++first;
    }
    if (first != last && *first == '+') {
        ++first;
    }
    int value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last) {
        throw std::invalid_argument("'" + text + "' is not a valid integer value.");
    }
    return value;
}
