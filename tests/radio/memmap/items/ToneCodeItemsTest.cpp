// The rows of the two-tone codes, the five-tone codes and the user tones against an image
// fixture and the program's own text table: the text each shows, the bits an edit stores, the
// tone windows and their warning marks, and the cells where no record is.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "radio/cells/CellCodes.h"
#include "radio/cells/CellNames.h"
#include "radio/image/ImageLayout.h"
#include "radio/memmap/indActiveCell.h"
#include "radio/records/TwoToneLimits.h"
#include "tests/radio/support/CellRig.h"
#include "tests/radio/support/EditCase.h"
#include "tests/radio/support/ImageDiff.h"

namespace {

using radiotest::Bits;
using radiotest::Cell;
using radiotest::Chosen;
using radiotest::ImageByte;
using radiotest::Press;
using radiotest::RunEdit;
using radiotest::Typed;

constexpr uint32_t kSilver = 0xC0C0C0;

// The records of the fixture: two-tone code 3, five-tone receive code 5, transmit code 20 and
// user tone 2; none shares a byte with another.
const int kTwoTone = layout::kRxCodeArea.At(3);
const int kTwoToneTx = layout::kTwoToneTxArea.At(3);
const int kBounds = layout::kTwoToneBoundsArea.At(3);
const int kPeriods = layout::kTwoTonePeriodArea.At(3);
const int kRxCode = layout::kRxCodeArea.At(5);
const int kTxCode = layout::kTxCodeArea.At(20);
const int kEncode = layout::kUserToneEncodeArea.At(2);
const int kDecode = layout::kUserToneDecodeArea.At(2);

Cell TwoTone(int item, int index = 3) {
    return {item, index, CT_2Tone_Code};
}
Cell RxCode(int item, int index = 5) {
    return {item, index, CT_RX_Code};
}
Cell TxCode(int item, int index = 20) {
    return {item, index, CT_TX_Code};
}
Cell UserTone(int item, int index = 2) {
    return {item, index, CT_UserTone};
}

std::vector<Bits> NameOver0xFF(int address, const std::string& text) {
    return radiotest::TextOver0xFF(address, text, layout::kNameLength);
}

// A word's bits over 0xFFFF.
std::vector<Bits> WordOver0xFF(int address, int value) {
    return {{address, static_cast<uint8_t>((value >> 8) ^ 0xFF)},
            {address + 1, static_cast<uint8_t>((value & 0xFF) ^ 0xFF)}};
}

std::vector<Bits> Join(std::initializer_list<std::vector<Bits>> parts) {
    std::vector<Bits> all;
    for (const auto& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

class ToneCodeItemsTest : public ::testing::Test {
protected:
    std::string Paint(const Cell& cell) {
        rig.At(cell.item, cell.index, cell.category);
        return rig.Paint();
    }

    bool Warned(const Cell& cell) { return CellHasWarning(cell.category, cell.item, cell.index); }

    int Word(int address) {
        return (rig.shell.image.GetByte(address) << 8) | rig.shell.image.GetByte(address + 1);
    }

    radiotest::CellRig rig;
};

TEST_F(ToneCodeItemsTest, RowsShowTheImage) {
    cmcEeprom& image = rig.shell.image;
    radiotest::PutBytes(image,
                        {// Two-tone code 3: group call; answer back; bell 3; external output,
                         // automatic transmit, stun 1; scan 2, special function, beep 5; 1000.0 and
                         // 1500.0 Hz sent as two tones for 1.5 s and 0.3 s.
                         {kTwoTone, 1},
                         {kTwoTone + 13, 0xFF},
                         {kTwoTone + 14, 0x2D},
                         {kTwoTone + 15, 0xAB},
                         {kTwoToneTx + 8, 0x27},
                         {kTwoToneTx + 9, 0x10},
                         {kTwoToneTx + 10, 0x3A},
                         {kTwoToneTx + 11, 0x98},
                         {kTwoToneTx + 12, 0x22},
                         {kPeriods, 15},
                         {kPeriods + 1, 3},
                         // Two-tone timers.
                         {667, 10},
                         {396, 25},
                         {412, 10},
                         {407, 30},
                         {411, 5},
                         // Five-tone receive code 5: 1 2 + A 4 with A the group tone; ABC code 7;
                         // audio 3, scan 1, beep 1; ID decode, stun 2, bell 1; emergency cancel.
                         {kRxCode, 0x12},
                         {kRxCode + 1, 0x0A},
                         {kRxCode + 2, 0x4F},
                         {kRxCode + 3, 0xFF},
                         {kRxCode + 12, 0x20},
                         {kRxCode + 13, 7},
                         {kRxCode + 14, 0xD1},
                         {kRxCode + 15, 0x51},
                         {kRxCode + 16, 0x80},
                         // Five-tone settings.
                         {390, 50},
                         {372, 0xF8},
                         {399, 30},
                         {383, 0x01},
                         {391, 100},
                         {387, 1},
                         {388, 2},
                         {389, 3},
                         {392, 4},
                         {400, 12},
                         {371, 0xC0},
                         {layout::kCodeCommon, 0x0A},
                         {374, 0x0E},
                         {375, 0x0F},
                         {379, 0x40},
                         // Transmit code 20: 9 8 7 6 5; digits 1 and 2 entered by the user,
                         // updated; ABC decode; selectable.
                         {kTxCode + 8, 0x98},
                         {kTxCode + 9, 0x76},
                         {kTxCode + 10, 0x5F},
                         {kTxCode + 11, 0xFF},
                         {kTxCode + 12, 0xC1},
                         {kTxCode + 13, 0x80},
                         // User tone 2: 1197.0 Hz heard from 1161.1 to 1232.9 Hz; its timing and
                         // the common one.
                         {kEncode, 0x2E},
                         {kEncode + 1, 0xC2},
                         {kDecode, 0x2D},
                         {kDecode + 1, 0x5B},
                         {kDecode + 2, 0x30},
                         {kDecode + 3, 0x29},
                         {660, 100},
                         {669, 10},
                         {678, 9},
                         {685, 200},
                         {686, 6}});
    const struct {
        Cell cell;
        const char* text;
    } cases[] = {
        {TwoTone(CL_2T_RxFreq_1st), "1000.0"},
        {TwoTone(CL_2T_RxFreq_2nd), "1500.0"},
        {TwoTone(CL_2T_GroupCall), "On"},
        {TwoTone(CL_2T_Bell), "Bell icon until reset"},
        {TwoTone(CL_2T_ANS), "On"},
        {TwoTone(CL_2T_EXO), "On"},
        {TwoTone(CL_2T_Beep), "Repeated beeps"},
        {TwoTone(CL_2T_AutoTx), "On"},
        {TwoTone(CL_2T_Stun), "Stun"},
        {TwoTone(CL_2T_Scan), "Pause scanning"},
        {TwoTone(CL_2T_Sfunc), "On"},
        {{CL_2T_NotoneTimer}, "  0.100"},
        {{CL_2T_GroupTimer}, "  2.500"},
        {{CL_2T_ExoTimer}, " 10.000"},
        {{CL_2T_BeepRepeatTimer}, " 30.000"},
        {{CL_2T_AutoTxTimer}, "  5.000"},
        {TwoTone(CL_2T_Code_Type), "Two tones"},
        {TwoTone(CL_2TTx_Freq_1st), "1000.0"},
        {TwoTone(CL_2T_1st_Period), "  1.5"},
        {TwoTone(CL_2TTx_Freq_2nd), "1500.0"},
        {TwoTone(CL_2T_2nd_Period), "  0.3"},
        {RxCode(CL_5TRx_RxCode), "12+*4"},
        {RxCode(CL_5TRx_IdDec), "On"},
        {RxCode(CL_5TRx_Bell), "Bell icon"},
        {RxCode(CL_5TRx_EmerCancel), "On"},
        {RxCode(CL_5TRx_Abc), "7"},
        {RxCode(CL_5TRx_Exo), "Off"},
        {RxCode(CL_5TRx_Beep), "Single beep"},
        {RxCode(CL_5TRx_AutoTx), "Off"},
        {RxCode(CL_5TRx_Aud), "Open, manual reset"},
        {RxCode(CL_5TRx_Stun), "Kill"},
        {RxCode(CL_5TRx_Scan), "Stop scanning"},
        {RxCode(CL_5TRx_Sfunc), "Off"},
        {{CL_5TRx_LinkATimer}, "  0.500"},
        {{CL_5TRx_CompareDigit}, "12345__\n"},
        {{CL_5TRx_IdDecodeTimer}, "  3.000"},
        {{CL_5TRx_ExoTimer}, " 10.000"},
        {{CL_5TRx_BeepRepeatTimer}, " 30.000"},
        {{CL_5TRx_AutoTxTimer}, "  5.000"},
        {{CL_5TRx_CompareTone}, "On"},
        {TxCode(CL_5TTx_TxCode), "98765"},
        {TxCode(CL_5TTx_InputDigit), "12_____\n"},
        {TxCode(CL_5TTx_Update), "On"},
        {TxCode(CL_5TTx_AbcDec), "On"},
        {TxCode(CL_5TTx_AbcAud), "Off"},
        {TxCode(CL_5TTx_Sel), "On"},
        {{CL_5TTx_LongToneTimer}, "  1.000"},
        {{CL_5TTx_LinkRTimer}, "  0.010"},
        {{CL_5TTx_Link1Timer}, "  0.020"},
        {{CL_5TTx_Link2Timer}, "  0.030"},
        {{CL_5TTx_LeadOutDelayTimer}, "  0.040"},
        {{CL_5TTx_AbcDecTimer}, "  1.200"},
        {{CL_5TTx_DispDigit}, "12_____\n"},
        {{CL_5TTx_SpTone_Group}, "A"},
        {{CL_5TTx_SpTone_Repeat}, "E"},
        {{CL_5TTx_SpTone_Link2}, "F"},
        {{CL_5TTx_PTTCallIna}, "On"},
        {UserTone(CL_UTone_Encode), "1197.0"},
        {UserTone(CL_UTone_Dec_Low), "1161.1"},
        {UserTone(CL_UTone_Dec_High), "1232.9"},
        {UserTone(CL_UTone_TonePeriod), "  0.100"},
        {UserTone(CL_UTone_NotoneTimer), "  0.100"},
        {UserTone(CL_UTone_Length), "  0.098"},
        {UserTone(CL_UTone_TonePeriod, 15), "  0.200"},
        {UserTone(CL_UTone_NotoneTimer, 15), "  0.060"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Paint(c.cell), c.text) << CellItemCodeToName(c.cell.item);
        EXPECT_NE(rig.PaintedColour(), kSilver) << CellItemCodeToName(c.cell.item);
    }
}

// Each edit on a fixture whose bytes are all set stores at the row's bits and nowhere else; a
// two-tone code also writes its name and tones into its transmit entry, as the record does.
TEST_F(ToneCodeItemsTest, EditsStoreAtTheirBits) {
    const int tx = kTwoToneTx;
    const radiotest::EditCase cases[] = {
        // 1000.0 Hz, the detection window 970.0 .. 1030.0 Hz.
        {TwoTone(CL_2T_RxFreq_1st), Typed("1000.0"),
         Join({WordOver0xFF(kBounds, 9700), WordOver0xFF(kBounds + 2, 10300),
               WordOver0xFF(tx + 8, 10000)})},
        {TwoTone(CL_2T_RxFreq_2nd), Typed("1500"),
         Join({WordOver0xFF(kBounds + 4, 14550), WordOver0xFF(kBounds + 6, 15450),
               WordOver0xFF(tx + 10, 15000)})},
        {TwoTone(CL_2T_GroupCall), Chosen(1), {{kTwoTone, 0xFE}}},
        {TwoTone(CL_2T_Text), Chosen(0, "Depot"),
         Join({NameOver0xFF(tx, "Depot"), NameOver0xFF(kTwoTone + 4, "Depot")})},
        {TwoTone(CL_2T_Bell), Chosen(0), {{kTwoTone + 15, 0x03}}},
        {TwoTone(CL_2T_ANS), Chosen(0), {{kTwoTone + 13, 0xFF}}},
        {TwoTone(CL_2T_EXO), Chosen(0), {{kTwoTone + 15, 0x80}}},
        {TwoTone(CL_2T_Beep), Chosen(2), {{kTwoTone + 14, 0x05}}},
        {TwoTone(CL_2T_AutoTx), Chosen(0), {{kTwoTone + 15, 0x20}}},
        {TwoTone(CL_2T_Stun), Chosen(1), {{kTwoTone + 15, 0x10}}},
        {TwoTone(CL_2T_Scan), Chosen(0), {{kTwoTone + 14, 0x30}}},
        {TwoTone(CL_2T_Sfunc), Chosen(0), {{kTwoTone + 14, 0x08}}},
        {{CL_2T_NotoneTimer}, Typed("0.1"), {{667, 0xF5}}},
        {{CL_2T_GroupTimer}, Typed("2.5"), {{396, 0xE6}}},
        {{CL_2T_ExoTimer}, Typed("10"), {}},  // shown only: saving takes it from the default image
        {{CL_2T_BeepRepeatTimer}, Typed("30"), {{407, 0xE1}}},
        {{CL_2T_AutoTxTimer}, Typed("5"), {{411, 0xFA}}},
        // A single tone: 15 in the low nibble of the transmit entry's byte 12.
        {TwoTone(CL_2T_Code_Type), Chosen(0), {{tx + 12, 0x0D}}},
        {TwoTone(CL_2TTx_Freq_1st), Typed("1200"), WordOver0xFF(tx + 8, 12000)},
        {TwoTone(CL_2T_1st_Period), Typed("1.5"), {{kPeriods, 0xF0}}},
        {TwoTone(CL_2TTx_Freq_2nd), Typed("1500"), WordOver0xFF(tx + 10, 15000)},
        {TwoTone(CL_2T_2nd_Period), Press(kKeyBackspace), {{kPeriods + 1, 0x01}}},
        {RxCode(CL_5TRx_RxCode),
         Typed("12+4"),
         {{kRxCode, 0xED}, {kRxCode + 1, 0xFB}, {kRxCode + 12, 0xDF}}},
        {RxCode(CL_5TRx_Text), Chosen(0, "Fire"), NameOver0xFF(kRxCode + 4, "Fire")},
        {RxCode(CL_5TRx_IdDec), Chosen(0), {{kRxCode + 15, 0x40}}},
        {RxCode(CL_5TRx_Bell), Chosen(1), {{kRxCode + 15, 0x02}}},
        {RxCode(CL_5TRx_EmerCancel), Chosen(0), {{kRxCode + 16, 0x80}}},
        {RxCode(CL_5TRx_Abc), Typed("7"), {{kRxCode + 13, 0xF8}}},
        {RxCode(CL_5TRx_Exo), Chosen(0), {{kRxCode + 15, 0x80}}},
        {RxCode(CL_5TRx_Beep), Chosen(1), {{kRxCode + 14, 0x06}}},
        {RxCode(CL_5TRx_AutoTx), Chosen(0), {{kRxCode + 15, 0x20}}},
        {RxCode(CL_5TRx_Aud), Chosen(0), {{kRxCode + 14, 0xC0}}},
        {RxCode(CL_5TRx_Stun), Chosen(2), {{kRxCode + 15, 0x08}}},
        {RxCode(CL_5TRx_Scan), Chosen(1), {{kRxCode + 14, 0x20}}},
        {RxCode(CL_5TRx_Sfunc), Chosen(0), {{kRxCode + 14, 0x08}}},
        {{CL_5TRx_LinkATimer}, Typed("0.5"), {{390, 0xCD}}},
        // Digit 6 of the code is bit 2.
        {{CL_5TRx_CompareDigit}, Press('6'), {{372, 0x04}}},
        {{CL_5TRx_IdDecodeTimer}, Typed("3"), {{399, 0xE1}}},
        {{CL_5TRx_ExoTimer},
         Press(kKeyBackspace),
         {}},  // shown only: saving takes it from the default image
        {{CL_5TRx_BeepRepeatTimer}, Typed("60"), {{407, 0xC3}}},
        {{CL_5TRx_AutoTxTimer}, Typed("5"), {{411, 0xFA}}},
        {{CL_5TRx_CompareTone}, Chosen(0), {{383, 0x01}}},
        {TxCode(CL_5TTx_TxCode),
         Typed("98765"),
         {{kTxCode + 8, 0x67}, {kTxCode + 9, 0x89}, {kTxCode + 10, 0xA0}}},
        // Every digit was the user's: Space takes them all away, the update bit stays.
        {TxCode(CL_5TTx_InputDigit), Press(kKeySpace), {{kTxCode + 12, 0xFE}}},
        {TxCode(CL_5TTx_Text), Chosen(0, "Taxi"), NameOver0xFF(kTxCode, "Taxi")},
        {TxCode(CL_5TTx_Update), Chosen(0), {{kTxCode + 12, 0x01}}},
        {TxCode(CL_5TTx_AbcDec), Chosen(0), {{kTxCode + 13, 0x80}}},
        {TxCode(CL_5TTx_AbcAud), Chosen(0), {{kTxCode + 13, 0x40}}},
        {TxCode(CL_5TTx_Sel), Chosen(1), {{kTxCode + 13, 0x10}}},
        {{CL_5TTx_LongToneTimer}, Typed("1"), {{391, 0x9B}}},
        {{CL_5TTx_LinkRTimer}, Typed("0.01"), {{387, 0xFE}}},
        {{CL_5TTx_Link1Timer}, Typed("0.02"), {{388, 0xFD}}},
        {{CL_5TTx_Link2Timer}, Typed("0.03"), {{389, 0xFC}}},
        {{CL_5TTx_LeadOutDelayTimer}, Typed("0.04"), {{392, 0xFB}}},
        {{CL_5TTx_AbcDecTimer}, Typed("1.2"), {{400, 0xF3}}},
        {{CL_5TTx_DispDigit}, Press('1'), {{371, 0x80}}},
        {{CL_5TTx_SpTone_Group}, Typed("a"), {{layout::kCodeCommon, 0xF5}}},
        {{CL_5TTx_SpTone_Repeat}, Typed("E"), {{374, 0xF1}}},
        {{CL_5TTx_SpTone_Link2}, Typed("F"), {{375, 0xF0}}},
        {{CL_5TTx_PTTCallIna}, Chosen(0), {{379, 0x40}}},
        {UserTone(CL_UTone_Encode), Typed("1197"),
         Join({WordOver0xFF(kEncode, 11970), WordOver0xFF(kDecode, 11611),
               WordOver0xFF(kDecode + 2, 12329)})},
        {UserTone(CL_UTone_Dec_Low), Typed("1161.1"), WordOver0xFF(kDecode, 11611)},
        {UserTone(CL_UTone_Dec_High), Typed("1232.9"), WordOver0xFF(kDecode + 2, 12329)},
        {UserTone(CL_UTone_TonePeriod), Typed("0.1"), {{660, 0x9B}}},
        {UserTone(CL_UTone_NotoneTimer), Typed("0.1"), {{669, 0xF5}}},
        {UserTone(CL_UTone_Length), Typed("0.098"), {{678, 0xF6}}},
        {UserTone(CL_UTone_TonePeriod, 15), Typed("0.2"), {{685, 0x37}}},
        {UserTone(CL_UTone_NotoneTimer, 15),
         Typed("0.06"),
         {}},  // shown only: saving takes it from the default image
        // Where no record is, nothing is stored.
        {TwoTone(CL_2T_RxFreq_1st, 0), Typed("1000"), {}},
        {TwoTone(CL_2T_Bell, 0), Chosen(0), {}},
        {TwoTone(CL_2TTx_Freq_2nd, 0), Typed("1000"), {}},
        {RxCode(CL_5TRx_RxCode, 0), Typed("123"), {}},
        {RxCode(CL_5TRx_Text, 0), Chosen(0, "Fire"), {}},
        {UserTone(CL_UTone_Encode, 15), Typed("1000"), {}},
        {UserTone(CL_UTone_Length, 15), Typed("0.1"), {}},
    };
    // The two-tone code's transmit entry as its record stores it: code 3 sends two tones.
    radiotest::ExpectEditsStoreAtTheirBits(rig, cases, {{tx + 12, 0x22}});
}

// Two-tone code 0 is "no code" and five-tone receive codes start at 1: every cell of their
// index 0 is greyed and takes no key, like the user tones' common entry 15 where it has no
// byte.
TEST_F(ToneCodeItemsTest, CellsWithoutARecordAreGreyed) {
    std::vector<Cell> cells;
    for (int item = CL_2T_RxFreq_1st; item <= CL_2T_2nd_Period; ++item) {
        if (item < CL_2T_NotoneTimer || item > CL_2T_AutoTxTimer) {
            cells.push_back(TwoTone(item, 0));
            cells.push_back(TwoTone(item, 11));
        }
    }
    for (int item = CL_5TRx_RxCode; item <= CL_5TRx_Sfunc; ++item) {
        cells.push_back(RxCode(item, 0));
        cells.push_back(RxCode(item, 9));
    }
    for (int item : {CL_5TTx_TxCode, CL_5TTx_InputDigit, CL_5TTx_Text, CL_5TTx_Sel}) {
        cells.push_back(TxCode(item, 32));
    }
    for (int item : {CL_UTone_Encode, CL_UTone_Dec_Low, CL_UTone_Dec_High, CL_UTone_Length}) {
        cells.push_back(UserTone(item, 15));
    }
    rig.shell.image.Fill(0x00);
    for (const Cell& cell : cells) {
        const std::string name =
            CellItemCodeToName(cell.item) + "[" + std::to_string(cell.index) + "]";
        const std::string grey = cell.item == CL_2TTx_Freq_2nd ? "----  " : "----";
        EXPECT_EQ(Paint(cell), grey) << name;
        EXPECT_EQ(rig.PaintedColour(), kSilver) << name;
        for (int key : {int{kKeySpace}, int{kKeyEnter}, int{'1'}}) {
            const auto run = rig.Key(key);
            EXPECT_EQ(run.request, 0) << name;
            EXPECT_EQ(run.text, grey) << name;
        }
    }
    EXPECT_TRUE(rig.shell.popups.choiceLists.empty());
    EXPECT_TRUE(rig.shell.popups.bitSets.empty());
    for (int i = 0; i < layout::kImageSize; ++i) {
        ASSERT_EQ(rig.shell.image.GetByte(i), 0) << i;
    }
}

// The rows that load their record do so whatever the cell's category.
TEST_F(ToneCodeItemsTest, LoadingRowsWorkInAnyCategory) {
    cmcEeprom& image = rig.shell.image;
    image.SetByte(kTwoToneTx + 8, 0x27);
    image.SetByte(kTwoToneTx + 9, 0x10);
    radiotest::PutBytes(image, {{kTxCode + 8, 0x12}, {kTxCode + 9, 0x3F}, {kTxCode + 12, 0x80}});
    for (int category : {int{kCategoryNone}, int{CT_UserTone}, int{CT_TX_Code}}) {
        EXPECT_EQ(Paint({CL_2T_RxFreq_1st, 3, category}), "1000.0") << category;
        EXPECT_EQ(Paint({CL_5TTx_TxCode, 20, category}), "123") << category;
        EXPECT_EQ(Paint({CL_5TTx_InputDigit, 20, category}), "1______\n") << category;
    }
    RunEdit(rig, {CL_2T_RxFreq_1st, 3, CT_UserTone}, Typed("2000"));
    EXPECT_EQ(Word(kTwoToneTx + 8), 20000);
    EXPECT_EQ(Word(kBounds), 19400);
    EXPECT_EQ(Word(kBounds + 2), 20600);
    RunEdit(rig, {CL_5TTx_TxCode, 20, kCategoryNone}, Typed("45"));
    EXPECT_EQ(image.GetByte(kTxCode + 8), 0x45);
}

// The window a typed two-tone gets is the one the clone write sets for a radio that accepts
// 3 % either side; code 0 keeps its bytes in both.
TEST_F(ToneCodeItemsTest, TwoToneWindowsAgreeWithTheCloneWrite) {
    cmcEeprom& image = rig.shell.image;
    image.Fill(0x5A);
    for (int code = 1; code <= 10; ++code) {
        RunEdit(rig, TwoTone(CL_2T_RxFreq_1st, code),
                Typed(std::to_string(250 + 301 * code).c_str()));
        RunEdit(rig, TwoTone(CL_2T_RxFreq_2nd, code),
                Typed(std::to_string(3300 - 287 * code).c_str()));
    }
    const std::vector<uint8_t> typed = radiotest::ImageBytes(image);
    ASSERT_EQ(TwoToneRatio(0x10), 0.03);
    SetTwoToneLimits(image, MT_Lmr, 0x10);
    EXPECT_EQ(radiotest::ChangedBits(typed, image), std::vector<Bits>{});
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(image.GetByte(layout::kTwoToneBoundsArea.At(0) + i), 0x5A) << i;
    }
}

// The user tone's window is 3 % either side of its tone, raised to 400.0 Hz and lowered to
// 3000.0 Hz; a change repaints the tone's row.
TEST_F(ToneCodeItemsTest, UserToneWindowsStayInsideTheDecodedRange) {
    const struct {
        const char* typed;
        int low;
        int high;
    } cases[] = {{"400", 4000, 4120}, {"3000.0", 29100, 30000}, {"1000", 9700, 10300}};
    for (const auto& c : cases) {
        rig.At(CL_UTone_Encode, 4, CT_UserTone);
        EXPECT_EQ(rig.Type(c.typed).redraw & RD_SameIndex, RD_SameIndex) << c.typed;
        EXPECT_EQ(Word(layout::kUserToneDecodeArea.At(4)), c.low) << c.typed;
        EXPECT_EQ(Word(layout::kUserToneDecodeArea.At(4) + 2), c.high) << c.typed;
    }
}

// Both bound cells of a user tone whose lower bound is above its upper bound carry the
// warning mark, and lose it once the bounds are in order again.
TEST_F(ToneCodeItemsTest, CrossedBoundsWarnOnBothCells) {
    const Cell low = UserTone(CL_UTone_Dec_Low, 6);
    const Cell high = UserTone(CL_UTone_Dec_High, 6);
    RunEdit(rig, UserTone(CL_UTone_Encode, 6), Typed("1500"));
    EXPECT_FALSE(Warned(low));
    EXPECT_FALSE(Warned(high));
    RunEdit(rig, low, Typed("1600"));
    EXPECT_TRUE(Warned(low));
    EXPECT_TRUE(Warned(high));
    EXPECT_FALSE(Warned(UserTone(CL_UTone_Encode, 6)));
    EXPECT_FALSE(Warned(UserTone(CL_UTone_Dec_Low, 5)));
    RunEdit(rig, high, Typed("1600"));
    EXPECT_FALSE(Warned(low));
    EXPECT_FALSE(Warned(high));
}

// A single-tone code sends no second tone: its cell shows "----  " and takes no key.
TEST_F(ToneCodeItemsTest, SingleToneCodesHaveNoSecondTransmitTone) {
    cmcEeprom& image = rig.shell.image;
    image.Fill(0);
    image.SetByte(kTwoToneTx + 12, 0x2F);
    EXPECT_EQ(Paint(TwoTone(CL_2TTx_Freq_2nd)), "----  ");
    EXPECT_EQ(rig.PaintedColour(), kSilver);
    EXPECT_EQ(rig.Key('1').request, 0);
    EXPECT_EQ(rig.Type("1500").text, "----  ");
    EXPECT_EQ(Word(kTwoToneTx + 10), 0);
    // Choosing two tones brings it back.
    RunEdit(rig, TwoTone(CL_2T_Code_Type), Chosen(1));
    EXPECT_EQ(image.GetByte(kTwoToneTx + 12), 0x22);
    EXPECT_EQ(Paint(TwoTone(CL_2TTx_Freq_2nd)), "  0.0");
}

// A five-tone code stays in its code bytes (and a receive code's marker byte) whatever is
// typed or pasted; "*" and "G" stand for the group tone, and for nothing while the group tone
// is no digit.
TEST_F(ToneCodeItemsTest, FiveToneCodesStayInTheirFieldAndTypeTheGroupTone) {
    cmcEeprom& image = rig.shell.image;
    const struct {
        Cell cell;
        uint8_t group;
        const char* typed;
        const char* shown;
        std::vector<int> field;
    } cases[] = {
        {TxCode(CL_5TTx_TxCode),
         0x0A,
         "1*2g",
         "1*2*",
         {kTxCode + 8, kTxCode + 9, kTxCode + 10, kTxCode + 11}},
        {TxCode(CL_5TTx_TxCode),
         0x0A,
         "++123456789ABCDEG*+#",
         "1234567",
         {kTxCode + 8, kTxCode + 9, kTxCode + 10, kTxCode + 11}},
        {RxCode(CL_5TRx_RxCode),
         0xFF,
         "+1+2345678",
         "+1+2345",
         {kRxCode, kRxCode + 1, kRxCode + 2, kRxCode + 3, kRxCode + 12}},
        // Without a group tone among the digits a code naming it is refused: dropping the
        // star would shift the digits after it into another code.
        {TxCode(CL_5TTx_TxCode), 0x0F, "1*2G3", nullptr, {}},
        {RxCode(CL_5TRx_RxCode), 0xFF, "12*45", nullptr, {}},
        {RxCode(CL_5TRx_RxCode), 0x1A, "g", nullptr, {}},
    };
    for (const auto& c : cases) {
        image.Fill(0x37);
        image.SetByte(layout::kCodeCommon, c.group);
        const std::string shownBefore = Paint(c.cell);
        const std::vector<uint8_t> before = radiotest::ImageBytes(image);
        RunEdit(rig, c.cell, Typed(c.typed));
        EXPECT_EQ(Paint(c.cell), c.shown ? c.shown : shownBefore) << c.typed;
        for (const Bits& bits : radiotest::ChangedBits(before, image)) {
            EXPECT_NE(std::find(c.field.begin(), c.field.end(), bits.address), c.field.end())
                << c.typed << ": " << bits.address;
        }
    }
}

// The codes the memory map leaves without a row say so with their number.
TEST_F(ToneCodeItemsTest, CodesWithoutARowSayYet) {
    std::vector<int> items = {CL_Select_TX_Code, CL_Select_TX_Text, CL_UTone_Auto};
    for (int item = CL_5TTx_DispDigit1; item <= CL_5TTx_DispDigit0; ++item) {
        items.push_back(item);
    }
    for (int item : items) {
        EXPECT_EQ(Paint({item}), std::to_string(item) + " *Yet*");
    }
}

}  // namespace
