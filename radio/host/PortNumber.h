#pragma once

#include <optional>
#include <string>
#include <string_view>

// Serial port numbers as the user types them in the port dialog.
inline constexpr int kFirstPortNumber = 1;
inline constexpr int kLastPortNumber = 256;

// The number read as atol reads it (blanks, sign, digits up to the first other character);
// none when that is not a port number: 0 (also text without digits), below or above the range.
std::optional<int> ReadPortNumber(std::string_view text);

// A table line about a port: its "%d" becomes the number, its "%s" the device the number opens
// (the line is never used as a format).
std::string PortText(std::string line, int portNumber);
