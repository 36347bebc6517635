#include "radio/host/PortNumber.h"

#include "common/DecimalNumber.h"
#include "platform/SerialPortPath.h"

std::optional<int> ReadPortNumber(std::string_view text) {
    const DecimalNumber number = ReadDecimal(text);
    if (number.outOfRange || number.value < kFirstPortNumber || number.value > kLastPortNumber) {
        return std::nullopt;
    }
    return number.value;
}

namespace {

void ReplaceFirst(std::string& line, std::string_view place, const std::string& value) {
    if (const size_t at = line.find(place); at != std::string::npos) {
        line.replace(at, place.size(), value);
    }
}

}  // namespace

std::string PortText(std::string line, int portNumber) {
    ReplaceFirst(line, "%s", platform::SerialPortPath(portNumber));
    ReplaceFirst(line, "%d", std::to_string(portNumber));
    return line;
}
