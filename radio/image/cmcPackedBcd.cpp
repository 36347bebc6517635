#include "radio/image/cmcPackedBcd.h"

#include <algorithm>

#include "common/TextHelpers.h"

cmcPackedBcd::cmcPackedBcd() = default;

void cmcPackedBcd::StoreNibbles(std::span<uint8_t> destination) const {
    const std::size_t count = std::min<std::size_t>(GetLength(), destination.size() * 2);
    for (std::size_t k = 0; k < count; ++k) {
        SetNibble(destination.data(), k, GetData()[k]);
    }
}
