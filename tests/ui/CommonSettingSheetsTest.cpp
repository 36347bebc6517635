// The common-setting sheets of the program's own table, built offscreen over an initial clone
// file: every value cell paints a value (none "*Yet*"), and keys on the real grid edit the
// image. With MERROW_COMMON_SCREENSHOT=<dir> each sheet is also drawn to <dir>/<sheet>.png.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>

#include "radio/CellCodes.h"
#include "radio/ImageLayout.h"
#include "tests/ui/SettingSheetRig.h"

namespace {

const char* const kSheets[] = {
    "GI_Sheet_Common_General",      "GI_Sheet_Common_Timer",     "GI_Sheet_Common_Tot",
    "GI_Sheet_Common_Ctcss",        "GI_Sheet_Common_Scrambler", "GI_Sheet_Common_SerialPort",
    "GI_Sheet_Common_CloneComment",
};

class CommonSettingSheetsTest : public ::testing::Test {
protected:
    void Open(const std::string& name) { rig.Open(name); }
    void Press(int item, Qt::Key key) { EXPECT_TRUE(rig.Press(item, key)) << item; }

    testsupport::SettingSheetRig rig;
    std::map<int, testsupport::SettingSheetRig::Painted>& painted = rig.painted;
};

TEST_F(CommonSettingSheetsTest, EveryValueCellShowsAValueOfTheImage) {
    for (const char* name : kSheets) {
        Open(name);
        EXPECT_FALSE(rig.sheet->GetTitle().empty()) << name;
        EXPECT_FALSE(painted.empty()) << name;
        for (const auto& [item, cell] : painted) {
            EXPECT_GE(item, CL_Comm_UserPassword) << name;
            EXPECT_LE(item, CL_Comm_PwrSave_Timer2) << name;
            EXPECT_EQ(cell.text.find("*Yet*"), std::string::npos) << name << ": " << cell.text;
            EXPECT_EQ(cell.text.find("error"), std::string::npos) << name << ": " << item;
        }
    }
    EXPECT_TRUE(rig.ui.boxes.fatals.empty());
}

TEST_F(CommonSettingSheetsTest, ValuesOfTheInitialFile) {
    Open("GI_Sheet_Common_General");
    EXPECT_EQ(painted[CL_Comm_UserPassword].text, "0000");
    EXPECT_EQ(painted[CL_Comm_DealerPasscode].text, "000000");
    Open("GI_Sheet_Common_CloneComment");
    EXPECT_EQ(painted[CL_Comm_CloneComment1].text, "");
}

TEST_F(CommonSettingSheetsTest, KeysOnTheGridEditTheImage) {
    cmcEeprom& image = rig.ui.shell.image;
    image.SetByte(349, 0x00);
    Open("GI_Sheet_Common_Scrambler");
    EXPECT_EQ(painted[CL_Comm_Scrm_Type].text, "Rolling Code");
    EXPECT_NE(painted[CL_Comm_Scrm_GroupCode].colour, 0xC0C0C0u);
    // The inversion scrambler greys the rolling code's settings at once.
    Press(CL_Comm_Scrm_Type, Qt::Key_Space);
    EXPECT_EQ(image.GetByte(349), 0x08);
    EXPECT_EQ(painted[CL_Comm_Scrm_Type].text, "Inversion");
    EXPECT_EQ(painted[CL_Comm_Scrm_GroupCode].colour, 0xC0C0C0u);
    EXPECT_EQ(painted[CL_Comm_Scrm_SyncCapture].colour, 0xC0C0C0u);
    Press(CL_Comm_Scrm_GroupCode, Qt::Key_Space);
    EXPECT_EQ(image.GetByte(349), 0x09);

    image.SetByte(408, 0);
    Open("GI_Sheet_Common_Timer");
    EXPECT_EQ(painted[CL_Comm_AtResetTimer_A].text, "Off");
    Press(CL_Comm_AtResetTimer_A, Qt::Key_Backspace);
    EXPECT_EQ(image.GetByte(408), 255);
    EXPECT_EQ(painted[CL_Comm_AtResetTimer_A].text, "255.000");
    EXPECT_GT(rig.ui.shell.modifiedUpdates, 0);
}

TEST_F(CommonSettingSheetsTest, Screenshots) {
    const char* folder = std::getenv("MERROW_COMMON_SCREENSHOT");
    if (!folder) {
        GTEST_SKIP() << "MERROW_COMMON_SCREENSHOT not set";
    }
    rig.ui.shell.image.SetByte(349, 0x08);
    const char comment[] = "Fleet 7 / north";
    rig.ui.shell.image.WriteBlock(layout::kComment1, reinterpret_cast<const uint8_t*>(comment), 15);
    for (const char* name : kSheets) {
        Open(name);
        EXPECT_TRUE(rig.SaveScreenshot(folder, name));
    }
}

}  // namespace
