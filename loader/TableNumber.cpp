#include "loader/TableNumber.h"

#include <stdexcept>
#include <string_view>

#include "common/DecimalNumber.h"

int TableNumber(const std::string& text) {
    std::string_view number = text;
    while (number.starts_with(' ')) {
        number.remove_prefix(1);
    }
    const std::optional<int> value = WholeDecimal(number);
    if (!value) {
        throw std::invalid_argument("'" + text + "' is not a valid integer value.");
    }
    return *value;
}
