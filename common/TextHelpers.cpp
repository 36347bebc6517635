#include "common/TextHelpers.h"

#include <algorithm>
#include <cstring>

#include "platform/LeadByte.h"

namespace {

using platform::CharLength;

// The end of the field starting at start: the first single-byte separator, or the text's end.
template <class IsSeparator>
std::size_t FieldEnd(std::string_view text, std::size_t start, IsSeparator isSeparator) {
    std::size_t i = start;
    while (i < text.size()) {
        const std::size_t len = CharLength(text, i);
        if (len == 1 && isSeparator(text[i])) {
            return i;
        }
        i += len;
    }
    return i;
}

template <class IsSeparator>
std::optional<std::string> FieldAt(std::string_view text, int n, IsSeparator isSeparator) {
    if (n < 0) {
        return std::nullopt;
    }
    std::size_t start = 0;
    for (int field = 0;; ++field) {
        const std::size_t end = FieldEnd(text, start, isSeparator);
        if (field == n) {
            return std::string(text.substr(start, end - start));
        }
        if (end == text.size()) {
            return std::nullopt;
        }
        start = end + 1;
    }
}

}  // namespace

std::optional<std::string> GetToken(std::string_view text, char separator, int n) {
    return FieldAt(text, n, [separator](char c) { return c == separator; });
}

std::optional<std::string> GetTokenBySet(std::string_view text, std::string_view separators,
                                         int n) {
    return FieldAt(text, n,
                   [separators](char c) { return separators.find(c) != std::string_view::npos; });
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view SkipBlanks(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    return text.substr(i);
}

std::string& TrimBlanks(std::string& text) {
    text.erase(0, text.size() - SkipBlanks(text).size());
    // Walk by characters, so a blank that is the second byte of a double-byte character is
    // kept with its lead byte.
    std::size_t keep = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t len = CharLength(text, i);
        if (len == 2 || !IsBlank(text[i])) {
            keep = i + len;
        }
        i += len;
    }
    text.resize(keep);
    return text;
}

std::string& RemoveBlanks(std::string& text) {
    std::erase_if(text, IsBlank);
    return text;
}

std::string DupString(const char* text) {
    return text ? std::string(text) : std::string();
}

std::string DupStringN(const char* text, int n) {
    if (!text || n <= 0) {
        return std::string();
    }
    return std::string(text, strnlen(text, static_cast<std::size_t>(n)));
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

cmcBuff HexTextToBuff(std::string_view text) {
    cmcBuff buff;
    buff.SetLength(static_cast<int>(text.size()));
    uint8_t* out = buff.GetData();
    int digits = 0;
    for (char c : text) {
        const int d = HexDigit(c);
        if (d < 0) {
            continue;
        }
        if (digits % 2 == 0) {
            out[digits / 2] = static_cast<uint8_t>(d << 4);
        } else {
            out[digits / 2] |= static_cast<uint8_t>(d);
        }
        ++digits;
    }
    buff.SetLength((digits + 1) / 2);
    return buff;
}

void MeasureTextBlock(const TextMeasurer& canvas, std::string_view text, int& width, int& height) {
    width = 0;
    height = 0;
    if (text.empty()) {
        return;
    }
    for (std::size_t start = 0;;) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line = text.substr(start, end - start);
        width = std::max(width, canvas.TextWidth(line));
        height += canvas.TextHeight(line);
        if (end == text.size()) {
            return;
        }
        start = end + 1;
    }
}

bool IsPrintableAscii(int code) {
    return code >= 0x20 && code <= 0x7E;
}

std::size_t Utf8CharLength(std::string_view text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead >= 0xF0 && lead <= 0xF4   ? 4
                               : lead >= 0xE0 && lead <= 0xEF ? 3
                               : lead >= 0xC2 && lead <= 0xDF ? 2
                                                              : 1;
    if (length == 1 || i + length > text.size()) {
        return 1;
    }
    for (std::size_t k = i + 1; k < i + length; ++k) {
        if ((static_cast<unsigned char>(text[k]) & 0xC0) != 0x80) {
            return 1;
        }
    }
    return length;
}

bool InRange(long long value, long long low, long long high) {
    return low <= value && value <= high;
}

int GetNibble(const uint8_t* bytes, std::size_t i) {
    const uint8_t b = bytes[i / 2];
    return i % 2 == 0 ? b >> 4 : b & 0x0F;
}

void SetNibble(uint8_t* bytes, std::size_t i, int value) {
    const auto nibble = static_cast<uint8_t>(value & 0x0F);
    uint8_t& b = bytes[i / 2];
    b = i % 2 == 0 ? static_cast<uint8_t>((b & 0x0F) | (nibble << 4))
                   : static_cast<uint8_t>((b & 0xF0) | nibble);
}

WindowRect CentreControl(const WindowRect& control, const WindowRect& other,
                         const WindowRect& workArea) {
    WindowRect placed = control;
    placed.left = other.left + (other.width - control.width) / 2;
    placed.top = other.top + (other.height - control.height) / 2;
    return KeepInWorkArea(placed, workArea);
}

WindowRect KeepWindowReachable(WindowRect window, const WindowRect& workArea) {
    constexpr int kReachable = 16;
    if (window.left > workArea.Right() - kReachable) {
        window.left = workArea.Right() - kReachable;
    }
    if (window.top > workArea.Bottom() - kReachable) {
        window.top = workArea.Bottom() - kReachable;
    }
    if (window.Right() < workArea.left + kReachable) {
        window.left = workArea.left + kReachable - window.width;
    }
    if (window.top < workArea.top) {
        window.top = workArea.top;
    }
    return window;
}

WindowRect KeepInWorkArea(WindowRect control, const WindowRect& workArea) {
    if (control.Right() > workArea.Right()) {
        control.left = workArea.Right() - control.width;
    }
    if (control.left < workArea.left) {
        control.left = workArea.left;
    }
    if (control.Bottom() > workArea.Bottom()) {
        control.top = workArea.Bottom() - control.height;
    }
    if (control.top < workArea.top) {
        control.top = workArea.top;
    }
    return control;
}

WindowRect PlaceBesideCell(const WindowRect& cell, int width, int height,
                           const WindowRect& workArea) {
    WindowRect placed{cell.left + 8, cell.Bottom(), width, height};
    bool flushBottom = false;
    if (placed.Bottom() > workArea.Bottom()) {
        flushBottom = height >= cell.top - workArea.top;
        placed.top = flushBottom ? workArea.Bottom() - height : cell.top - height;
    }
    if (placed.Right() > workArea.Right()) {
        placed.left = workArea.Right() - width;
        if (flushBottom && width < cell.left - workArea.left) {
            placed.left = cell.left - width;
        }
    }
    return placed;
}
