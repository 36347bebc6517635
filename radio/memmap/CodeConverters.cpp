#include "radio/memmap/CodeConverters.h"

#include <algorithm>
#include <string>

#include "common/TextHelpers.h"
#include "radio/cells/CellCodes.h"
#include "radio/cells/cmcCellCapsule.h"
#include "radio/host/PopupHost.h"
#include "radio/image/cmcPackedBcd.h"
#include "radio/memmap/CellEditing.h"
#include "radio/memmap/TypedInput.h"

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr char kDtmfDigits[] = "0123456789ABCD*#";
constexpr char kFiveToneDigits[] = "0123456789ABCDE*";
constexpr int kDtmfStar = 14;
constexpr int kDtmfHash = 15;
// A five-tone code: 4 bytes of nibbles, then the marker byte.
constexpr int kFiveToneNibbles = 8;
constexpr int kFiveToneMarker = 4;
constexpr int kCodeEnd = 15;
constexpr int kMaxBitFieldBits = 25;
constexpr int kByteBits = 8;

bool IsTyped(const CellEdit& edit) {
    return edit.capsule.inputMode == kInputText;
}

int HexValue(char c) {
    return HexDigit(c);
}

// Space and Backspace open the editor like Enter.
bool IsEnterLike(int key) {
    return key == kKeyEnter || key == kKeySpace || key == kKeyBackspace;
}

void AskEditorForKey(CellEdit& edit, int key, bool opens) {
    if (IsEnterLike(key)) {
        AskEditorOnText(edit);
    } else if (opens) {
        AskEditorWithKey(edit, key);
    }
}

// Typed digits padded at the front with "0" to n and cut to n.
std::string PaddedDigits(std::string text, int n) {
    if (static_cast<int>(text.size()) < n) {
        text.insert(0, static_cast<std::size_t>(n) - text.size(), '0');
    }
    text.resize(static_cast<std::size_t>(std::max(n, 0)));
    return text;
}

int FieldMask(int count) {
    int mask = 0;
    for (int i = 0; i < count; ++i) {
        mask |= 1 << BitFieldBit(i, count);
    }
    return mask;
}

// "*" and "G" stand for the group tone among the digits.
bool NamesGroupTone(const std::string& text) {
    return text.find_first_of("*gG") != std::string::npos;
}

bool GroupToneIsDigit(int group) {
    return group >= 0 && group < kCodeEnd;
}

}  // namespace

bool CellPackedCode(CellEdit& edit, std::span<uint8_t> digits, int& count,
                    const PackedCodeParams& params) {
    const int nibbles = std::clamp(params.nibbles, 0, static_cast<int>(digits.size()));
    bool changed = false;
    if (IsTyped(edit)) {
        const std::string text = FilteredText(edit.capsule.inText, "abcdefABCDEF*#");
        std::fill_n(digits.begin(), nibbles, uint8_t{0});
        count = std::min(static_cast<int>(text.size()), nibbles);
        for (int i = 0; i < count; ++i) {
            const char c = text[static_cast<std::size_t>(i)];
            const int digit = c == '*' ? kDtmfStar : c == '#' ? kDtmfHash : HexValue(c);
            digits[static_cast<std::size_t>(i)] = static_cast<uint8_t>(digit);
        }
        changed = true;
    }
    count = std::clamp(count, 0, nibbles);
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += kDtmfDigits[digits[static_cast<std::size_t>(i)] & 0x0F];
    }
    ShowText(edit, text);
    const int key = ActiveKey(edit);
    AskEditorForKey(edit, key, IsHexDigitKey(key) || key == '*' || key == '#');
    return changed;
}

bool CellFiveToneCode(CellEdit& edit, std::span<uint8_t, 5> code, int group,
                      const FiveToneParams& params) {
    const int digits = std::clamp(params.digits, 0, kFiveToneNibbles);
    const std::span<uint8_t> nibbleBytes = code.first(kFiveToneMarker);
    bool changed = false;
    if (IsTyped(edit)) {
        std::string text = FilteredText(
            edit.capsule.inText, params.plusAllowed ? "abcdefgABCDEFG*+" : "abcdefgABCDEFG*");
        std::erase_if(text, [](char c) { return c == 'f' || c == 'F'; });
        text.resize(std::min(text.size(), static_cast<std::size_t>(digits)));
        // Without a group tone among the digits 0..E a code naming it is refused whole: as a 15
        // it would end the code there, and dropping it would shift the digits after it into
        // another code.
        if (!text.empty() && (!NamesGroupTone(text) || GroupToneIsDigit(group))) {
            uint8_t marker = 0;
            cmcPackedBcd held;
            for (int p = 0; p < static_cast<int>(text.size()); ++p) {
                const char c = UpperCase(std::string(1, text[static_cast<std::size_t>(p)]))[0];
                int nibble = 0;
                if (c == '+') {
                    marker |= static_cast<uint8_t>(0x80 >> p);
                } else if (c == '*' || c == 'G') {
                    nibble = group;
                } else {
                    nibble = HexValue(c);
                }
                held.AddByte(nibble);
            }
            // Closed by 15s, but never past the code bytes.
            while (held.GetLength() < std::min(digits + 1, kFiveToneNibbles)) {
                held.AddByte(kCodeEnd);
            }
            for (int i = 0; i < digits; ++i) {
                SetNibble(nibbleBytes.data(), static_cast<std::size_t>(i), 0);
            }
            held.StoreNibbles(nibbleBytes);
            code[kFiveToneMarker] = marker;
            changed = true;
        }
    }
    std::string text;
    for (int p = 0; p < kFiveToneNibbles; ++p) {
        const int nibble = GetNibble(nibbleBytes.data(), static_cast<std::size_t>(p));
        if (nibble == kCodeEnd) {
            break;
        }
        if (code[kFiveToneMarker] & (0x80 >> p)) {
            text += '+';
        } else if (nibble == group) {
            text += '*';
        } else {
            text += kFiveToneDigits[nibble];
        }
    }
    ShowText(edit, text);
    const int key = ActiveKey(edit);
    AskEditorForKey(
        edit, key,
        IsHexDigitKey(key) || key == '*' || key == 'G' || key == 'g' || key == '#' || key == '+');
    return changed;
}

bool CellNibbleCode(CellEdit& edit, int& value, const NibbleCodeParams& params) {
    const int digits = std::clamp(params.digits, 1, 7);
    bool changed = false;
    if (IsTyped(edit)) {
        const std::string typed = FilteredText(edit.capsule.inText, "abcdefABCDEF");
        if (!typed.empty()) {
            int code = 0;
            for (char c : PaddedDigits(typed, digits)) {
                code = (code << 4) | HexValue(c);
            }
            const int mask = (1 << (4 * digits)) - 1;
            value = (value & ~mask) | code;
            changed = true;
        }
    }
    std::string text;
    for (int i = digits - 1; i >= 0; --i) {
        text += kHexDigits[(value >> (4 * i)) & 0x0F];
    }
    ShowText(edit, text);
    const int key = ActiveKey(edit);
    AskEditorForKey(edit, key, IsHexDigitKey(key));
    return changed;
}

bool CellDigitArray(CellEdit& edit, std::span<int> digits, const DigitsParams& params) {
    const int n = std::clamp(params.digits, 0, static_cast<int>(digits.size()));
    bool changed = false;
    if (IsTyped(edit)) {
        const std::string typed = FilteredText(edit.capsule.inText, "");
        if (!typed.empty()) {
            const std::string padded = PaddedDigits(typed, n);
            for (int i = 0; i < n; ++i) {
                digits[static_cast<std::size_t>(i)] = padded[static_cast<std::size_t>(i)] - '0';
            }
            changed = true;
        }
    }
    std::string text;
    for (int i = 0; i < n; ++i) {
        text += kHexDigits[digits[static_cast<std::size_t>(i)] & 0x0F];
    }
    ShowText(edit, text);
    const int key = ActiveKey(edit);
    AskEditorForKey(edit, key, IsDigitKey(key));
    return changed;
}

bool CellHexDigit(CellEdit& edit, int& value, const HexDigitParams& params) {
    const char highest = params.letterF ? 'F' : 'E';
    bool changed = false;
    if (IsTyped(edit) && !edit.capsule.inText.empty()) {
        const char c = UpperCase(edit.capsule.inText.substr(0, 1))[0];
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= highest)) {
            value = HexValue(c);
            changed = true;
        }
    }
    ShowText(edit, value >= 0 && value <= 15 ? std::string(1, kHexDigits[value]) : std::string());
    edit.capsule.selLength = 1;
    const int key = ActiveKey(edit);
    const bool letterRefused = !params.letterF && (key == 'F' || key == 'f');
    AskEditorForKey(edit, key, IsHexDigitKey(key) && !letterRefused);
    return changed;
}

bool CellText(CellEdit& edit, std::span<uint8_t> field, const TextParams&) {
    bool changed = false;
    if (edit.capsule.inputMode == kInputText || edit.capsule.inputMode == kInputPopupAnswer) {
        // One field byte a typed character: a character beyond ASCII becomes one space below.
        const std::string& typed = edit.capsule.inText;
        std::size_t at = 0;
        for (uint8_t& byte : field) {
            byte = at < typed.size() ? static_cast<uint8_t>(typed[at]) : uint8_t{' '};
            at += at < typed.size() ? Utf8CharLength(typed, at) : 1;
        }
        changed = true;
    }
    for (uint8_t& byte : field) {
        if (!IsPrintableAscii(byte)) {
            byte = ' ';
        }
    }
    std::string text(field.begin(), field.end());
    text.erase(text.find_last_not_of(' ') + 1);
    ShowText(edit, text);
    const int key = ActiveKey(edit);
    AskEditorForKey(edit, key, IsPrintableAscii(key));
    return changed;
}

int BitFieldCount(int firstLabel, int lastLabel) {
    return std::clamp(lastLabel - firstLabel + 1, 0, kMaxBitFieldBits);
}

int BitFieldBit(int offset, int count) {
    return count > kByteBits ? count - 1 - offset : kByteBits - 1 - offset;
}

bool CellBitField(CellEdit& edit, int& value, const BitFieldParams& params) {
    const int count = BitFieldCount(params.firstLabel, params.lastLabel);
    const int mask = FieldMask(count);
    int bits = value & mask;
    bool changed = false;
    const int key = ActiveKey(edit);
    const int label = key == '0' ? 10 : key - '0';
    if (IsAnswerOf(edit, Flex0)) {
        bits = ReadDigits(edit.capsule.inText) & mask;
        changed = true;
    } else if (IsDigitKey(key) && label >= params.firstLabel && label <= params.lastLabel) {
        bits ^= 1 << BitFieldBit(label - params.firstLabel, count);
        changed = true;
    } else if (key == kKeySpace) {
        bits = bits == 0 ? mask : 0;
        changed = true;
    } else if (key == kKeyBackspace) {
        bits ^= mask;
        changed = true;
    } else if (key == kKeyEnter) {
        edit.services.popups.OpenBitSetEditor(
            edit.capsule, {bits, params.firstLabel, params.lastLabel, params.labelStyle, 1});
        edit.request = 1;
    }
    value = (value & ~mask) | bits;
    std::string text;
    for (int i = 0; i < count; ++i) {
        const bool set = bits & (1 << BitFieldBit(i, count));
        text += set ? static_cast<char>('0' + (params.firstLabel + i) % 10) : '_';
    }
    ShowText(edit, text + "\n");
    edit.capsule.selLength = 1;
    return changed;
}
