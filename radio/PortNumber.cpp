#include "radio/PortNumber.h"

#include "common/DecimalNumber.h"

std::optional<int> ReadPortNumber(std::string_view text) {
    const DecimalNumber number = ReadDecimal(text);
    if (number.outOfRange || number.value < kFirstPortNumber || number.value > kLastPortNumber) {
        return std::nullopt;
    }
    return number.value;
}
