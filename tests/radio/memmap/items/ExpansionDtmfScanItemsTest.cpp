// The rows of man-down, data output, wide channels, the expansion settings, the user characters,
// the DTMF memories, the common tone table and the scan settings, against an image fixture and
// the program's own text table: the text each shows, and the bits an edit stores.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "radio/cells/CellCodes.h"
#include "radio/cells/CellNames.h"
#include "radio/image/ImageLayout.h"
#include "tests/radio/support/CellRig.h"
#include "tests/radio/support/EditCase.h"
#include "tests/radio/support/ImageDiff.h"

namespace {

using radiotest::Bits;
using radiotest::Cell;
using radiotest::Chosen;
using radiotest::Press;
using radiotest::Typed;

std::vector<Bits> NameOver0xFF(int address, const std::string& text) {
    return radiotest::TextOver0xFF(address, text, layout::kNameLength);
}

constexpr uint32_t kSilver = 0xC0C0C0;

// The bits "12*#" typed into the DTMF memory at address changes over bytes 0xFF: the digits 1,
// 2, 14, 15, the other nibbles cleared, the count 4.
std::vector<Bits> DigitsOver0xFF(int address) {
    std::vector<Bits> bits{{address + 8, 0x12 ^ 0xFF}, {address + 9, 0xEF ^ 0xFF}};
    for (int i = 10; i < 20; ++i) {
        bits.push_back({address + i, 0xFF});
    }
    bits.push_back({address + 20, 4 ^ 0xFF});
    return bits;
}

class ExpansionDtmfScanItemsTest : public ::testing::Test {
protected:
    radiotest::CellRig rig;
};

TEST_F(ExpansionDtmfScanItemsTest, RowsShowTheImage) {
    cmcEeprom& image = rig.shell.image;
    radiotest::PutBytes(
        image,
        {{377, 0x84}, {378, 0x82}, {379, 0x84}, {380, 0x06}, {381, 0xC0}, {434, 100}, {2163, 5},
         {2164, 255}, {2165, 0},   {2161, 3},   {690, 0x03}, {691, 0x75}, {401, 10},  {402, 30},
         {403, 5},    {354, 0x30}, {355, 0x39}, {356, 0x4E}, {357, 0x20}, {393, 10},  {394, 30},
         {395, 255},  {397, 50},   {398, 20},   {384, 50},   {385, 25}});
    // DTMF memory 3: "12*#"; tone pair 2: 100.0 Hz both ways; pair 3: DTCS 023 normal, off;
    // scan list 5: carrier scan with priority, its name shown.
    const int dtmf = layout::kDtmfArea.At(2);
    image.SetByte(dtmf + 8, 0x12);
    image.SetByte(dtmf + 9, 0xEF);
    image.SetByte(dtmf + 20, 4);
    const uint8_t tones[] = {0x00, 12, 0x00, 12, 0x40, 023, 0x80, 0};
    image.WriteBlock(layout::kCToneArea.At(1), tones, 8);
    image.SetByte(layout::kScanArea.At(4) + 40, 0x80 | 33);

    struct Case {
        Cell cell;
        const char* text;
    } cases[] = {
        {{CL_Comm_ManDown_ON}, "On"},
        {{CL_Comm_ManDown_Timer}, " 10.000"},
        {{CL_Comm_ManDown_TS1}, "  0.500"},
        {{CL_Comm_ManDown_TS2}, " 25.500"},
        {{CL_Comm_ManDown_TS3}, "  0.000"},
        {{CL_Comm_ManDown_Sairen}, "Siren"},
        {{CL_Comm_ManDown_ReCycle}, "3"},
        {{CL_Comm_TRDataOut}, "Enabled"},
        {{CL_Comm_Wide}, "12.5 and 25 kHz"},
        {{CL_Exp_UserCtcss}, " 88.5"},
        {{CL_Exp_Emer_SwOnTimer}, "  1.000"},
        {{CL_Exp_Emer_SwOffTimer}, "  3.000"},
        {{CL_Exp_Emer_StartRepeat}, "  5.000"},
        {{CL_Exp_BeepFreq_Low}, "1234"},  // 12345 tenths
        {{CL_Exp_BeepFreq_High}, "2000"},
        {{CL_Exp_DtcsInv_Tx}, "Inverted"},
        {{CL_Exp_DtcsInv_Rx}, "Normal"},
        {{CL_Exp_ClShift}, "Shift 2"},
        {{CL_Exp_BattTypeChange}, "Ni-Cd"},  // bit 2 set, bit 3 clear: entry 2
        {{CL_Exp_PttSw}, "Disabled"},
        {{CL_Dtmf_ChNo, 0, CT_DTMF}, "Autodial"},
        {{CL_Dtmf_ChNo, 2, CT_DTMF}, "3"},
        {{CL_Dtmf_Code, 2, CT_DTMF}, "12*#"},
        {{CL_Dtmf_DtmfTimer}, "  0.100"},
        {{CL_Dtmf_FirstTimer}, "  0.300"},
        {{CL_Dtmf_MarkTimer}, "  2.550"},
        {{CL_CTone_RX, 1, CT_CTone}, "100.0"},
        {{CL_CTone_TX, 1, CT_CTone}, "<-"},
        {{CL_CTone_RX, 2, CT_CTone}, "023N"},
        {{CL_CTone_TX, 2, CT_CTone}, "Off"},
        {{CL_ScanList_ScanMode, 4, CT_Scan}, "Carrier, Priority"},
        {{CL_ScanList_DispText, 4, CT_Scan}, "On"},
        {{CL_ScanList_PwrSave, 4, CT_Scan}, "Off"},
        {{CL_ScanComm_StopTimer}, "  5.000"},
        {{CL_ScanComm_ResumeTimer}, "  2.000"},
        {{CL_ScanComm_ScanTimer_Fast}, "  0.050"},
        {{CL_ScanComm_ScanTimer_Slow}, "  0.250"},
        {{CL_ScanComm_PwrOnScan}, "On"},
        {{CL_ScanComm_AutoChCall_PmrOnly}, "On"},
    };
    for (const Case& c : cases) {
        rig.At(c.cell.item, c.cell.index, c.cell.category);
        EXPECT_EQ(rig.Paint(), c.text) << CellItemCodeToName(c.cell.item) << " " << c.cell.index;
    }
}

// Each edit on a fixture whose bytes are all set stores at the row's bits and nowhere else; a
// record field is stored back into its record.
TEST_F(ExpansionDtmfScanItemsTest, EditsStoreAtTheirBits) {
    const int dtmf1 = layout::kDtmfArea.At(1);
    const int tone3 = layout::kCToneArea.At(3);
    const int scan0 = layout::kScanArea.At(0);
    const int scan9 = layout::kScanArea.At(9);
    const int char5 = layout::kCEditArea.At(5);
    const radiotest::EditCase cases[] = {
        {{CL_Comm_ManDown_ON}, Press(kKeySpace), {{377, 0x04}}},
        {{CL_Comm_ManDown_Timer}, Typed("1.5"), {{434, 0xF0}}},
        {{CL_Comm_ManDown_TS1}, Typed("2"), {{2163, 0xEB}}},
        {{CL_Comm_ManDown_TS2}, Press(kKeyBackspace), {{2164, 0x01}}},
        {{CL_Comm_ManDown_TS3}, Typed("0"), {{2165, 0xFF}}},
        {{CL_Comm_ManDown_Sairen}, Press(kKeySpace), {{378, 0x80}}},
        {{CL_Comm_ManDown_ReCycle}, Typed("5"), {{2161, 0xFA}}},
        {{CL_Comm_TRDataOut}, Press(kKeySpace), {{379, 0x04}}},
        {{CL_Comm_Wide}, Press(kKeySpace), {{381, 0x80}}},
        {{CL_Exp_UserCtcss}, Typed("123.4"), {{690, 0xFB}, {691, 0x2D}}},
        {{CL_Exp_Emer_SwOnTimer}, Typed("0.5"), {{401, 0xFA}}},
        {{CL_Exp_Emer_SwOffTimer}, Press(kKeyBackspace), {{402, 0x01}}},
        {{CL_Exp_Emer_StartRepeat}, Typed("200"), {{403, 0x37}}},
        // 1000 Hz is stored as 10000 tenths.
        {{CL_Exp_BeepFreq_Low}, Typed("1000"), {{354, 0xD8}, {355, 0xEF}}},
        {{CL_Exp_BeepFreq_High}, Typed("3000"), {{356, 0x8A}, {357, 0xCF}}},
        {{CL_Exp_DtcsInv_Tx}, Press(kKeySpace), {{377, 0x80}}},
        {{CL_Exp_DtcsInv_Rx}, Press(kKeySpace), {{377, 0x40}}},
        {{CL_Exp_ClShift}, Press(kKeySpace), {{380, 0x03}}},
        // Entry 1 is bit 3 alone.
        {{CL_Exp_BattTypeChange}, Chosen(1), {{380, 0x04}}},
        {{CL_Exp_PttSw}, Press(kKeySpace), {{381, 0x40}}},
        {{CL_CEdit, 5, CT_CEdit}, Chosen(0, "12345"), {{char5, 0xCF}, {char5 + 1, 0xC6}}},
        {{CL_Dtmf_ChNo, 1, CT_DTMF}, Press(kKeySpace), {}},
        {{CL_Dtmf_Code, 1, CT_DTMF}, Typed("12*#"), DigitsOver0xFF(dtmf1)},
        {{CL_Dtmf_Text, 1, CT_DTMF}, Chosen(0, "Home"), NameOver0xFF(dtmf1, "Home")},
        {{CL_Dtmf_DtmfTimer}, Typed("0.2"), {{393, 0xEB}}},
        {{CL_Dtmf_FirstTimer}, Press(kKeyBackspace), {{394, 0x01}}},
        {{CL_Dtmf_MarkTimer}, Typed("0.05"), {{395, 0xFA}}},
        // A receive tone that the transmit tone followed takes it along.
        {{CL_CTone_RX, 3, CT_CTone},
         Chosen(12),
         {{tone3, 0xE1}, {tone3 + 1, 0xF3}, {tone3 + 2, 0xE1}, {tone3 + 3, 0xF3}}},
        {{CL_CTone_TX, 3, CT_CTone}, Chosen(52), {{tone3 + 2, 0x61}, {tone3 + 3, 0xFF}}},
        {{CL_ScanList_ScanMode, 0, CT_Scan}, Chosen(1), {{scan0 + 40, 0x2E}}},
        {{CL_ScanList_Text, 0, CT_Scan}, Chosen(0, "Air"), NameOver0xFF(scan0, "Air")},
        {{CL_ScanList_DispText, 9, CT_Scan}, Press(kKeySpace), {{scan9 + 40, 0x80}}},
        {{CL_ScanList_PwrSave, 9, CT_Scan}, Press(kKeySpace), {{scan9 + 40, 0x10}}},
        {{CL_ScanComm_StopTimer}, Typed("10"), {{397, 0x9B}}},
        {{CL_ScanComm_ResumeTimer}, Press(kKeyBackspace), {{398, 0x01}}},
        {{CL_ScanComm_ScanTimer_Fast}, Typed("0.1"), {{384, 0x9B}}},
        {{CL_ScanComm_ScanTimer_Slow}, Typed("1"), {{385, 0x9B}}},
        {{CL_ScanComm_PwrOnScan}, Press(kKeySpace), {{379, 0x80}}},
        {{CL_ScanComm_AutoChCall_PmrOnly}, Press(kKeySpace), {{378, 0x02}}},
    };
    radiotest::ExpectEditsStoreAtTheirBits(rig, cases);
}

// While man-down is off its settings are painted silver yet still take keys; switching it on
// repaints every cell, and they are painted as usual.
TEST_F(ExpansionDtmfScanItemsTest, ManDownSettingsPaintSilverWhileOffAndStillEdit) {
    cmcEeprom& image = rig.shell.image;
    image.SetByte(377, 0x00);
    image.SetByte(2161, 1);
    const int settings[] = {CL_Comm_ManDown_Timer, CL_Comm_ManDown_TS1,    CL_Comm_ManDown_TS2,
                            CL_Comm_ManDown_TS3,   CL_Comm_ManDown_Sairen, CL_Comm_ManDown_ReCycle};
    for (int item : settings) {
        rig.At(item);
        EXPECT_NE(rig.Paint(), "----") << item;
        EXPECT_EQ(rig.PaintedColour(), kSilver) << item;
    }
    rig.At(CL_Comm_ManDown_ReCycle);
    EXPECT_EQ(rig.Key(kKeySpace).text, "2");
    EXPECT_EQ(image.GetByte(2161), 2);

    rig.At(CL_Comm_ManDown_ON);
    EXPECT_EQ(rig.Key(kKeySpace).redraw, RD_SameCell | RD_AllCells);
    EXPECT_EQ(image.GetByte(377), 0x04);
    for (int item : settings) {
        rig.At(item);
        rig.Paint();
        EXPECT_EQ(rig.PaintedColour(), 0u) << item;
    }
}

// The beep tones are shown in hertz of a word of tenths (the tenths cut off) and wrap at the
// ends of 400 .. 3000 Hz.
TEST_F(ExpansionDtmfScanItemsTest, BeepTonesWrapBetween400And3000Hertz) {
    cmcEeprom& image = rig.shell.image;
    const auto word = [&image](int address) {
        return (image.GetByte(address) << 8) | image.GetByte(address + 1);
    };
    image.SetByte(354, 30000 >> 8);
    image.SetByte(355, 30000 & 0xFF);
    rig.At(CL_Exp_BeepFreq_Low);
    EXPECT_EQ(rig.Key(kKeySpace).text, "400");
    EXPECT_EQ(word(354), 4000);
    EXPECT_EQ(rig.Key(kKeyBackspace).text, "3000");
    EXPECT_EQ(word(354), 30000);
    rig.Type("5000");  // held at the top
    EXPECT_EQ(word(354), 30000);
}

// The memory numbers name the special memories: memory 1 everywhere, 7 and 8 on the LMR types.
TEST_F(ExpansionDtmfScanItemsTest, DtmfMemoryNumbersNameTheSpecialMemories) {
    const struct {
        ModelType model;
        const char* texts[8];
    } cases[] = {
        {MT_Pmr, {"Autodial", "2", "3", "4", "5", "6", "7", "8"}},
        {MT_VaskPmr, {"Autodial", "2", "3", "4", "5", "6", "7", "8"}},
        {MT_MdcPmr, {"Autodial", "2", "3", "4", "5", "6", "7", "8"}},
        {MT_Lmr, {"Autodial", "2", "3", "4", "5", "6", "Emergency", "Log/ID"}},
        {MT_MdcLmr, {"Autodial", "2", "3", "4", "5", "6", "Emergency", "Log/ID"}},
    };
    for (const auto& c : cases) {
        rig.shell.model = c.model;
        for (int index = 0; index < 8; ++index) {
            rig.At(CL_Dtmf_ChNo, index, CT_DTMF);
            EXPECT_EQ(rig.Paint(), c.texts[index]) << c.model << " " << index;
        }
    }
}

// The expansion codes the memory map leaves without a row say so with their number and change
// nothing.
TEST_F(ExpansionDtmfScanItemsTest, ExpansionCodesWithoutARowSayYet) {
    const std::vector<uint8_t> before = radiotest::ImageBytes(rig.shell.image);
    for (int item = CL_Exp_RxAf_Filter; item <= CL_Exp_IgnitionTimer; ++item) {
        rig.At(item);
        EXPECT_EQ(rig.Paint(), std::to_string(item) + " *Yet*");
        EXPECT_EQ(rig.Key(kKeySpace).text, std::to_string(item) + " *Yet*");
    }
    EXPECT_TRUE(radiotest::ChangedBits(before, rig.shell.image).empty());
}

}  // namespace
