#include "radio/image/Bcd4.h"

#include <gtest/gtest.h>

#include <array>

#include "radio/image/cmcPackedBcd.h"

namespace {

TEST(Bcd4, DecodeIsInvalidForAnyNibbleAboveNine) {
    const uint8_t good[] = {0x12, 0x39};
    const uint8_t zero[] = {0x00, 0x00};
    const uint8_t low[] = {0x12, 0x3A};
    const uint8_t high[] = {0xA0, 0x00};
    EXPECT_EQ(DecodeBcd4(good), 1239);
    EXPECT_EQ(DecodeBcd4(zero), 0);
    EXPECT_EQ(DecodeBcd4(low), 65535);
    EXPECT_EQ(DecodeBcd4(high), 65535);
}

TEST(Bcd4, EncodeFillsTheFieldAndKeepsFourDigits) {
    std::array<uint8_t, 5> field{};
    EncodeBcd4(12345, field.data(), 4);
    EXPECT_EQ(field, (std::array<uint8_t, 5>{0x23, 0x45, 0xFF, 0xFF, 0x00}));

    EncodeBcd4(7, field.data(), 1);  // a one-byte field holds the first two digits
    EXPECT_EQ(field[0], 0x00);
    EXPECT_EQ(field[1], 0x45);

    EncodeBcd4(9999, field.data(), 0);
    EXPECT_EQ(field[0], 0x00);
}

TEST(cmcPackedBcd, StoresDigitsIntoNibblesKeepingTheOthers) {
    cmcPackedBcd digits;
    EXPECT_EQ(digits.GetLength(), 0);
    for (int d : {1, 2, 3}) {
        digits.AddByte(d);
    }
    std::array<uint8_t, 3> out = {0xAA, 0xBB, 0xCC};
    digits.StoreNibbles(out);
    EXPECT_EQ(out, (std::array<uint8_t, 3>{0x12, 0x3B, 0xCC}));

    std::array<uint8_t, 1> shortOut = {0xFF};
    digits.StoreNibbles(shortOut);  // the third digit has no room and is not written
    EXPECT_EQ(shortOut[0], 0x12);
}

}  // namespace
