#include "common/FontSetting.h"

#include <algorithm>
#include <climits>
#include <string>

#include "common/ColourNames.h"
#include "common/DecimalNumber.h"
#include "common/TextHelpers.h"

namespace {

struct NamedValue {
    const char* name;
    int value;
};

constexpr NamedValue kCharsets[] = {
    {"ANSI_CHARSET", 0},      {"DEFAULT_CHARSET", 1},    {"SYMBOL_CHARSET", 2},
    {"MAC_CHARSET", 77},      {"SHIFTJIS_CHARSET", 128}, {"HANGEUL_CHARSET", 129},
    {"JOHAB_CHARSET", 130},   {"GB2312_CHARSET", 134},   {"CHINESEBIG5_CHARSET", 136},
    {"GREEK_CHARSET", 161},   {"TURKISH_CHARSET", 162},  {"VIETNAMESE_CHARSET", 163},
    {"HEBREW_CHARSET", 177},  {"ARABIC_CHARSET", 178},   {"BALTIC_CHARSET", 186},
    {"RUSSIAN_CHARSET", 204}, {"THAI_CHARSET", 222},     {"EASTEUROPE_CHARSET", 238},
    {"OEM_CHARSET", 255},
};

constexpr NamedValue kStyles[] = {
    {"fsBold", fsBold},
    {"fsItalic", fsItalic},
    {"fsUnderline", fsUnderline},
    {"fsStrikeOut", fsStrikeOut},
};

constexpr NamedValue kPitches[] = {
    {"fpDefault", fpDefault},
    {"fpFixed", fpFixed},
    {"fpVariable", fpVariable},
};

// A name matches when the field, after leading blanks, begins with it and only blanks follow.
template <std::size_t N>
const NamedValue* Lookup(const NamedValue (&table)[N], std::string_view field) {
    const std::string_view text = SkipBlanks(field);
    for (const NamedValue& entry : table) {
        const std::string_view name = entry.name;
        if (text.starts_with(name) && SkipBlanks(text.substr(name.size())).empty()) {
            return &entry;
        }
    }
    return nullptr;
}

void ApplyNamed(const NamedValue* entry, int& attribute) {
    if (entry) {
        attribute = entry->value;
    }
}

// A number, or "%" and a percentage of the current value (at least 1); 0 when unreadable.
int ScaledNumber(std::string_view field, int current) {
    const std::string_view text = SkipBlanks(field);
    if (!text.starts_with('%')) {
        return ReadDecimal(text).value;
    }
    const long long percent = ReadDecimal(text.substr(1)).value;
    const long long scaled = std::clamp<long long>(current * percent / 100, INT_MIN, INT_MAX);
    return scaled == 0 ? 1 : static_cast<int>(scaled);
}

void ApplyScaled(std::string_view field, int& attribute) {
    const int value = ScaledNumber(field, attribute);
    if (value != 0) {
        attribute = value;
    }
}

void ApplyStyle(const std::string& field, int& style) {
    bool recognised = false;
    for (int i = 0;; ++i) {
        const auto part = GetToken(field, '+', i);
        if (!part) {
            return;
        }
        const NamedValue* entry = Lookup(kStyles, *part);
        if (!entry) {
            continue;
        }
        if (!recognised) {
            style = 0;
            recognised = true;
        }
        style |= entry->value;
    }
}

}  // namespace

void ApplyFontSpec(std::string_view spec, cmcFont& font) {
    enum { Charset, Name, Colour, Height, Size, Style, Pitch, FieldCount };
    for (int i = 0; i < FieldCount; ++i) {
        const auto field = GetToken(spec, ',', i);
        if (!field) {
            return;
        }
        if (field->empty()) {
            continue;
        }
        switch (i) {
            case Charset:
                ApplyNamed(Lookup(kCharsets, *field), font.charset);
                break;
            case Name:
                if (const std::string_view name = SkipBlanks(*field); !name.empty()) {
                    font.name = name;
                }
                break;
            case Colour:
                ColourFromName(*field, font.colour);
                break;
            case Height:
                ApplyScaled(*field, font.height);
                break;
            case Size:
                ApplyScaled(*field, font.size);
                break;
            case Style:
                ApplyStyle(*field, font.style);
                break;
            case Pitch:
                ApplyNamed(Lookup(kPitches, *field), font.pitch);
                break;
        }
    }
}

void CopyFont(cmcFont* destination, const cmcFont* source) {
    if (!destination || !source) {
        return;
    }
    *destination = *source;
}
