#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Display bytes of the radio's segment display and the text the user edits them as. A display
// byte is a character code in its low 7 bits (32..127 the built-in font, 16..31 the user
// characters, 0..15 blank) and a dot after the character in bit 7. In the text, what a keyboard
// cannot type is written "%" and two hexadecimal digits, "%%" is the percent sign itself, and a
// "." after a character is that character's dot.

// At most this many bytes or characters are converted.
inline constexpr std::size_t kEscapedTextLimit = 255;

bool IsUserCharCode(int code);
// Written as an escape: the user characters and 127..255.
bool IsEscapedCode(int code);
// Taken as typed into the text: 0x20..0x7E and 127..255.
bool IsTextByte(int code);

// The text of the bytes; a code 0..15 (no character) ends it. A "." character is written as
// its escape, so that the text reads back as the same bytes.
std::string BytesToEscapedText(std::span<const uint8_t> bytes);
// The bytes of the text, one for each character, escape or dotted character.
std::vector<uint8_t> EscapedTextToBytes(std::string_view text);
