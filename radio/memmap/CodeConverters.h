#pragma once

#include <cstdint>
#include <span>

#include "radio/host/ItemContext.h"

// The converters of digit codes, single digits, bit fields and plain text. Space and
// Backspace open the editor where a converter does not step.

// A DTMF code: digits 0..15 one a byte (up to `nibbles`) and their count, shown through
// "0123456789ABCD*#"; "*" types 14, "#" 15.
struct PackedCodeParams {
    int nibbles = 24;
};
bool CellPackedCode(CellEdit& edit, std::span<uint8_t> digits, int& count,
                    const PackedCodeParams& params);

// A five-tone code: the 4 code bytes (up to 8 nibbles, high nibble first, closed by 15) and
// the marker byte after them. The group tone (the records' common byte) shows as "*" and
// is typed "*" or "G"; "+" (when allowed) marks a position in the marker byte. A code never
// takes more than its 8 nibbles.
struct FiveToneParams {
    int digits = 7;
    bool plusAllowed = true;
};
bool CellFiveToneCode(CellEdit& edit, std::span<uint8_t, 5> code, int group,
                      const FiveToneParams& params);

// The value's low digits hexadecimal nibbles, the most significant first.
struct NibbleCodeParams {
    int digits = 4;
};
bool CellNibbleCode(CellEdit& edit, int& value, const NibbleCodeParams& params);

// Decimal digits held one a value.
struct DigitsParams {
    int digits = 4;
};
bool CellDigitArray(CellEdit& edit, std::span<int> digits, const DigitsParams& params);

// One hexadecimal digit 0..15, "F" only when letterF.
struct HexDigitParams {
    bool letterF = false;
};
bool CellHexDigit(CellEdit& edit, int& value, const HexDigitParams& params);

// Fixed-length text: bytes outside 0x20..0x7E show (and are kept) as spaces.
struct TextParams {};
bool CellText(CellEdit& edit, std::span<uint8_t> field, const TextParams& params);

// A bit field shown one character a bit, labelled firstLabel..lastLabel (at most 25 bits):
// with more than 8 bits the value's bits count-1..0, else the top bits of a byte. Label
// style 2 shows label 10 as "0". A digit key toggles its bit, Space sets all (or clears
// all), Backspace inverts, Enter opens the bit-set editor.
struct BitFieldParams {
    int firstLabel = 1;
    int lastLabel = 8;
    int labelStyle = 0;
};
bool CellBitField(CellEdit& edit, int& value, const BitFieldParams& params);
// The bits of a field labelled firstLabel..lastLabel (0 to 25), and the bit of the aligned value
// that label firstLabel + offset stands for; the bit-set editor aligns its cells alike.
int BitFieldCount(int firstLabel, int lastLabel);
int BitFieldBit(int offset, int count);
