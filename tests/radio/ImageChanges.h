#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

class cmcEeprom;

namespace radiotest {

// A byte of the image and the bits of it that changed.
struct BitChange {
    int address;
    uint8_t mask;
    bool operator==(const BitChange&) const = default;
};
std::ostream& operator<<(std::ostream& out, const BitChange& change);

// Every byte of the image, to compare with later.
std::vector<uint8_t> ImageBytes(const cmcEeprom& image);
// The bytes of the image that differ from before, in address order, each with its changed bits.
std::vector<BitChange> ChangedBits(const std::vector<uint8_t>& before, const cmcEeprom& image);
// The bits a text field of length bytes at address changes over bytes 0xFF: the text, then
// spaces.
std::vector<BitChange> TextOver0xFF(int address, const std::string& text, int length);

}  // namespace radiotest
