#pragma once

#include <cstdint>
#include <span>

#include "radio/host/ItemContext.h"

// The cells whose marks a warning check sums: the mark (kMarkWarning or kMarkError) each of them
// passes on, at indices 0 .. count - 1, or with count kChannelsOfBank at the channels of the
// bank the check runs for (the capsule's bank context).
inline constexpr int kChannelsOfBank = 0;
struct MarkSource {
    int category = 0;
    int item = 0;
    uint8_t mark = 0;
    int count = 1;
};

// The marks the sources pass on, as the memory map that dispatched the check paints their
// cells; index by index, a mark found is not asked for again, and the sum stops once it holds
// every mark the sources can pass on.
uint8_t SumOfMarks(const ItemContext& context, std::span<const MarkSource> sources);
