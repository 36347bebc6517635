#include "radio/image/EscapedText.h"

#include <algorithm>
#include <cstdio>

#include "common/TextHelpers.h"

namespace {

constexpr uint8_t kDotBit = 0x80;
constexpr uint8_t kBlankWithDot = 0xA0;

bool IsPrintable(int code) {
    return code >= 0x20 && code <= 0x7E;
}

// The value of "%" and two hexadecimal digits at the start of the text, when it stands for a
// byte that may be written so; -1 otherwise.
int EscapeValue(std::string_view text) {
    if (text.size() < 3) {
        return -1;
    }
    const int high = HexDigit(text[1]);
    const int low = HexDigit(text[2]);
    if (high < 0 || low < 0) {
        return -1;
    }
    const int value = high * 16 + low;
    return IsEscapedCode(value) || IsPrintable(value) ? value : -1;
}

}  // namespace

bool IsUserCharCode(int code) {
    return code >= 16 && code <= 31;
}

bool IsEscapedCode(int code) {
    return IsUserCharCode(code) || (code >= 127 && code <= 255);
}

bool IsTextByte(int code) {
    return IsPrintable(code) || (code >= 127 && code <= 255);
}

std::string BytesToEscapedText(std::span<const uint8_t> bytes) {
    std::string text;
    for (const uint8_t byte : bytes.first(std::min(bytes.size(), kEscapedTextLimit))) {
        const bool dotted = (byte & kDotBit) != 0;
        int code = dotted ? (byte & 0x7F) : byte;
        if (dotted && code == 0) {
            code = ' ';
        }
        if (code == '%') {
            text += "%%";
        } else if (code == '.') {
            // Written plain, it would read back as the dot of the character before it.
            text += "%2E";
        } else if (IsPrintable(code)) {
            text += static_cast<char>(code);
        } else if (IsEscapedCode(code)) {
            char escape[4];
            std::snprintf(escape, sizeof escape, "%%%02X", code);
            text += escape;
        } else {
            break;
        }
        if (dotted) {
            text += '.';
        }
    }
    return text;
}

std::vector<uint8_t> EscapedTextToBytes(std::string_view text) {
    text = text.substr(0, std::min(text.size(), kEscapedTextLimit));
    std::vector<uint8_t> bytes;
    std::size_t i = 0;
    while (i < text.size()) {
        const int ch = static_cast<uint8_t>(text[i]);
        int byte = ch;
        std::size_t length = 1;
        if (ch == '%' && i + 1 < text.size() && text[i + 1] == '%') {
            length = 2;
        } else if (ch == '%' && EscapeValue(text.substr(i)) >= 0) {
            byte = EscapeValue(text.substr(i));
            length = 3;
        } else if (ch == '.' && (i + 1 == text.size() || text[i + 1] != '.')) {
            // A dot that follows no character: a blank with the dot.
            bytes.push_back(kBlankWithDot);
            ++i;
            continue;
        } else if (!IsTextByte(ch)) {
            byte = ' ';
        }
        i += length;
        if (i < text.size() && text[i] == '.') {
            byte |= kDotBit;
            ++i;
        }
        bytes.push_back(static_cast<uint8_t>(byte));
    }
    return bytes;
}
