// The common-setting sheets of the program's own table, built offscreen over an initial clone
// file: every value cell paints a value (none "*Yet*"), and keys on the real grid edit the
// image. With MERROW_COMMON_SCREENSHOT=<dir> each sheet is also drawn to <dir>/<sheet>.png.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QTest>
#include <algorithm>
#include <string>
#include <vector>

#include "radio/cells/CellCodes.h"
#include "radio/image/ImageLayout.h"
#include "radio/sheet/SheetSelector.h"
#include "tests/ui/support/SettingSheetRig.h"
#include "tests/ui/support/ValueCellSweep.h"

namespace {

const char* const kSheets[] = {
    "GI_Sheet_Common_General",      "GI_Sheet_Common_Timer",     "GI_Sheet_Common_Tot",
    "GI_Sheet_Common_Ctcss",        "GI_Sheet_Common_Scrambler", "GI_Sheet_Common_SerialPort",
    "GI_Sheet_Common_CloneComment",
};

class CommonSettingSheetsTest : public ::testing::Test {
protected:
    testsupport::SettingSheetRig sheets{MT_Pmr};
};

// The common settings, their tail the data output and the wide channels.
TEST_F(CommonSettingSheetsTest, EveryValueCellShowsAValueOfTheImage) {
    testsupport::ValueCellSweep(CL_Comm_UserPassword, CL_Comm_Wide).Run(sheets, kSheets);
}

TEST_F(CommonSettingSheetsTest, ValuesOfTheInitialFile) {
    sheets.Open("GI_Sheet_Common_General");
    EXPECT_EQ(sheets.At(CL_Comm_UserPassword).text, "0000");
    EXPECT_EQ(sheets.At(CL_Comm_DealerPasscode).text, "000000");
    EXPECT_EQ(sheets.At(CL_Comm_Wide).text, "12.5 kHz Only");
    sheets.Open("GI_Sheet_Common_SerialPort");
    EXPECT_EQ(sheets.At(CL_Comm_TRDataOut).text, "Disabled");
    sheets.Open("GI_Sheet_Common_CloneComment");
    EXPECT_EQ(sheets.At(CL_Comm_CloneComment1).text, "");
}

TEST_F(CommonSettingSheetsTest, KeysOnTheGridEditTheImage) {
    cmcEeprom& image = sheets.rig.shell.image;
    image.SetByte(349, 0x00);
    sheets.Open("GI_Sheet_Common_Scrambler");
    EXPECT_EQ(sheets.At(CL_Comm_Scrm_Type).text, "Rolling Code");
    EXPECT_NE(sheets.At(CL_Comm_Scrm_GroupCode).colour, 0xC0C0C0u);
    // The inversion scrambler greys the rolling code's settings at once.
    sheets.Press(CL_Comm_Scrm_Type, Qt::Key_Space);
    EXPECT_EQ(image.GetByte(349), 0x08);
    EXPECT_EQ(sheets.At(CL_Comm_Scrm_Type).text, "Inversion");
    EXPECT_EQ(sheets.At(CL_Comm_Scrm_GroupCode).colour, 0xC0C0C0u);
    EXPECT_EQ(sheets.At(CL_Comm_Scrm_SyncCapture).colour, 0xC0C0C0u);
    sheets.Press(CL_Comm_Scrm_GroupCode, Qt::Key_Space);
    EXPECT_EQ(image.GetByte(349), 0x09);

    image.SetByte(408, 0);
    sheets.Open("GI_Sheet_Common_Timer");
    EXPECT_EQ(sheets.At(CL_Comm_AtResetTimer_A).text, "Off");
    sheets.Press(CL_Comm_AtResetTimer_A, Qt::Key_Backspace);
    EXPECT_EQ(image.GetByte(408), 255);
    EXPECT_EQ(sheets.At(CL_Comm_AtResetTimer_A).text, "255.000");
    EXPECT_GT(sheets.rig.shell.modifiedUpdates, 0);
}

// The program's cover and the common settings' cover: Enter on each line, one after the other,
// opens a sheet that the table has; the common cover names every page of its folder.
// A comment typed with characters beyond ASCII keeps one place a character: each of those
// becomes one space, and the characters after it keep their places to the sixteenth.
TEST_F(CommonSettingSheetsTest, ACommentTypedWithAccentsKeepsOnePlaceACharacter) {
    sheets.Open("GI_Sheet_Common_CloneComment");
    // The accent comes as an input method hands it over, not as a key of its own.
    sheets.Press(CL_Comm_CloneComment1, Qt::Key_Return);
    ASSERT_TRUE(sheets.sheet->EditorShowing());
    sheets.sheet->Editor()->selectAll();
    sheets.sheet->Editor()->insertPlainText(QString::fromUtf8("Caf\xC3\xA9 123456789012"));
    QTest::keyClick(sheets.sheet->Editor(), Qt::Key_Return);
    sheets.Repaint();
    EXPECT_EQ(sheets.At(CL_Comm_CloneComment1).text, "Caf  12345678901");
    const cmcEeprom& image = sheets.rig.shell.image;
    EXPECT_EQ(image.GetByte(layout::kComment1 + 3), ' ');
    EXPECT_EQ(image.GetByte(layout::kComment1 + 15), '1');
    EXPECT_EQ(image.GetByte(layout::kComment2), ' ') << "the second comment stays";
}

TEST_F(CommonSettingSheetsTest, TheCoversOpenSheetsOfTheTable) {
    const auto openEveryLine = [this](const char* cover, int lines) {
        sheets.rig.shell.openedSheets.clear();
        sheets.Open(cover);
        sheets.Press(CallSheet, Qt::Key_Return);
        for (int line = 1; line < lines; ++line) {
            QTest::keyClick(sheets.sheet->Grid(), Qt::Key_Down);
            QTest::keyClick(sheets.sheet->Grid(), Qt::Key_Return);
        }
        std::vector<std::string> specs;
        for (const auto& opened : sheets.rig.shell.openedSheets) {
            EXPECT_FALSE(sheets.table.GetValue(SplitSheetSpec(opened.spec).name + "_Cells").empty())
                << cover << ": " << opened.spec;
            specs.push_back(opened.spec);
        }
        return specs;
    };
    // On the PMR types the five-tone folder and the user tones, not the two-tone folder.
    const std::vector<std::string> folders = openEveryLine("[St_Common]GI_Sheet_Radio_Top", 8);
    EXPECT_EQ(folders.size(), 8u);
    EXPECT_EQ(std::count(folders.begin(), folders.end(), "GI_Sheet_2Tone_Top"), 0);
    EXPECT_EQ(openEveryLine("GI_Sheet_Common_Top", 11),
              (std::vector<std::string>{
                  "[St_Common]GI_Sheet_Common_General", "[St_Common]GI_Sheet_Common_Timer",
                  "GI_Sheet_Common_Tot", "GI_Sheet_Common_Ctcss", "GI_Sheet_Common_ToneTable",
                  "GI_Sheet_Common_Scrambler", "GI_Sheet_Common_Emergency",
                  "GI_Sheet_Common_ManDown", "[St_Common]GI_Sheet_Common_SerialPort",
                  "GI_Sheet_Common_Expansion", "GI_Sheet_Common_CloneComment"}));
}

TEST_F(CommonSettingSheetsTest, Screenshots) {
    cmcEeprom& image = sheets.rig.shell.image;
    image.SetByte(349, 0x08);
    const char comment[] = "Fleet 7 / north";
    image.WriteBlock(layout::kComment1, reinterpret_cast<const uint8_t*>(comment), 15);
    const char* const covers[] = {"GI_Sheet_Radio_Top", "GI_Sheet_Common_Top"};
    if (!sheets.SaveSheets("MERROW_COMMON_SCREENSHOT", covers) ||
        !sheets.SaveSheets("MERROW_COMMON_SCREENSHOT", kSheets)) {
        GTEST_SKIP() << "MERROW_COMMON_SCREENSHOT not set";
    }
}

}  // namespace
