#pragma once

#include <cstdint>
#include <span>
#include <string>

class cmcEeprom;

// Names in the image are fixed-length fields of 7-bit characters in which bit 7 of a byte
// stands for a "." after its character. These turn them into texts to show.

// Each byte as its character, a byte with bit 7 set followed by "."; a dotted 0 or space
// gives " ." except as the first byte, where it gives "." alone. Up to twice the field's
// length.
std::string DecodeDottedText(std::span<const uint8_t> bytes);
// The first n characters at most, each outside 0x20..0x7E replaced by "*".
std::string StarNonPrintable(std::string_view text, std::size_t n);
// Every byte outside 0x20..0x7E replaced by a space, in place.
void BlankNonPrintable(std::span<uint8_t> bytes);
bool IsAllSpaces(std::span<const uint8_t> bytes);
// "<bank + 1>: <name>", the bank's name decoded and starred.
std::string FormatBankLabel(const cmcEeprom& image, int bank);
