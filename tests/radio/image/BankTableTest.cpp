#include "radio/image/BankTable.h"

#include <gtest/gtest.h>

#include "radio/image/ImageWords.h"
#include "radio/records/UsedChannels.h"

namespace {

class BankTableTest : public ::testing::Test {
protected:
    void SetUp() override { image.Resize(48880); }

    void Sizes(std::initializer_list<int> sizes) {
        int bank = 0;
        for (int n : sizes) {
            SetBE16(image.GetData() + 440 + 2 * bank++, n);
        }
    }

    // Receive frequency of channel c in the first working table.
    void Use(int channel) { image.GetData()[32736 + 14 * channel + 3] = 1; }

    cmcEeprom image;
};

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

TEST_F(BankTableTest, CountsUsedChannelsOfEachBank) {
    Sizes({3, 2});
    Use(0);
    Use(2);
    Use(4);
    Use(5);  // beyond the banks
    EXPECT_EQ(CountUsedInBank(image, MT_Pmr, 0), 2);
    EXPECT_EQ(CountUsedInBank(image, MT_Lmr, 1), 1);
    EXPECT_EQ(CountUsedInBanks(image, MT_VaskPmr), 3);
    EXPECT_EQ(CountUsedInBank(image, MT_Pmr, 16), 0);

    // A table that runs past the last channel counts only channels that exist.
    Sizes({250, 100});
    EXPECT_EQ(CountUsedInBank(image, MT_Pmr, 1), 0);
}

}  // namespace

namespace {

TEST_F(BankTableTest, UsedChannelsAreCountedOverPositionsWhateverTheBanks) {
    Use(0);
    Use(5);
    Use(7);
    Use(255);
    struct Case {
        int first;
        int last;
        int count;
    } cases[] = {{0, 255, 4}, {4, 7, 2}, {5, 5, 1}, {5, 4, -1}, {-1, 3, -1}, {250, 256, -1}};
    for (const Case& c : cases) {
        EXPECT_EQ(CountUsedChannelsIn(image, MT_Pmr, c.first, c.last), c.count) << c.first;
    }
    EXPECT_EQ(CountUsedChannels(image, MT_VaskPmr), 4);
    EXPECT_EQ(CountBankChannels(image, MT_Pmr, 1), 2);
    EXPECT_EQ(CountBankChannels(image, MT_Pmr, 16), -1);
}

}  // namespace
