#pragma once

#include <cstdint>
#include <vector>

#include "tools/loader_images/PlainImage.h"

// Deterministic stand-ins for the radio firmware we do not have. The ROM image has blank
// (all 0xFF) blocks that the loader must skip and bytes 0xFA..0xFF that its frames must escape.
class StandInImages {
public:
    static constexpr uint32_t kWriterFirst = 0xFFC000;
    static constexpr uint32_t kWriterLast = 0xFFC5C9;
    static constexpr uint32_t kRomFirst = 0x7000;
    static constexpr uint32_t kRomLast = 0x3FFFF;
    static constexpr uint32_t kBlock = 128;

    static PlainImage Writer();
    static PlainImage Rom();
    // Printable key bytes (0x21..0x7E).
    static std::vector<uint8_t> Key();

    // Which of the ROM image's 128-byte blocks (counted from its first address) are blank.
    static bool IsBlankRomBlock(uint32_t block);
};
