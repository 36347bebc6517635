#pragma once

#include <string>
#include <string_view>

// Reading what the user typed into a cell's in-place editor. Numbers are read as in the C
// locale whatever the user's locale says, since the cells write them that way.

// Every character that is neither a decimal digit nor in the allowed set removed, in place.
void FilterTextChars(std::string& text, std::string_view allowed);
// The same on a copy.
std::string FilteredText(std::string_view text, std::string_view allowed);
// The real number the text begins with; 0 when it begins with none or with one beyond the
// range of a double.
double ReadReal(std::string_view text);
// Rounded half away from zero.
long long RoundHalfAway(double value);
// Digits, "." and "-" kept, cut to 9 characters, read as a real number and rounded half away
// from zero (held within the int range).
int ParseRoundedInt(std::string_view text);
// The digits the text begins with as a number, held within the int range (atol on digits).
int ReadDigits(std::string_view text);
// The text begins with "of" in any case: the shorthand for 0 where a field can be off.
bool BeginsWithOff(std::string_view text);
// The first n characters at most.
std::string FirstChars(std::string_view text, std::size_t n);
// Upper-cased copy (ASCII letters).
std::string UpperCase(std::string_view text);
