#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Name lookups of the cell-definition language. Category and item names share one hash of
// 1031 buckets, each set filled on its first lookup. Names are exact and case-sensitive.

// 0..21; the empty name gives 22 (none); an unknown name is fatal.
int32_t CategoryNameToCode(std::string_view name);
// 0..698; the empty name gives 699 (none); an unknown name is fatal.
int32_t ItemNameToCode(std::string_view name);
// The CL_ name of 0..698, else the empty text.
std::string CellItemCodeToName(int32_t code);
