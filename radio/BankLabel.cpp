#include "radio/BankLabel.h"

#include "radio/ImageLayout.h"
#include "radio/cmcEeprom.h"

namespace {

constexpr uint8_t kDotBit = 0x80;

// A byte with bit 7 set is its low seven bits and a "."; a blank one shows as " ." (as "."
// alone at the start).
std::string DecodeDotted(const uint8_t* bytes, int n) {
    std::string text;
    for (int i = 0; i < n; ++i) {
        const uint8_t byte = bytes[i];
        if (!(byte & kDotBit)) {
            text += static_cast<char>(byte);
            continue;
        }
        const char low = static_cast<char>(byte & ~kDotBit);
        if (low != 0 && low != ' ') {
            text += low;
        } else if (i > 0) {
            text += ' ';
        }
        text += '.';
    }
    return text;
}

}  // namespace

std::string FormatBankLabel(const cmcEeprom& image, int bank) {
    std::string name;
    const int address = layout::kBankNames + layout::kNameLength * bank;
    if (bank >= 0 && bank < layout::kBankCount && image.IsValidAddress(address + 7)) {
        name = DecodeDotted(image.GetData() + address, layout::kNameLength);
    }
    for (char& ch : name) {
        if (ch < 0x20 || ch > 0x7E) {
            ch = '*';
        }
    }
    return std::to_string(bank + 1) + ": " + name;
}
