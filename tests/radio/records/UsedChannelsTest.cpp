#include "radio/records/UsedChannels.h"

#include <gtest/gtest.h>

#include "tests/radio/support/BankImage.h"

namespace {

using UsedChannelsTest = radiotest::BankImage;

TEST_F(UsedChannelsTest, CountsUsedChannelsOfEachBank) {
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

TEST_F(UsedChannelsTest, UsedChannelsAreCountedOverPositionsWhateverTheBanks) {
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
