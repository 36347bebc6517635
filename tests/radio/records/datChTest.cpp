#include "radio/records/datCh.h"

#include <gtest/gtest.h>

#include <string>

#include "radio/image/BankTable.h"
#include "tests/radio/support/RecordImage.h"

namespace {

constexpr int kEntryA = 32736;  // channel c at 32736 + 14c
constexpr int kEntryB = 36320;  // channel c at 36320 + 20c

class datChTest : public ::testing::Test {
protected:
    void SetUp() override { image.Resize(48880); }

    uint8_t& At(int address) { return image.GetData()[address]; }

    void SetBytes(int address, std::initializer_list<int> bytes) {
        for (int b : bytes) {
            At(address++) = static_cast<uint8_t>(b);
        }
    }

    cmcEeprom image;
    datCh view{&image};
};

TEST_F(datChTest, ChannelFrequencyClampAndUse) {
    view.Load(RK_ChPmr, 0);
    EXPECT_EQ(view.used, 0);  // all-zero receive frequency

    SetBytes(kEntryA, {0xFF, 0xFF, 0xFF, 0xFF, 0x2F, 0xAF, 0x08, 0x00});
    view.Load(RK_ChPmr, 0);
    EXPECT_EQ(view.used, 1);
    EXPECT_EQ(view.inh, 1);
    EXPECT_EQ(view.rxFreq, 799999950);  // 0x7FFFFFFF clamped
    EXPECT_EQ(view.txInh, 0);
    EXPECT_EQ(view.txFreq, 799999950);  // 800,000,000 clamped

    view.rxFreq = 150000000;
    view.txFreq = -5;
    view.StoreAndReload();
    EXPECT_EQ(view.rxFreq, 150000000);
    EXPECT_EQ(view.txFreq, 0);
    EXPECT_EQ(At(kEntryA), 0x80 | 0x08);  // 150000000 = 0x08F0D180, inh kept on top
}

TEST_F(datChTest, UnusedChannelStoresZeroFrequenciesButKeepsTheFlags) {
    view.Load(RK_ChLmr, 7);
    view.rxFreq = 0;
    view.txFreq = 440000000;
    view.used = 0;
    view.inh = 1;
    view.txInh = 1;
    view.Store();
    const int a = kEntryA + 14 * 7;
    EXPECT_EQ(At(a), 0x80);
    EXPECT_EQ(At(a + 3), 0);
    EXPECT_EQ(At(a + 4), 0x80);
    EXPECT_EQ(At(a + 7), 0);
}

TEST_F(datChTest, AttrBitsComeFromTheSharedPlaces) {
    SetBytes(366, {0x00, 0x40});         // bank 9 flagged
    SetBytes(440, {0, 10, 0, 0, 0, 5});  // banks 0..2: 10, 0, 5 channels
    SetBytes(440 + 18, {0, 1});          // bank 9: channel 15
    At(369) = 15;
    At(370) = 3;
    At(368) = 15;
    At(378) = 0x20;
    view.Load(RK_ChPmr, 15);
    EXPECT_EQ(view.attr, 0x01 | 0x04 | 0x10);
    At(378) = 0x00;
    view.Load(RK_ChPmr, 15);
    EXPECT_EQ(view.attr, 0x01 | 0x08 | 0x10);

    // A clear bit writes nothing; a set bit writes the channel's number.
    view.Load(RK_ChPmr, 4);
    view.attr = 0x02;
    view.Store();
    EXPECT_EQ(At(369), 15);
    EXPECT_EQ(At(370), 4);
    EXPECT_EQ(At(378), 0x20);  // attr bit 3 clear
    EXPECT_EQ(At(366), 0x00);  // bank 0 unflagged
    view.attr = 0x08 | 0x10;
    view.Store();
    EXPECT_EQ(At(378), 0x00);
    EXPECT_EQ(At(366), 0x80);
}

TEST_F(datChTest, ToneWords) {
    const int a = kEntryA + 14 * 2;
    SetBytes(a + 8, {0x7E, 0x21});  // on, digital, inverted, code 0x021, bits 4..1 set
    view.Load(RK_ChPmr, 2);
    EXPECT_EQ(view.tone1.on, 1);
    EXPECT_EQ(view.tone1.digital, 1);
    EXPECT_EQ(view.tone1.inverted, 1);
    EXPECT_EQ(view.tone1.code, 0x021);
    EXPECT_EQ(view.tone1.toneIndex, 0);

    view.tone1.code = 0x1FF;
    view.tone1.inverted = 0;
    view.Store();
    EXPECT_EQ(At(a + 8), 0x5F);
    EXPECT_EQ(At(a + 9), 0xFF);

    view.tone1 = {0, 0, 1, 37, 0x1FF};  // analogue, off
    view.Store();
    EXPECT_EQ(At(a + 8), 0x9E);  // off, bits 4..1 kept, bits 5 and 0 cleared
    EXPECT_EQ(At(a + 9), 37);
    view.Load(RK_ChPmr, 2);
    EXPECT_EQ(view.tone1.on, 0);
    EXPECT_EQ(view.tone1.toneIndex, 37);
    EXPECT_EQ(view.tone1.code, 0);
}

TEST_F(datChTest, LmrChannelFields) {
    const int b = kEntryB + 20 * 9;
    SetBytes(b + 16, {0xA5});
    SetBytes(b + 18, {0xAB, 0xC0});
    view.Load(RK_ChLmr, 9);
    EXPECT_EQ(view.twoTone, 0x25);
    EXPECT_EQ(view.stnCode, 1);
    EXPECT_EQ(view.stnLong, 1);
    EXPECT_EQ(view.rxCodeNo, 0x2AF);
    view.Store();
    EXPECT_EQ(At(b + 16), 0x25);  // the whole byte is the two-tone number
    EXPECT_EQ(At(b + 18), 0xAB);
    EXPECT_EQ(At(b + 19), 0xC0);

    view.Load(RK_ChPmr, 9);
    EXPECT_EQ(view.rxCodeNo, 0xAB);
    view.Store();
    EXPECT_EQ(At(b + 19), 0);
}

TEST_F(datChTest, NameNotAllSpacesSetsTheUsedBit) {
    struct Case {
        uint32_t kind;
        int index;
        int address;
        uint8_t mask;
    };
    const Case cases[] = {
        {RK_ChPmr, 1, kEntryB + 20 + 9, 0x04}, {RK_RxCode, 1, 1938 + 17 + 15, 0x04},
        {RK_TxCode, 0, 1490 + 13, 0x20},       {RK_2ToneCode, 1, 1938 + 17 + 15, 0x04},
        {RK_2ToneCode, 1, 1490 + 13, 0x20},    {RK_MskIdGroup, 0, 2646 + 13, 0x04},
        {RK_MskCallList, 0, 2198 + 13, 0x20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.kind) + " at " + std::to_string(c.address));
        At(c.address) = 0xFF;
        view.Load(c.kind, c.index);
        view.name.fill(' ');
        view.Store();
        EXPECT_EQ(At(c.address), 0xFF & ~c.mask);
        view.name[7] = 'A';
        view.Store();
        EXPECT_EQ(At(c.address), 0xFF);
    }
}

TEST_F(datChTest, FiveToneCodes) {
    SetBytes(1938 + 17, {1, 2, 3, 4});
    At(1938 + 17 + 12) = 0xEE;  // the receive code's marker byte
    At(373) = 0x42;
    view.Load(RK_RxCode, 1);
    EXPECT_EQ(view.codeBytes, (std::array<uint8_t, 5>{1, 2, 3, 4, 0xEE}));
    EXPECT_EQ(view.common, 0x42);

    // A transmit code takes four bytes and writes four, even with a fifth in the view.
    SetBytes(1490 + 14 * 31 + 8, {9, 8, 7, 6, 0x55, 0x66});
    view.Load(RK_TxCode, 31);
    EXPECT_EQ(view.codeBytes, (std::array<uint8_t, 5>{9, 8, 7, 6, 0}));
    EXPECT_EQ(view.common, 0x42);
    view.codeBytes = {1, 1, 1, 1, 1};
    view.Store();
    EXPECT_EQ(At(1490 + 14 * 31 + 11), 1);
    EXPECT_EQ(At(1490 + 14 * 31 + 12), 0x55);
    EXPECT_EQ(At(1938), 0);  // the next table is untouched
}

TEST_F(datChTest, InvertedSelectBits) {
    At(1490 + 13) = 0x10;
    At(2198 + 13) = 0x00;
    view.Load(RK_TxCode, 0);
    EXPECT_EQ(view.sel, 0);
    view.Load(RK_MskCallList, 0);
    EXPECT_EQ(view.sel, 1);
}

TEST_F(datChTest, ScanSettingAndTwoToneFlags) {
    At(860 + 40) = 0x2F;
    view.Load(RK_Scan, 0);
    EXPECT_EQ(view.setting, 47);
    view.setting = 5;
    view.Store();
    EXPECT_EQ(At(860 + 40), 0x05);

    At(1938 + 17 * 10 + 13) = 0x01;  // any non-zero byte answers
    At(1490 + 14 * 9 + 12) = 0x9F;   // low nibble 15: no code type
    view.Load(RK_2ToneCode, 10);
    EXPECT_EQ(view.ans, 1);
    EXPECT_EQ(view.codeType, 0);
    view.codeType = 1;
    view.Store();
    EXPECT_EQ(At(1938 + 17 * 10 + 13), 0xFF);
    EXPECT_EQ(At(1490 + 14 * 9 + 12), 0x99);
}

TEST_F(datChTest, TwoToneRealNumbersDropTheirFraction) {
    view.Load(RK_2ToneCode, 1);
    view.toneA = 1234.9;
    view.toneB = 70000;  // beyond a word: the largest word
    view.periodA = 12.7;
    view.periodB = -3;
    view.Store();
    EXPECT_EQ(At(1490 + 8), 0x04);
    EXPECT_EQ(At(1490 + 9), 0xD2);
    EXPECT_EQ(At(1490 + 10), 0xFF);
    EXPECT_EQ(At(1490 + 11), 0xFF);
    EXPECT_EQ(At(668), 12);
    EXPECT_EQ(At(669), 0);
}

TEST_F(datChTest, CallListAddressIsFourDigitBcd) {
    const int r = 2198 + 14 * 3;
    SetBytes(r + 8, {0x12, 0x34, 0x00, 0x00});
    view.Load(RK_MskCallList, 3);
    EXPECT_EQ(view.adr, 1234);
    view.adr = 987;
    view.Store();
    EXPECT_EQ(At(r + 8), 0x09);
    EXPECT_EQ(At(r + 9), 0x87);
    EXPECT_EQ(At(r + 10), 0xFF);
    EXPECT_EQ(At(r + 11), 0xFF);

    // A blank entry keeps its bytes when another field is stored.
    SetBytes(r + 8, {0xFF, 0xFF, 0x00, 0x00});
    view.Load(RK_MskCallList, 3);
    EXPECT_EQ(view.adr, 65535);
    view.update = 1;
    view.Store();
    EXPECT_EQ(At(r + 8), 0xFF);
    EXPECT_EQ(At(r + 9), 0xFF);
    EXPECT_EQ(At(r + 10), 0x00);
}

// Records that the layout lays over each other see each other's bytes.
TEST_F(datChTest, OverlappingRecordAreas) {
    view.Load(RK_2ToneCode, 4);
    view.name = {'T', 'W', 'O', 'T', 'O', 'N', 'E', '4'};
    view.bell = 2;
    view.Store();
    view.Load(RK_RxCode, 4);
    EXPECT_EQ(std::string(view.name.begin(), view.name.end()), "TWOTONE4");
    EXPECT_EQ(view.bell, 2);
    view.Load(RK_TxCode, 3);  // the two-tone code's transmit entry
    EXPECT_EQ(std::string(view.name.begin(), view.name.end()), "TWOTONE4");

    view.Load(RK_2ToneCode, 1);
    view.lowA = 0x0102;
    view.Store();
    view.Load(RK_UserTone, 0);  // the first bounds lie on the first encode tone
    EXPECT_EQ(view.encode, 0x0102);
}

TEST_F(datChTest, OutOfRangeIndicesAreHarmless) {
    radiotest::FillPseudoRandom(image);
    cmcEeprom before;
    before.Assign(image);
    for (uint32_t kind = RK_ChLmr; kind <= RK_MdcAlias; ++kind) {
        for (int index : {datCh::GetKindMin(kind) - 1, datCh::GetKindLastRecord(kind) + 1}) {
            SCOPED_TRACE(std::to_string(kind) + " " + std::to_string(index));
            view.Load(kind, index);
            EXPECT_EQ(view.kind, kind);
            EXPECT_EQ(view.index, index);
            EXPECT_EQ(view.used, 1);
            EXPECT_EQ(view.rxFreq, 0);
            EXPECT_EQ(view.name, datCh::Text{});
            view.name.fill('X');
            view.attr = 0x1F;
            view.adr = 1;
            view.Store();
            EXPECT_TRUE(image.IsEqual(before));
        }
    }
}

TEST_F(datChTest, NothingWithoutAWholeDocumentImage) {
    datCh unbound;
    unbound.Load(RK_ChPmr, 0);
    unbound.Store();
    EXPECT_EQ(unbound.used, 1);

    cmcEeprom radioPart;
    radioPart.Resize(32736);
    radioPart.Fill(0x11);
    datCh small(&radioPart);
    small.Load(RK_BankOp, 0);
    EXPECT_EQ(small.name, datCh::Text{});
    small.Store();
    EXPECT_EQ(radioPart.GetByte(696), 0x11);
}

TEST_F(datChTest, CommonKindLoadsNothingAndClearKeepsTheImage) {
    radiotest::FillPseudoRandom(image);
    view.Load(RK_2ToneTxCommon, 3);
    EXPECT_EQ(view.kind, RK_2ToneTxCommon);
    EXPECT_EQ(view.index, 3);
    EXPECT_EQ(view.name, datCh::Text{});

    view.Load(RK_BankOp, 2);
    view.Clear();
    EXPECT_EQ(view.kind, RK_None);
    EXPECT_EQ(view.name, datCh::Text{});
    view.Load(RK_BankOp, 2);
    EXPECT_EQ(view.name[0], image.GetByte(696 + 16));
}

TEST(datChKinds, LimitsAndEditability) {
    struct Case {
        uint32_t kind;
        int min;
        int max;
        int last;  // the last record the view reaches
        bool editable;
        bool listEdits;
    };
    const Case cases[] = {
        {RK_None, 0, 0, 0, false, false},
        {RK_ChLmr, 0, 255, 255, true, true},
        {RK_ChMdcLmr, 0, 255, 255, true, true},
        {RK_CEdit, 0, 15, 15, true, true},
        {RK_Dtmf, 0, 7, 7, false, true},
        {RK_Scan, 0, 9, 9, false, true},
        {RK_CTone, 0, 8, 8, false, true},
        {RK_RxCode, 1, 8, 8, false, true},
        {RK_TxCode, 0, 31, 31, false, true},
        {RK_UserTone, 0, 14, 14, false, false},
        {RK_2ToneCode, 1, 10, 10, false, true},
        {RK_2ToneTxCommon, 0, 9, 9, false, true},
        {RK_BankOp, 0, 15, 15, false, false},
        {RK_MskIdGroup, 0, 7, 7, false, true},
        {RK_MskCallList, 0, 31, 31, false, true},
        {RK_MskMsgStatus, 0, 22, 23, false, true},  // the last is the radio's own
        {RK_MskMsgShortTxt, 0, 7, 7, false, true},
        {RK_MdcAlias, 0, 499, 499, true, true},
        {21, 0, 100000000, 100000000, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        EXPECT_EQ(datCh::GetKindMin(c.kind), c.min);
        EXPECT_EQ(datCh::GetKindMax(c.kind), c.max);
        EXPECT_EQ(datCh::GetKindLastRecord(c.kind), c.last);
        EXPECT_EQ(datCh::KindEditable(c.kind), c.editable);
        EXPECT_EQ(datCh::KindTakesListEdits(c.kind), c.listEdits);
    }
}

}  // namespace
