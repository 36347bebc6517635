// The common-setting rows against an image fixture and the program's own text table: the text
// each shows, and that an edit stores exactly its bits.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "radio/cells/CellCodes.h"
#include "radio/image/ImageLayout.h"
#include "tests/radio/support/CellRig.h"
#include "tests/radio/support/EditCase.h"

namespace {

using radiotest::Bits;
using radiotest::Press;
using radiotest::Typed;

class CommonSettingItemsTest : public ::testing::Test {
protected:
    radiotest::CellRig rig;
};

TEST_F(CommonSettingItemsTest, RowsShowTheImage) {
    cmcEeprom& image = rig.shell.image;
    const struct {
        int address;
        uint8_t value;
    } bytes[] = {
        {344, 0x12}, {345, 0x34}, {346, 0x98}, {347, 0x76}, {348, 0x54}, {349, 0x8B}, {376, 0x25},
        {377, 0x08}, {378, 0x04}, {379, 0x28}, {381, 0x20}, {386, 15},   {404, 60},   {405, 0},
        {406, 5},    {408, 30},   {409, 0},    {410, 120},  {432, 25},   {433, 2},
    };
    for (const auto& b : bytes) {
        image.SetByte(b.address, b.value);
    }
    const char comment[] = "Depot 4\x01";
    image.WriteBlock(504, reinterpret_cast<const uint8_t*>(comment), 8);
    image.WriteBlock(512, reinterpret_cast<const uint8_t*>("        "), 8);
    struct Case {
        int item;
        const char* text;
    } cases[] = {
        {CL_Comm_UserPassword, "1234"},
        {CL_Comm_DealerPasscode, "987654"},
        {CL_Comm_PwrOnPassword, "On"},
        {CL_Comm_SetModeAccess, "Enabled"},
        {CL_Comm_AtResetTimer_A, " 30.000"},
        {CL_Comm_AtResetTimer_B, "Off"},
        {CL_Comm_InactiveTimer, "120.000"},
        {CL_Comm_Tot_Timer, " 60.000"},
        {CL_Comm_Tot_ID_Out, "On"},
        {CL_Comm_Tot_Dtmf_ID_Out, "On"},
        {CL_Comm_Tot_PenaltyTimer, "Off"},
        {CL_Comm_Tot_Beep, "Off"},
        {CL_Comm_CloneComment1, "Depot 4"},
        {CL_Comm_CloneComment2, ""},
        {CL_Comm_LockoutPenaltyTimer, "  5.000"},
        {CL_Comm_Ctcss_ToneBurst, "Reverse Burst"},
        {CL_Comm_Ctcss_ReverseBurst, "  0.150"},
        {CL_Comm_Ctcss_RxAfFilt, "High-Pass (cuts CTCSS)"},
        {CL_Comm_Ctcss_ChMuteCont, "AND: Tone and Mute"},
        {CL_Comm_RS232C_SPPED, "38400 bit/s"},
        {CL_Comm_RS232C_Mode, "GPS Receiver"},
        {CL_Comm_Scrm_Type, "Inversion"},
        {CL_Comm_Scrm_SyncCapture, "Normal"},
        {CL_Comm_Scrm_GroupCode, "Group 4"},
        {CL_Comm_Scrm_TStartTiming, "At PTT"},
        {CL_Comm_PwrSave_Timer1, "  2.500"},
        {CL_Comm_PwrSave_Timer2, "  2.000"},
    };
    for (const Case& c : cases) {
        rig.At(c.item);
        EXPECT_EQ(rig.Paint(), c.text) << c.item;
    }
}

// The codes the memory map leaves without a row say so with their number.
TEST_F(CommonSettingItemsTest, EmergencyCodesHaveNoRowYet) {
    for (int item : {CL_Comm_EmerIn, CL_Comm_EmerTim_On, CL_Comm_EmerTim_Off, CL_Comm_EmerTim_Start,
                     CL_Comm_EmerTim_Sairen, CL_Comm_EmerTim_ReCycle}) {
        rig.At(item);
        EXPECT_EQ(rig.Paint(), std::to_string(item) + " *Yet*");
    }
}

TEST_F(CommonSettingItemsTest, TheScramblerTypeRedrawsEveryCellAndGreysTheRollingCodesSettings) {
    cmcEeprom& image = rig.shell.image;
    rig.At(CL_Comm_Scrm_Type);
    EXPECT_EQ(rig.Key(kKeySpace).redraw, RD_SameCell | RD_AllCells);
    EXPECT_EQ(image.GetByte(349), 0x08);
    for (int item : {CL_Comm_Scrm_SyncCapture, CL_Comm_Scrm_GroupCode, CL_Comm_Scrm_TStartTiming}) {
        rig.At(item);
        rig.Paint();
        EXPECT_EQ(rig.PaintedColour(), 0xC0C0C0u) << item;
    }
    rig.At(CL_Comm_Scrm_Type);
    rig.Key(kKeySpace);
    rig.At(CL_Comm_Scrm_GroupCode);
    rig.Paint();
    EXPECT_EQ(rig.PaintedColour(), 0u);
}

// Each edit on a fixture whose bytes are all set stores at the row's bits and nowhere else.
TEST_F(CommonSettingItemsTest, EditsStoreAtTheirBits) {
    const radiotest::EditCase cases[] = {
        {{CL_Comm_UserPassword}, Typed("1234"), {{344, 0xED}, {345, 0xCB}}},
        {{CL_Comm_DealerPasscode}, Typed("12"), {{346, 0xFF}, {347, 0xFF}, {348, 0xED}}},
        {{CL_Comm_PwrOnPassword}, Press(kKeySpace), {{381, 0x20}}},
        {{CL_Comm_SetModeAccess}, Press(kKeySpace), {{379, 0x08}}},
        {{CL_Comm_AtResetTimer_A}, Typed("12"), {{408, 0xF3}}},
        {{CL_Comm_AtResetTimer_B}, Typed("of"), {{409, 0xFF}}},
        {{CL_Comm_InactiveTimer}, Press(kKeySpace), {{410, 0xFF}}},
        {{CL_Comm_Tot_Timer}, Typed("0"), {{404, 0xFF}}},
        {{CL_Comm_Tot_ID_Out}, Press(kKeySpace), {{379, 0x20}}},
        {{CL_Comm_Tot_Dtmf_ID_Out}, Press(kKeySpace), {{379, 0x20}}},
        {{CL_Comm_Tot_PenaltyTimer}, Typed("254"), {{405, 0x01}}},
        {{CL_Comm_Tot_Beep}, Press(kKeySpace), {{379, 0x10}}},
        {{CL_Comm_CloneComment2}, Typed("Hi"), radiotest::TextOver0xFF(520, "Hi", 16)},
        {{CL_Comm_LockoutPenaltyTimer}, Press(kKeyBackspace), {{406, 0x01}}},
        {{CL_Comm_Ctcss_ToneBurst}, Press(kKeySpace), {{378, 0x08}}},
        {{CL_Comm_Ctcss_ReverseBurst}, Typed("0.2"), {{386, 0xEB}}},
        {{CL_Comm_Ctcss_RxAfFilt},
         Press(kKeySpace),
         {}},  // shown only: saving takes it from the default image
        {{CL_Comm_Ctcss_ChMuteCont}, Press(kKeySpace), {{377, 0x08}}},
        {{CL_Comm_RS232C_SPPED}, Press(kKeySpace), {{376, 0x0F}}},
        {{CL_Comm_RS232C_Mode}, Press(kKeySpace), {{376, 0x30}}},
        {{CL_Comm_Scrm_Type}, Press(kKeySpace), {{349, 0x08}}},
        {{CL_Comm_Scrm_SyncCapture}, Press(kKeySpace), {{349, 0xC0}}},
        {{CL_Comm_Scrm_GroupCode}, Press(kKeySpace), {{349, 0x03}}},
        {{CL_Comm_Scrm_TStartTiming}, Press(kKeySpace), {{349, 0x30}}},
        {{CL_Comm_PwrSave_Timer1}, Typed("1.5"), {{432, 0xF0}}},
        {{CL_Comm_PwrSave_Timer2}, Typed("300"), {}},
    };
    radiotest::ExpectEditsStoreAtTheirBits(rig, cases);
}

// A comment keeps what can be shown: characters outside 0x20..0x7E are stored as spaces, and a
// shorter text leaves spaces where it ended.
TEST_F(CommonSettingItemsTest, CloneCommentsStoreOnlyPrintableCharacters) {
    cmcEeprom& image = rig.shell.image;
    image.Fill(0xFF);
    rig.At(CL_Comm_CloneComment1);
    EXPECT_EQ(rig.Type("A\tB\xC3\xA9").text, "A B");
    const std::string stored(reinterpret_cast<const char*>(image.GetData()) + 504, 16);
    EXPECT_EQ(stored, "A B             ");
    EXPECT_EQ(image.GetByte(520), 0xFF);
}

}  // namespace
