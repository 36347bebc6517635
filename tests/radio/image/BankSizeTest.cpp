#include "radio/image/BankSize.h"

#include <gtest/gtest.h>

#include "radio/image/ImageLayout.h"
#include "radio/image/ImageWords.h"
#include "radio/image/PackedSpace.h"
#include "radio/image/RecordKind.h"

namespace {

class BankSizeTest : public ::testing::Test {
protected:
    BankSizeTest() { image.Resize(layout::kImageSize); }
    void SetWord(int address, int value) { SetBE16(image.GetData() + address, value); }
    cmcEeprom image;
};

TEST_F(BankSizeTest, ResetGivesOneBankOrTwoSmallOnes) {
    WriteBankSize(image, 7, 9);
    ResetBankSizes(image, false);
    EXPECT_EQ(ReadBankSize(image, 0), 256);
    for (int bank = 1; bank < 16; ++bank) {
        EXPECT_EQ(ReadBankSize(image, bank), 0) << bank;
    }
    EXPECT_FALSE(HasSecondBank(image));
    ResetBankSizes(image, true);
    EXPECT_EQ(ReadBankSize(image, 0), 4);
    EXPECT_EQ(ReadBankSize(image, 1), 4);
    EXPECT_TRUE(HasSecondBank(image));
}

TEST_F(BankSizeTest, InvalidBanksReadZeroAndWriteNothing) {
    EXPECT_FALSE(IsValidBank(16));
    EXPECT_FALSE(IsValidBank(-1));
    EXPECT_EQ(WriteBankSize(image, 16, 5), 0);
    EXPECT_EQ(ReadBankSize(image, 16), 0);
    EXPECT_EQ(WriteBankSize(image, 15, 300), 300);
    BankSpan none = GetBankSpan(image, 16);
    EXPECT_EQ(none.count + none.first + none.last + none.bank, 0);
}

TEST_F(BankSizeTest, SpanOfABank) {
    WriteBankSize(image, 0, 10);
    WriteBankSize(image, 1, 6);
    BankSpan span = GetBankSpan(image, 1);
    EXPECT_EQ(span.bank, 1);
    EXPECT_EQ(span.first, 10);
    EXPECT_EQ(span.last, 15);
    EXPECT_EQ(span.count, 6);
    EXPECT_EQ(GetCurrentBankSpan(image).count, 0);  // no bank sheet answers
}

TEST_F(BankSizeTest, PackedSpaceOfChannels) {
    // The 14-byte entries end where the 20-byte ones begin; both must leave room below the end
    // of the radio part.
    SetWord(layout::kPackedEntriesBStart2, 8159 - 14 * 10 - 1);
    SetWord(layout::kPackedEnd, 32735 - 34 * 10);
    struct Case {
        int count;
        bool fits;
        int bytes;
    } cases[] = {{0, true, 0}, {10, true, 140}, {11, false, 154}};
    for (const auto& c : cases) {
        PackedFit fit = PackedSpaceFits(image, RK_ChPmr, c.count);
        EXPECT_EQ(fit.fits, c.fits) << c.count;
        EXPECT_EQ(fit.bytes, c.bytes) << c.count;
    }
    EXPECT_EQ(MaxChannelsThatFit(image, RK_ChPmr, 50), 10);
    SetWord(layout::kPackedEnd, 32735);
    EXPECT_EQ(MaxChannelsThatFit(image, RK_ChPmr, 50), 0);  // nothing beyond what is there
    SetWord(layout::kPackedEnd, 32736);
    EXPECT_EQ(MaxChannelsThatFit(image, RK_ChPmr, 50), -1);  // not even the current contents
    EXPECT_TRUE(PackedSpaceFits(image, RK_Scan, 1000).fits == false);
}

}  // namespace
