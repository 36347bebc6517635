#include "radio/image/BankTable.h"

#include <gtest/gtest.h>

#include "tests/radio/support/BankImage.h"

namespace {

using BankTableTest = radiotest::BankImage;

TEST_F(BankTableTest, SizesAreWordsAndBadBanksReadZero) {
    EXPECT_EQ(SetBankSize(image, 3, 0x0102), 0x0102);
    EXPECT_EQ(image.GetByte(446), 0x01);
    EXPECT_EQ(image.GetByte(447), 0x02);
    EXPECT_EQ(GetBankSizeOf(image, 3), 0x0102);
    EXPECT_EQ(SetBankSize(image, 16, 5), 0);
    EXPECT_EQ(SetBankSize(image, -1, 5), 0);
    EXPECT_EQ(image.GetByte(472), 0);
    EXPECT_EQ(GetBankSizeOf(cmcEeprom(), 0), 0);
}

TEST_F(BankTableTest, FlagsAreAnMsbFirstBitmap) {
    EXPECT_EQ(SetBankFlag(image, 0, 1), 1);
    EXPECT_EQ(SetBankFlag(image, 9, 7), 1);
    EXPECT_EQ(image.GetByte(366), 0x80);
    EXPECT_EQ(image.GetByte(367), 0x40);
    EXPECT_EQ(SetBankFlag(image, 0, 0), 0);
    EXPECT_EQ(image.GetByte(366), 0x00);
    EXPECT_EQ(GetBankFlag(image, 9), 1);
    EXPECT_EQ(SetBankFlag(image, 16, 1), 0);
    EXPECT_EQ(image.GetByte(368), 0);
}

TEST_F(BankTableTest, ChannelsAreNumberedBankAfterBank) {
    Sizes({3, 0, 2, 0, 4});
    EXPECT_EQ(SumBankSizes(image, 0), 0);
    EXPECT_EQ(SumBankSizes(image, 2), 3);
    EXPECT_EQ(SumBankSizes(image, 99), 9);
    EXPECT_EQ(TotalBankChannels(image), 9);
    EXPECT_EQ(LastChannelOfBank(image, 0), 2);
    EXPECT_EQ(LastChannelOfBank(image, 2), 4);
    EXPECT_EQ(LastChannelOfBank(cmcEeprom(), 0), 0);

    struct Case {
        int channel;
        int bank;
    };
    // Banks of size 0 never hold a channel; past the total there is no bank.
    for (Case c : {Case{0, 0}, Case{2, 0}, Case{3, 2}, Case{4, 2}, Case{5, 4}, Case{8, 4},
                   Case{9, 16}, Case{-1, 16}}) {
        EXPECT_EQ(BankOfChannel(image, c.channel), c.bank) << c.channel;
    }
    for (Case c : {Case{0, 0}, Case{3, 0}, Case{4, 2}, Case{6, 4}, Case{9, 4}, Case{10, 0}}) {
        EXPECT_EQ(BankAtCount(image, c.channel), c.bank) << c.channel;
    }
}

}  // namespace
