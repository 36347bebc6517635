#pragma once

#include "radio/image/AddressRange.h"

// What a list of document addresses is for.
enum RangeKind : int {
    RANGE_CloneWrite = 0,  // outside maker mode: the maker's first 256 bytes are left alone
    RANGE_CloneRead = 1,   // also a clone write in maker mode
    RANGE_Save = 2,
    RANGE_Load = 3,
};

// The addresses of the radio part that an exchange or a file of the kind covers: one range and
// the end marker.
AddressRangeList GetAddressRanges(int kind);
