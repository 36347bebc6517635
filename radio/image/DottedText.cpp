#include "radio/image/DottedText.h"

#include <algorithm>
#include <array>

#include "common/TextHelpers.h"
#include "radio/image/ImageLayout.h"
#include "radio/image/cmcEeprom.h"

namespace {

constexpr uint8_t kDotBit = 0x80;

}  // namespace

std::string DecodeDottedText(std::span<const uint8_t> bytes) {
    std::string text;
    text.reserve(bytes.size() * 2);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const uint8_t byte = bytes[i];
        if (!(byte & kDotBit)) {
            text += static_cast<char>(byte);
            continue;
        }
        const uint8_t low = byte & ~kDotBit;
        if (low == 0 || low == ' ') {
            text += i == 0 ? "." : " .";
        } else {
            text += static_cast<char>(low);
            text += '.';
        }
    }
    return text;
}

std::string StarNonPrintable(std::string_view text, std::size_t n) {
    std::string starred(text.substr(0, n));
    for (char& c : starred) {
        if (!IsPrintableAscii(static_cast<unsigned char>(c))) {
            c = '*';
        }
    }
    return starred;
}

void BlankNonPrintable(std::span<uint8_t> bytes) {
    for (uint8_t& byte : bytes) {
        if (!IsPrintableAscii(byte)) {
            byte = ' ';
        }
    }
}

bool IsAllSpaces(std::span<const uint8_t> bytes) {
    return std::ranges::all_of(bytes, [](uint8_t byte) { return byte == ' '; });
}

std::string FormatBankLabel(const cmcEeprom& image, int bank) {
    std::array<uint8_t, layout::kNameLength> name{};
    image.ReadBlock(layout::kBankNameArea.At(bank), name.data(), layout::kNameLength);
    const std::string decoded = DecodeDottedText(name);
    return std::to_string(bank + 1) + ": " + StarNonPrintable(decoded, decoded.size());
}
