#include "tests/radio/ImageChanges.h"

#include "radio/cmcEeprom.h"

namespace radiotest {

std::ostream& operator<<(std::ostream& out, const BitChange& change) {
    return out << "{" << change.address << ", 0x" << std::hex << int{change.mask} << std::dec
               << "}";
}

std::vector<uint8_t> ImageBytes(const cmcEeprom& image) {
    const uint8_t* data = image.GetData();
    return {data, data + image.GetSize()};
}

std::vector<BitChange> ChangedBits(const std::vector<uint8_t>& before, const cmcEeprom& image) {
    const std::vector<uint8_t> after = ImageBytes(image);
    std::vector<BitChange> changes;
    for (size_t i = 0; i < before.size() && i < after.size(); ++i) {
        if (before[i] != after[i]) {
            changes.push_back({static_cast<int>(i), static_cast<uint8_t>(before[i] ^ after[i])});
        }
    }
    return changes;
}

std::vector<BitChange> TextOver0xFF(int address, const std::string& text, int length) {
    std::vector<BitChange> bits;
    for (int i = 0; i < length; ++i) {
        const char c = i < static_cast<int>(text.size()) ? text[static_cast<size_t>(i)] : ' ';
        bits.push_back({address + i, static_cast<uint8_t>(c ^ 0xFF)});
    }
    return bits;
}

}  // namespace radiotest
