#pragma once

#include <cstdint>
#include <span>

class cmcCellCapsule;
class cmcEeprom;
class PopupHost;

// How a display-text field is filled after its text: spaces (names) or zero bytes (texts that
// end at their first zero byte).
enum class SegPadding { Blanks, Zeros };

// The cell editor of a display-text field (the field's size is its width): renders the text as
// glyphs on a canvas; Enter, Backspace or a typed character open the display-text editor of
// the pop-ups (request 1); a committed text (inputMode 1 or 2) is stored, padded, and returns 1.
int EditSegTextCell(cmcCellCapsule& capsule, std::span<uint8_t> field,
                    std::span<const uint8_t> userTable, SegPadding padding, PopupHost& popups,
                    int& request);

// The cell editor of a user-character pattern (two bytes, high byte first): paints the pattern
// as one glyph; Enter opens the user-character editor of the pop-ups (request 1); an answer
// (inputMode 2) is the pattern as a decimal number, stored, and returns 1.
int EditSegCharCell(cmcCellCapsule& capsule, std::span<uint8_t, 2> field, PopupHost& popups,
                    int& request);

// The parameters of the two editors as rows of the memory map name them.
struct DisplayTextParams {
    SegPadding padding = SegPadding::Blanks;
};
struct UserCharacterParams {};

// The image's user-character patterns; empty for an image too short to hold them.
std::span<const uint8_t> UserCharTable(const cmcEeprom& image);
