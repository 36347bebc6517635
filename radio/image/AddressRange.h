#pragma once

#include <cstdint>
#include <vector>

// One range of image addresses, both ends inclusive.
struct AddressRange {
    int32_t first;
    int32_t last;
};

// An address-range list: its ranges up to the first pair whose last is below its first (the
// end marker) or the end of the vector, whichever comes first.
using AddressRangeList = std::vector<AddressRange>;

// The number of ranges before the end marker.
inline int CountRanges(const AddressRangeList& ranges) {
    int n = 0;
    while (n < static_cast<int>(ranges.size()) && ranges[n].last >= ranges[n].first)
        ++n;
    return n;
}
