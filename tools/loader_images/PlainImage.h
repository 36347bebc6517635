#pragma once

#include <cstdint>
#include <vector>

// An image before scrambling: first and last address and the bytes in between.
struct PlainImage {
    uint32_t first = 0;
    uint32_t last = 0;
    std::vector<uint8_t> bytes;
};
