#pragma once

#include <array>
#include <cstdint>

// Cell categories CT_... and item codes CL_...; the count itself means "none".
inline constexpr int32_t kCellCategoryCount = 22;
inline constexpr int32_t kCellItemCount = 699;
inline constexpr int32_t kCategoryNone = kCellCategoryCount;
inline constexpr int32_t kItemNone = kCellItemCount;

// The names by code, as the text table writes them in cell definitions.
extern const std::array<const char*, kCellCategoryCount> kCellCategoryNames;
extern const std::array<const char*, kCellItemCount> kCellItemNames;
