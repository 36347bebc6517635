// The one bit codec of the record views and the memory-map rows: each coding reads its value
// and writes it back into the masked bits only.
#include "radio/image/BitCodec.h"

#include <gtest/gtest.h>

namespace {

TEST(BitCodecTest, ReadsAndWritesOnlyTheMaskedBits) {
    const struct Case {
        const char* name;
        BitCodec codec;
        uint8_t byte;
        int read;
        int written;
        uint8_t after;
    } cases[] = {
        {"masked", BitCodec::Masked(0x30), 0xA5, 2, 1, 0x95},
        {"masked, value wider than the mask", BitCodec::Masked(0x30), 0x00, 0, 7, 0x30},
        {"masked, negative value", BitCodec::Masked(0x0C), 0xFF, 3, -2, 0xFB},
        {"unshifted keeps the bits where they stand", BitCodec::Unshifted(0xFE), 0x35, 0x34, 0x0B,
         0x0B},
        {"inverted: 1 while clear", BitCodec::Inverted(4), 0xEF, 1, 0, 0xFF},
        {"inverted: any value but 0 clears", BitCodec::Inverted(4), 0xFF, 0, 2, 0xEF},
        {"reversed: the mask's lowest bit is the highest", BitCodec::Reversed(0x0C), 0x04, 2, 1,
         0x08},
        {"reversed, three bits", BitCodec::Reversed(0x70), 0x9F, 4, 6, 0xBF},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.codec.Read(c.byte), c.read) << c.name;
        EXPECT_EQ(c.codec.Write(c.byte, c.written), c.after) << c.name;
        EXPECT_EQ(c.codec.Write(c.byte, c.written) & ~c.codec.Mask(), c.byte & ~c.codec.Mask())
            << c.name;
    }
}

}  // namespace
