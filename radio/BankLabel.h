#pragma once

#include <string>

class cmcEeprom;

// The label of a bank in the tree and its sheet's title: the bank number from 1, ": ", then
// the bank's name (a bit 7 stands for a "." after its character), every character outside
// 0x20..0x7E shown as "*".
std::string FormatBankLabel(const cmcEeprom& image, int bank);
