// The MSK signalling rows against image fixtures and the program's own text table: the text
// each shows, the bits an edit stores, and the address checks' error marks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "radio/cells/CellCodes.h"
#include "radio/image/ImageLayout.h"
#include "radio/memmap/indActiveCell.h"
#include "tests/radio/support/CellRig.h"
#include "tests/radio/support/ImageDiff.h"

namespace {

using radiotest::Bits;

constexpr int kFirstGroup = layout::kVaskFirstGroup;

// Categories of the cells: none, and those of the record sheets.
constexpr int kNone = kCategoryNone;
constexpr int G = CT_MSK_IdGroup;
constexpr int L = CT_MSK_CallList;
constexpr int S = CT_MSK_Msg_Status;
constexpr int T = CT_MSK_Msg_ShortTxt;

// Records of the fixtures.
constexpr int kGroup2 = 2676;      // own-ID group 2 (15 bytes)
constexpr int kCallList5 = 2268;   // call-list entry 5 (14 bytes)
constexpr int kStatus4 = 2770;     // status byte of message 4
constexpr int kStatus4Rx = 3022;   // its receive text
constexpr int kStatus4Tx = 2830;   // its transmit text
constexpr int kShortText7 = 3238;  // short text 7

// What the user does on a cell: a key, a text typed into the in-place editor, or an entry
// chosen in the pop-up list.
struct Action {
    int key = 0;
    const char* typed = nullptr;
    int chosen = -1;
};
Action Pressed(int key) {
    return {key, nullptr, -1};
}
Action Typed(const char* text) {
    return {0, text, -1};
}
Action Chosen(int value) {
    return {0, nullptr, value};
}

class MskItemsTest : public ::testing::Test {
protected:
    MskItemsTest() { rig.shell.model = MT_VaskPmr; }

    void SetWord(int address, int value) {
        rig.shell.image.SetByte(address, static_cast<uint8_t>(value >> 8));
        rig.shell.image.SetByte(address + 1, static_cast<uint8_t>(value));
    }
    void SetText(int address, const char* text) {
        rig.shell.image.WriteBlock(address, reinterpret_cast<const uint8_t*>(text), 8);
    }

    // The cell's text, rendered without a canvas (display texts give their characters).
    std::string Shown(int item, int index = 0, int category = kNone) {
        rig.At(item, index, category);
        return rig.Key(0).text;
    }

    radiotest::CellRig::Run Do(const Action& action) {
        if (action.typed) {
            return rig.Type(action.typed);
        }
        if (action.chosen >= 0) {
            return rig.Answer(Flex0, action.chosen);
        }
        return rig.Key(action.key);
    }

    bool HasError(int category, int item, int index = 0) {
        return CellHasError(category, item, index);
    }

    radiotest::CellRig rig;
};

TEST_F(MskItemsTest, RowsShowTheImage) {
    cmcEeprom& image = rig.shell.image;
    SetWord(kFirstGroup, 100);
    SetWord(2184, 4095);
    image.SetByte(2188, 3);
    SetWord(2186, 42);
    SetWord(kGroup2, 4000);
    SetText(kGroup2 + 2, "DEPOT   ");
    image.SetByte(kGroup2 + 12, 0x0A);
    image.SetByte(kGroup2 + 13, 0x03);
    SetText(kCallList5, "BASE    ");
    SetWord(kCallList5 + 8, 0x1234);
    image.SetByte(kCallList5 + 12, 0xA1);
    image.SetByte(kStatus4, 0x6B);
    SetText(kStatus4Rx, "HELP    ");
    SetText(kStatus4Tx, "ON SITE ");
    SetText(kShortText7, "RETURN  ");
    image.SetByte(2797, 0x02);
    const struct {
        int address;
        uint8_t value;
    } bytes[] = {
        {2158, 3},    {2159, 8},    {2160, 1},    {2162, 50}, {2168, 200},  {2166, 0},  {2167, 255},
        {2153, 0xA2}, {2146, 0xC4}, {2147, 0xD7}, {2149, 5},  {2155, 0xA0}, {2148, 50}, {2143, 99},
        {2145, 100},  {380, 0x40},  {2154, 0x82}, {2151, 3},  {2152, 2},
    };
    for (const auto& b : bytes) {
        image.SetByte(b.address, b.value);
    }
    struct Case {
        int item;
        int index;
        int category;
        const char* text;
    } cases[] = {
        {CL_Msk_AdrRange_Individual, 0, kNone, "0000 (No Edit)"},
        {CL_Msk_AdrRange_Individual, 1, kNone, "0099 (No Edit)"},
        {CL_Msk_AdrRange_Individual, 2, kNone, "error"},
        {CL_Msk_AdrRange_Group, 0, kNone, "0100"},
        {CL_Msk_AdrRange_Group, 1, kNone, "4095 (No Edit)"},
        {CL_Msk_AdrRange_Group, 2, kNone, ""},
        {CL_Msk_AdrRange_Common, 0, kNone, "4095"},
        {CL_Msk_AdrRange_CountryCode, 0, kNone, "3"},
        {CL_Msk_AdrRange_Killer, 0, kNone, "0042"},
        {CL_Msk_IdGroup_Adr, 2, G, "4000"},
        {CL_Msk_IdGroup_Text, 2, G, "DEPOT"},
        {CL_Msk_IdGroup_Alert, 2, G, "Double beep"},
        {CL_Msk_IdGroup_Bell, 2, G, "Bell icon until reset"},
        {CL_Msk_IdGroup_SFunc, 2, G, "On"},
        // The address and name are read from the call list whatever the cell's category.
        {CL_Msk_CallList_Adr, 5, kNone, "1234"},
        {CL_Msk_CallList_Text, 5, kNone, "BASE"},
        {CL_Msk_CallList_Digit, 5, L, "1_3_\n"},
        {CL_Msk_CallList_Update, 5, L, "Enabled"},
        {CL_Msk_CallList_Sel, 5, L, "Enabled"},
        {CL_Msk_Msg_Status_Beep, 4, S, "Ring tone"},
        {CL_Msk_Msg_Status_Auto, 4, S, "On"},
        {CL_Msk_Msg_Status_SFunc, 4, S, "Off"},
        {CL_Msk_Msg_Status_Rriority, 4, S, "Priority"},
        {CL_Msk_Msg_Status_Selection, 4, S, "On"},
        {CL_Msk_Msg_Status_Text_Rx, 4, S, "HELP"},
        {CL_Msk_Msg_Status_Text_Tx, 4, S, "ON SITE"},
        {CL_Msk_Msg_ShortTxtTxMsg_1, 7, CT_MSK_Msg_ShortTxt, "RETURN"},
        {CL_Msk_Msg_ShortTxtTxMsg_Sel, 7, CT_MSK_Msg_ShortTxt, "On"},
        {CL_Msk_TimingErr_NA, 0, kNone, "3"},
        {CL_Msk_TimingErr_NM, 0, kNone, "8"},
        {CL_Msk_TimingErr_NR, 0, kNone, "1"},
        {CL_Msk_TimingErr_TAC, 0, kNone, "  0.50"},
        {CL_Msk_TimingErr_BusyCheck, 0, kNone, "200"},
        {CL_Msk_TimingErr_LetAck, 0, kNone, "  0.00"},
        {CL_Msk_TimingErr_LetCall, 0, kNone, "  2.55"},
        {CL_Msk_Cfg_Enc_PttCall, 0, kNone, "Enabled"},
        {CL_Msk_Cfg_Enc_PreEmphasis, 0, kNone, "Flat"},
        {CL_Msk_Cfg_Enc_SyncvWord, 0, kNone, "C4D7"},
        {CL_Msk_Cfg_Enc_PttSideTone, 0, kNone, "Off"},
        {CL_Msk_Cfg_Dec_BeepRepeatTimer, 0, kNone, "  5.000"},
        {CL_Msk_Cfg_Dec_MuteMskTone, 0, kNone, "On"},
        {CL_Msk_Cfg_Dec_ANI_Disp, 0, kNone, "Name or ID"},
        {CL_Msk_Cfg_Dec_ANI_Disp_Timer, 0, kNone, "  5.0"},
        {CL_Msk_Cfg_Status_FixBaseId, 0, kNone, "0099"},
        {CL_Msk_Cfg_Status_Send_PrioA, 0, kNone, "Enabled"},
        {CL_Msk_Cfg_Status_Send_On, 0, kNone, "Enabled"},
        {CL_Msk_Cfg_Status_Send_Off, 0, kNone, "Disabled"},
        {CL_Msk_Cfg_Gps_FixBaseId, 0, kNone, "0100"},
        {CL_Msk_Cfg_Gps_Send_Base, 0, kNone, "Disabled"},
        {CL_Msk_Cfg_Gps_Auto, 0, kNone, "Disabled"},
        {CL_Msk_Cfg_Gps_TimeMarker, 0, kNone, " 1:30"},
        {CL_Msk_Cfg_Gps_IntervalTimer, 0, kNone, " 1:00"},
        {CL_Msk_Cfg_Gps_Send_Logoff, 0, kNone, "Disabled"},
        {CL_Msk_Cfg_Gps_Send_Emer, 0, kNone, "Enabled"},
        {CL_Msk_Cfg_Gps_Sentence, 0, kNone, "GLL"},
        {CL_Msk_Cfg_Etc_PttEnableAtConnect, 0, kNone, "Enabled"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Shown(c.item, c.index, c.category), c.text) << c.item << "[" << c.index << "]";
    }
}

// Each edit on a fixture whose bytes are all set stores at the row's bits and nowhere else:
// image bytes at once, records through their view.
TEST_F(MskItemsTest, EditsStoreAtTheirBits) {
    struct Case {
        int item;
        int index;
        int category;
        Action action;
        std::vector<Bits> changed;
    } cases[] = {
        {CL_Msk_AdrRange_Group, 0, kNone, Typed("100"), {{2182, 0xFF}, {2183, 0x9B}}},
        {CL_Msk_AdrRange_Common, 0, kNone, Typed("1"), {{2184, 0xFF}, {2185, 0xFE}}},
        {CL_Msk_AdrRange_CountryCode, 0, kNone, Chosen(0), {{2188, 0xFF}}},
        {CL_Msk_AdrRange_Killer, 0, kNone, Typed("4095"), {{2186, 0xF0}}},
        {CL_Msk_IdGroup_Adr, 2, G, Typed("4000"), {{kGroup2, 0xF0}, {kGroup2 + 1, 0x5F}}},
        {CL_Msk_IdGroup_Text, 2, G, Typed("AB"), radiotest::TextOver0xFF(kGroup2 + 2, "AB")},
        {CL_Msk_IdGroup_Alert, 2, G, Chosen(0), {{kGroup2 + 12, 0x07}}},
        {CL_Msk_IdGroup_Bell, 2, G, Chosen(0), {{kGroup2 + 13, 0x03}}},
        {CL_Msk_IdGroup_SFunc,
         2,
         G,
         Chosen(0),
         {}},  // shown only: saving takes it from the default image
        {CL_Msk_CallList_Adr,
         5,
         kNone,
         Typed("1234"),
         {{kCallList5 + 8, 0xED}, {kCallList5 + 9, 0xCB}}},
        {CL_Msk_CallList_Digit, 5, L, Pressed('1'), {{kCallList5 + 12, 0x80}}},
        {CL_Msk_CallList_Text, 5, kNone, Typed("AB"), radiotest::TextOver0xFF(kCallList5, "AB")},
        {CL_Msk_CallList_Update, 5, L, Chosen(0), {{kCallList5 + 12, 0x01}}},
        {CL_Msk_CallList_Sel, 5, L, Chosen(1), {{kCallList5 + 13, 0x10}}},
        {CL_Msk_Msg_Status_Beep, 4, S, Chosen(0), {{kStatus4, 0xF0}}},
        {CL_Msk_Msg_Status_Horn, 4, S, Chosen(1), {}},  // the status byte has no bit for it
        {CL_Msk_Msg_Status_Auto, 4, S, Chosen(0), {{kStatus4, 0x08}}},
        {CL_Msk_Msg_Status_SFunc,
         4,
         S,
         Chosen(0),
         {}},  // shown only: saving takes it from the default image
        {CL_Msk_Msg_Status_Rriority, 4, S, Chosen(0), {{kStatus4, 0x01}}},
        {CL_Msk_Msg_Status_Selection, 4, S, Chosen(0), {{kStatus4, 0x02}}},
        {CL_Msk_Msg_Status_Text_Rx, 4, S, Typed("AB"), radiotest::TextOver0xFF(kStatus4Rx, "AB")},
        {CL_Msk_Msg_Status_Text_Tx, 4, S, Typed("AB"), radiotest::TextOver0xFF(kStatus4Tx, "AB")},
        {CL_Msk_Msg_ShortTxtTxMsg_1, 7, T, Typed("AB"), radiotest::TextOver0xFF(kShortText7, "AB")},
        {CL_Msk_Msg_ShortTxtTxMsg_Sel, 7, T, Chosen(0), {{2797, 0x02}}},
        {CL_Msk_TimingErr_NA, 0, kNone, Typed("8"), {{2158, 0xF7}}},
        {CL_Msk_TimingErr_NM, 0, kNone, Typed("1"), {{2159, 0xFE}}},
        {CL_Msk_TimingErr_NR, 0, kNone, Typed("5"), {{2160, 0xFA}}},
        {CL_Msk_TimingErr_TAC, 0, kNone, Typed("1.25"), {{2162, 0x82}}},
        {CL_Msk_TimingErr_BusyCheck, 0, kNone, Typed("200"), {{2168, 0x37}}},
        {CL_Msk_TimingErr_LetAck, 0, kNone, Typed("0.5"), {{2166, 0xCD}}},
        {CL_Msk_TimingErr_LetCall, 0, kNone, Typed("0"), {{2167, 0xFF}}},
        {CL_Msk_Cfg_Enc_PttCall, 0, kNone, Chosen(0), {{2153, 0x80}}},
        {CL_Msk_Cfg_Enc_PreEmphasis, 0, kNone, Chosen(0), {{2153, 0x40}}},
        {CL_Msk_Cfg_Enc_SyncvWord, 0, kNone, Typed("c4d7"), {{2146, 0x3B}, {2147, 0x28}}},
        {CL_Msk_Cfg_Enc_PttSideTone, 0, kNone, Chosen(0), {{2153, 0x04}}},
        {CL_Msk_Cfg_Dec_BeepRepeatTimer, 0, kNone, Typed("30"), {{2149, 0xE1}}},
        {CL_Msk_Cfg_Dec_MuteMskTone, 0, kNone, Chosen(0), {{2153, 0x20}}},
        {CL_Msk_Cfg_Dec_ANI_Disp, 0, kNone, Chosen(0), {{2155, 0x30}}},
        {CL_Msk_Cfg_Dec_ANI_Disp_Timer, 0, kNone, Typed("5"), {{2148, 0xCD}}},
        {CL_Msk_Cfg_Status_FixBaseId, 0, kNone, Typed("123"), {{2142, 0xFF}, {2143, 0x84}}},
        {CL_Msk_Cfg_Status_Send_PrioA, 0, kNone, Chosen(0), {{380, 0x40}}},
        {CL_Msk_Cfg_Status_Send_On, 0, kNone, Chosen(0), {{2154, 0x02}}},
        {CL_Msk_Cfg_Status_Send_Off, 0, kNone, Chosen(0), {{2154, 0x01}}},
        {CL_Msk_Cfg_Gps_FixBaseId, 0, kNone, Typed("123"), {{2144, 0xFF}, {2145, 0x84}}},
        {CL_Msk_Cfg_Gps_Send_Base, 0, kNone, Chosen(0), {{2154, 0x40}}},
        {CL_Msk_Cfg_Gps_Auto, 0, kNone, Chosen(0), {{2153, 0x10}}},
        {CL_Msk_Cfg_Gps_TimeMarker, 0, kNone, Typed("2:00"), {{2151, 0xFB}}},
        {CL_Msk_Cfg_Gps_IntervalTimer, 0, kNone, Typed("1:30"), {{2152, 0xFC}}},
        {CL_Msk_Cfg_Gps_Send_Logoff, 0, kNone, Chosen(0), {{2154, 0x10}}},
        {CL_Msk_Cfg_Gps_Send_Status, 0, kNone, Chosen(0), {{2154, 0x08}}},
        {CL_Msk_Cfg_Gps_Send_Sdm, 0, kNone, Chosen(0), {{2154, 0x20}}},
        {CL_Msk_Cfg_Gps_Send_Emer, 0, kNone, Chosen(0), {{2154, 0x80}}},
        {CL_Msk_Cfg_Gps_Send_ManDown, 0, kNone, Chosen(0), {{2154, 0x04}}},
        // Value 2 is bit 0x02 set and bit 0x01 clear.
        {CL_Msk_Cfg_Gps_Sentence, 0, kNone, Chosen(2), {{2153, 0x01}}},
        {CL_Msk_Cfg_Etc_PttEnableAtConnect, 0, kNone, Chosen(0), {{2155, 0x80}}},
    };
    for (const Case& c : cases) {
        rig.shell.image.Fill(0xFF);
        const std::vector<uint8_t> before = radiotest::ImageBytes(rig.shell.image);
        rig.At(c.item, c.index, c.category);
        Do(c.action);
        radiotest::ExpectBits(radiotest::ChangedBits(before, rig.shell.image), c.changed, c.item);
    }
}

// Individual addresses lie below the first group address, group addresses from it up: an
// address field in the wrong range carries the error mark that the warning checks collect.
TEST_F(MskItemsTest, AddressesOutsideTheirRangeGetTheErrorMark) {
    SetWord(kFirstGroup, 100);
    SetWord(kGroup2 - 30, 50);  // group 0, the own ID
    SetWord(layout::kMskIdGroupArea.At(3), 50);
    SetWord(layout::kMskIdGroupArea.At(4), 100);
    SetWord(2186, 150);
    SetWord(2142, 99);
    SetWord(2144, 100);
    SetWord(layout::kMskCallListArea.At(0) + 8, 0x4095);
    SetWord(layout::kMskCallListArea.At(1) + 8, 0xFFFF);  // no four-digit code
    EXPECT_EQ(Shown(CL_Msk_AdrRange_Individual, 1), "0099 (No Edit)");
    EXPECT_TRUE(HasError(CT_MSK_AdrRange, CL_Msk_AdrRange_Killer));
    EXPECT_FALSE(HasError(CT_MSK_IdGroup, CL_Msk_IdGroup_Adr, 0));
    EXPECT_TRUE(HasError(CT_MSK_IdGroup, CL_Msk_IdGroup_Adr, 3));
    EXPECT_FALSE(HasError(CT_MSK_IdGroup, CL_Msk_IdGroup_Adr, 4));
    EXPECT_FALSE(HasError(CT_MSK_Cfg, CL_Msk_Cfg_Status_FixBaseId));
    EXPECT_TRUE(HasError(CT_MSK_Cfg, CL_Msk_Cfg_Gps_FixBaseId));
    EXPECT_FALSE(HasError(CT_MSK_CallList, CL_Msk_CallList_Adr, 0));
    EXPECT_TRUE(HasError(CT_MSK_CallList, CL_Msk_CallList_Adr, 1));
    EXPECT_FALSE(CellHasWarning(CT_MSK_AdrRange, CL_Msk_AdrRange_Killer, 0));

    // A killer address typed into the individual range clears the mark.
    rig.At(CL_Msk_AdrRange_Killer, 0, CT_MSK_AdrRange);
    rig.Type("99");
    EXPECT_FALSE(HasError(CT_MSK_AdrRange, CL_Msk_AdrRange_Killer));
}

TEST_F(MskItemsTest, WithoutIndividualAddressesEveryIndividualFieldIsWrong) {
    SetWord(kFirstGroup, 0);
    rig.At(CL_Msk_AdrRange_Individual, 1);
    EXPECT_EQ(rig.Paint(), "----");
    EXPECT_EQ(rig.PaintedColour(), 0xC0C0C0u);
    EXPECT_TRUE(HasError(CT_MSK_AdrRange, CL_Msk_AdrRange_Killer));
    EXPECT_TRUE(HasError(CT_MSK_IdGroup, CL_Msk_IdGroup_Adr, 0));
    EXPECT_FALSE(HasError(CT_MSK_IdGroup, CL_Msk_IdGroup_Adr, 5));
    EXPECT_TRUE(HasError(CT_MSK_Cfg, CL_Msk_Cfg_Status_FixBaseId));

    // A first group address beyond the last address leaves the groups no range.
    SetWord(kFirstGroup, 4096);
    SetWord(layout::kMskIdGroupArea.At(7), 4095);
    EXPECT_TRUE(HasError(CT_MSK_IdGroup, CL_Msk_IdGroup_Adr, 7));
    EXPECT_FALSE(HasError(CT_MSK_IdGroup, CL_Msk_IdGroup_Adr, 0));
}

TEST_F(MskItemsTest, TheFirstGroupAddressIsStoredThroughTheAddressViewAndRedrawsEveryCell) {
    SetWord(kFirstGroup, 4000);
    rig.At(CL_Msk_AdrRange_Group, 0, CT_MSK_AdrRange);
    const radiotest::CellRig::Run run = rig.Type("291");
    EXPECT_EQ(run.redraw & RD_AllCells, RD_AllCells);
    EXPECT_EQ(run.text, "0291");
    EXPECT_EQ(rig.shell.image.GetByte(kFirstGroup), 0x01);
    EXPECT_EQ(rig.shell.image.GetByte(kFirstGroup + 1), 0x23);
    EXPECT_EQ(Shown(CL_Msk_AdrRange_Individual, 1), "0290 (No Edit)");

    // Out of range it is refused; the ends beside it are not edited at all.
    rig.At(CL_Msk_AdrRange_Group, 0, CT_MSK_AdrRange);
    rig.Type("4096");
    for (int index : {1, 2}) {
        rig.At(CL_Msk_AdrRange_Group, index, CT_MSK_AdrRange);
        rig.Type("5");
        rig.Key(kKeySpace);
    }
    rig.At(CL_Msk_AdrRange_Individual, 1, CT_MSK_AdrRange);
    rig.Type("5");
    EXPECT_EQ(rig.shell.image.GetByte(kFirstGroup + 1), 0x23);
    EXPECT_EQ(Shown(CL_Msk_AdrRange_Group, 0), "0291");
}

// The last status message is the radio's own: shown in teal, and neither keys, typed text nor
// list answers change it. The messages before it are edited as usual.
TEST_F(MskItemsTest, TheFixedStatusMessageIsShownOnly) {
    cmcEeprom& image = rig.shell.image;
    image.Fill(0xFF);
    for (int item : {CL_Msk_Msg_Status_Beep, CL_Msk_Msg_Status_Horn, CL_Msk_Msg_Status_Auto,
                     CL_Msk_Msg_Status_Text_Rx}) {
        const std::vector<uint8_t> before = radiotest::ImageBytes(image);
        rig.At(item, 23, CT_MSK_Msg_Status);
        rig.Paint();
        EXPECT_EQ(rig.PaintedColour(), 0x808000u) << item;
        EXPECT_EQ(rig.Key(kKeyEnter).request, 0) << item;
        rig.Key(kKeySpace);
        rig.Type("AB");
        rig.Answer(Flex0, 0);
        EXPECT_TRUE(radiotest::ChangedBits(before, image).empty()) << item;
    }
    EXPECT_TRUE(rig.shell.popups.choiceLists.empty());
    EXPECT_TRUE(rig.shell.popups.displayTexts.empty());
    EXPECT_EQ(rig.shell.warningRestarts, 0);

    rig.At(CL_Msk_Msg_Status_Beep, 22, CT_MSK_Msg_Status);
    rig.Answer(Flex0, 0);
    EXPECT_EQ(image.GetByte(layout::kMskMsgStatusArea.At(22)), 0x0F);
    rig.Paint();
    EXPECT_EQ(rig.PaintedColour(), 0u);
}

// The codes the memory map leaves without a row say so with their number.
TEST_F(MskItemsTest, CodesWithoutARowSaySo) {
    std::vector<int> codes = {
        CL_Msk_Msg_ShortTxtTxMsg_2,   CL_Msk_Msg_ShortTxtTxMsg_3,  CL_Msk_TimingErr_ND,
        CL_Msk_Cfg_Dec_DurationTimer, CL_Msk_Cfg_Status_Send_Base, CL_Msk_Cfg_Status_Send_Dim,
        CL_Msk_Cfg_Gps_Enable,        CL_Msk_Cfg_Gps_Send_Call,    CL_Msk_Cfg_Gps_Send_Ack};
    for (int code = CL_Msk_TimingErr_TOF; code <= CL_Msk_TimingErr_T3; ++code) {
        codes.push_back(code);
    }
    for (int code : codes) {
        EXPECT_EQ(Shown(code), std::to_string(code) + " *Yet*");
    }
}

}  // namespace
