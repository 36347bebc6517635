#pragma once

#include <string>

// A whole number from a table text, as the class library converts one: optional blanks, an
// optional sign, decimal digits, nothing after them. Any other text (such as the missing-key
// text) throws std::invalid_argument naming it, which the program shows and ends on.
int TableNumber(const std::string& text);
