#pragma once

#include <cstdint>
#include <string>

// Style bits of a font, as the layout language names them.
enum cmcFontStyle : int {
    fsBold = 0x01,
    fsItalic = 0x02,
    fsUnderline = 0x04,
    fsStrikeOut = 0x08,
};

enum cmcFontPitch : int {
    fpDefault = 0,
    fpFixed = 1,
    fpVariable = 2,
};

// A font as a plain value; the Qt layer turns it into a QFont. Colours keep the class
// library's values (0x00BBGGRR, or 0x80000000 + a system-colour index). The height is in
// pixels (negative: character height without the internal leading), the size in points; the
// two are kept apart here, and the layer that draws decides how they map onto a real font.
struct cmcFont {
    int charset = 1;  // DEFAULT_CHARSET
    std::string name;
    uint32_t colour = 0x80000008;  // clWindowText
    int height = -11;
    int size = 8;
    int style = 0;  // cmcFontStyle bits
    int pitch = fpDefault;

    bool operator==(const cmcFont&) const = default;
};
