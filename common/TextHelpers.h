#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/TextMeasurer.h"
#include "common/WindowRect.h"
#include "common/cmcBuff.h"

// Texts are byte strings in the system's code page, which may be double-byte; the scanners
// ask platform::IsLeadByte so that a second byte never counts as a separator.

// Field n (0-based) of the text split at the separator; none when the text has fewer fields.
// An empty text has one empty field.
std::optional<std::string> GetToken(std::string_view text, char separator, int n);
// The same, split at any character of the set.
std::optional<std::string> GetTokenBySet(std::string_view text, std::string_view separators, int n);

bool IsBlank(char c);
// The text from its first character that is neither space nor tab.
std::string_view SkipBlanks(std::string_view text);
// Leading and trailing spaces and tabs removed, in place.
std::string& TrimBlanks(std::string& text);
// Every space and tab removed, in place.
std::string& RemoveBlanks(std::string& text);

// A copy; a missing text gives "".
std::string DupString(const char* text);
// At most the first n characters; a missing text gives "".
std::string DupStringN(const char* text, int n);

// The bytes written in hexadecimal digits, high nibble first; other characters are ignored and
// an odd last digit is the high nibble of a last byte.
// The value of a hexadecimal digit in either case, -1 for any other character.
int HexDigit(char c);
cmcBuff HexTextToBuff(std::string_view text);

// Lines split at "\n": width of the widest, sum of the heights; both 0 for an empty text.
void MeasureTextBlock(const TextMeasurer& canvas, std::string_view text, int& width, int& height);

bool IsPrintableAscii(int code);
// The length in bytes of the UTF-8 character at i (the text the program's own edit boxes
// hand over): its whole sequence when it is a well-formed one, else 1.
std::size_t Utf8CharLength(std::string_view text, std::size_t i);
bool InRange(long long value, long long low, long long high);

// Nibble i of a byte array: byte i / 2, high nibble for even i.
int GetNibble(const uint8_t* bytes, std::size_t i);
void SetNibble(uint8_t* bytes, std::size_t i, int value);

// The control centred over the other window, then kept inside the work area.
WindowRect CentreControl(const WindowRect& control, const WindowRect& other,
                         const WindowRect& workArea);
// Moved inside the work area; one larger than the area keeps its left and top on the area's.
WindowRect KeepInWorkArea(WindowRect control, const WindowRect& workArea);
// A main window's saved place, moved so that at least 16 pixels of it stay reachable at either
// side of the work area and its top never lies above the area's.
WindowRect KeepWindowReachable(WindowRect window, const WindowRect& workArea);
// A pop-up of the size given beside a cell (both on the desktop): below the cell, 8 pixels in
// from its left; above it, or flush with the work area's bottom, when there is no room below;
// held inside the work area's right edge, and left of the cell when it could neither go below
// nor above and there is room at the left.
WindowRect PlaceBesideCell(const WindowRect& cell, int width, int height,
                           const WindowRect& workArea);
