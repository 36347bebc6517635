// The maker adjustment sheets of the program's own table, built offscreen over each model
// type's initial clone file: every value cell paints a value (none "*Yet*"), the cover opens
// its pages, and keys on the real grid edit the image. With MERROW_MAKER_SCREENSHOT=<dir> each
// sheet is also drawn to <dir>/<sheet>.png.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QTest>
#include <string>

#include "radio/cells/CellCodes.h"
#include "radio/image/ImageWords.h"
#include "tests/ui/support/SettingSheetRig.h"
#include "tests/ui/support/ValueCellSweep.h"

namespace {

const char* const kSheets[] = {
    "GI_Sheet_Maker_Top",
    "GI_Sheet_Maker_Squelch",
    "GI_Sheet_Maker_Pll",
    "GI_Sheet_Maker_General",
};

TEST(MakerSheetsTest, EveryValueCellShowsAnAdjustmentOfEachModelType) {
    for (ModelType model : {MT_Lmr, MT_Pmr, MT_VaskPmr, MT_MdcLmr, MT_MdcPmr}) {
        SCOPED_TRACE("model type " + std::to_string(model));
        testsupport::SettingSheetRig sheets(model);
        testsupport::ValueCellSweep(CL_Maker_SqlDelay_Op, CL_Maker_SetModeAccess)
            .EachCell([](const std::string&, const auto& cell, const auto& painted) {
                EXPECT_FALSE(painted.text.empty()) << cell.first;
            })
            .Run(sheets, kSheets);
    }
}

TEST(MakerSheetsTest, ValuesOfTheInitialFile) {
    testsupport::SettingSheetRig sheets(MT_Pmr);
    sheets.Open("GI_Sheet_Maker_Pll");
    EXPECT_EQ(sheets.At(CL_Maker_IfFreq).text, " 21.4000");
    EXPECT_EQ(sheets.At(CL_Maker_Pll_Reference).text, " 12.8000");
    EXPECT_EQ(sheets.At(CL_Maker_Pll_Type).text, "Standard");
    sheets.Open("GI_Sheet_Maker_General");
    EXPECT_EQ(sheets.At(CL_Maker_Dtcs_Decode).text, "17");
    EXPECT_EQ(sheets.At(CL_Maker_PwrOffTimer).text, "  0.500");
    sheets.Open("GI_Sheet_Maker_Squelch");
    EXPECT_EQ(sheets.At(CL_Maker_SqlDelay_Op).text, "On");
    EXPECT_EQ(sheets.At(CL_Maker_Sql_SigDetTimer).text, "  0.020");
}

TEST(MakerSheetsTest, KeysOnTheGridEditTheImage) {
    testsupport::SettingSheetRig sheets(MT_Pmr);
    cmcEeprom& image = sheets.rig.shell.image;
    sheets.Open("GI_Sheet_Maker_General");
    sheets.Press(CL_Maker_Dtcs_Decode, Qt::Key_Space);
    EXPECT_EQ(image.GetByte(35), 7);
    EXPECT_EQ(sheets.At(CL_Maker_Dtcs_Decode).text, "18");
    sheets.Press(CL_Maker_Dtcs_TxPolar, Qt::Key_Space);
    EXPECT_EQ(image.GetByte(11) & 0x40, 0x40);
    EXPECT_EQ(sheets.At(CL_Maker_Dtcs_TxPolar).text, "Inverted");

    sheets.Open("GI_Sheet_Maker_Squelch");
    sheets.Press(CL_Maker_Sql_NoiseDetTimer, Qt::Key_Backspace);
    EXPECT_EQ(image.GetByte(25), 19);
    EXPECT_EQ(sheets.At(CL_Maker_Sql_NoiseDetTimer).text, "  0.019");
    EXPECT_GT(sheets.rig.shell.modifiedUpdates, 0);
}

// A frequency is typed into the grid's in-place editor.
TEST(MakerSheetsTest, TheFirstIfIsTypedInTheEditor) {
    testsupport::SettingSheetRig sheets(MT_Pmr);
    cmcEeprom& image = sheets.rig.shell.image;
    sheets.Open("GI_Sheet_Maker_Pll");
    sheets.Press(CL_Maker_IfFreq, Qt::Key_Minus);
    ASSERT_TRUE(sheets.sheet->EditorShowing());
    QPlainTextEdit* editor = sheets.sheet->Editor();
    EXPECT_EQ(editor->toPlainText(), "-");
    QTest::keyClicks(editor, "45.1234");
    QTest::keyClick(editor, Qt::Key_Return);
    sheets.Repaint();
    EXPECT_EQ(static_cast<int32_t>(GetBE32(image.GetData() + 16)), -45100000);
    EXPECT_EQ(sheets.At(CL_Maker_IfFreq).text, "-45.1000");
}

TEST(MakerSheetsTest, TheCoverOpensItsPages) {
    testsupport::SettingSheetRig sheets(MT_Pmr);
    sheets.Open("GI_Sheet_Maker_Top");
    sheets.Press(CallSheet, Qt::Key_Return);
    ASSERT_EQ(sheets.rig.shell.openedSheets.size(), 1u);
    EXPECT_EQ(sheets.rig.shell.openedSheets[0].spec, "GI_Sheet_Maker_Squelch");
}

TEST(MakerSheetsTest, Screenshots) {
    testsupport::SettingSheetRig sheets(MT_Pmr);
    if (!sheets.SaveSheets("MERROW_MAKER_SCREENSHOT", kSheets)) {
        GTEST_SKIP() << "MERROW_MAKER_SCREENSHOT not set";
    }
}

}  // namespace
