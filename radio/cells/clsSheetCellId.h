#pragma once

#include <cstdint>

#include "radio/cells/cmcCellObj.h"

// Bits of a sheet cell entry.
inline constexpr uint8_t kCellLineSelectable = 0x01;
inline constexpr uint8_t kCellMarked = 0x02;
inline constexpr uint8_t kCellLineMarked = 0x04;

// One grid cell of a sheet: its descriptor and its selection bits.
struct clsSheetCellId {
    cmcCellObj cell;
    uint8_t bits = kCellLineSelectable;

    bool Selectable() const { return (cell.stateBits & kStateSelectable) != 0; }
    bool Tail() const { return (cell.stateBits & kStateTail) != 0; }
    bool Has(uint8_t bit) const { return (bits & bit) != 0; }
};
