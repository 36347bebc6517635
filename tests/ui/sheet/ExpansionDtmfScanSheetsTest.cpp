// The man-down, emergency, expansion, tone-table, scan and DTMF sheets of the program's own
// table, built offscreen over each model type's initial clone file: every value cell paints a
// value of the image (none "*Yet*" or "error"), and keys on the real grid edit it. With
// MERROW_EXPDTMF_SCREENSHOT=<dir> each sheet is also drawn to <dir>/<sheet>.png.
#include <gtest/gtest.h>

#include <string>

#include "radio/cells/CellCodes.h"
#include "radio/image/ImageLayout.h"
#include "tests/ui/support/SettingSheetRig.h"
#include "tests/ui/support/ValueCellSweep.h"

namespace {

constexpr uint32_t kSilver = 0xC0C0C0;

const char* const kSheets[] = {
    "GI_Sheet_Common_ToneTable", "GI_Sheet_Common_Emergency", "GI_Sheet_Common_ManDown",
    "GI_Sheet_Common_Expansion", "GI_Sheet_Scan_Top",         "GI_Sheet_Scan_List",
    "GI_Sheet_Scan_Common",      "GI_Sheet_Dtmf_Top",         "GI_Sheet_Dtmf_Memory",
    "GI_Sheet_Dtmf_Timer",
};

TEST(ExpansionDtmfScanSheets, EveryValueCellShowsAValueOfTheImage) {
    for (const ModelType model : {MT_Lmr, MT_Pmr, MT_VaskPmr, MT_MdcLmr, MT_MdcPmr}) {
        SCOPED_TRACE("model type " + std::to_string(model));
        testsupport::SettingSheetRig sheets(model);
        testsupport::ValueCellSweep(CL_Comm_ManDown_ON, CL_ScanComm_AutoChCall_PmrOnly)
            .Run(sheets, kSheets);
        // Every record of the tables has its row.
        sheets.Open("GI_Sheet_Dtmf_Memory");
        EXPECT_EQ(sheets.At(CL_Dtmf_ChNo, 0).text, "Autodial");
        EXPECT_EQ(sheets.At(CL_Dtmf_ChNo, 7).text,
                  model == MT_Lmr || model == MT_MdcLmr ? "Log/ID" : "8");
        sheets.Open("GI_Sheet_Scan_List");
        EXPECT_EQ(sheets.At(CL_ScanList_ScanMode, 9).text, "Off");
        sheets.Open("GI_Sheet_Common_ToneTable");
        EXPECT_EQ(sheets.At(CL_CTone_TX, 8).text, "Off");
        EXPECT_TRUE(sheets.rig.boxes.fatals.empty());
    }
}

// While man-down is off its settings are silver but take keys; switching it on shows them as
// usual at once.
TEST(ExpansionDtmfScanSheets, TheManDownSwitchRepaintsItsSettings) {
    testsupport::SettingSheetRig sheets{MT_Pmr};
    cmcEeprom& image = sheets.rig.shell.image;
    sheets.Open("GI_Sheet_Common_ManDown");
    EXPECT_EQ(sheets.At(CL_Comm_ManDown_ON).text, "Off");
    EXPECT_EQ(sheets.At(CL_Comm_ManDown_Timer).text, " 10.000");
    EXPECT_EQ(sheets.At(CL_Comm_ManDown_Timer).colour, kSilver);
    EXPECT_EQ(sheets.At(CL_Comm_ManDown_ReCycle).colour, kSilver);
    sheets.Press(CL_Comm_ManDown_ReCycle, Qt::Key_Space);
    EXPECT_EQ(image.GetByte(2161), 2);
    EXPECT_EQ(sheets.At(CL_Comm_ManDown_ReCycle).text, "2");

    sheets.Press(CL_Comm_ManDown_ON, Qt::Key_Space);
    EXPECT_EQ(image.GetByte(377) & 0x04, 0x04);
    EXPECT_EQ(sheets.At(CL_Comm_ManDown_ON).text, "On");
    for (int item = CL_Comm_ManDown_Timer; item <= CL_Comm_ManDown_ReCycle; ++item) {
        EXPECT_NE(sheets.At(item).colour, kSilver) << item;
    }
}

TEST(ExpansionDtmfScanSheets, KeysOnTheTablesEditTheirRecords) {
    testsupport::SettingSheetRig sheets{MT_Pmr};
    cmcEeprom& image = sheets.rig.shell.image;
    // A tone chosen for receive is followed by transmit, which then shows "<-".
    sheets.Open("GI_Sheet_Common_ToneTable");
    sheets.Press(CL_CTone_RX, 4, Qt::Key_Space);
    EXPECT_EQ(sheets.At(CL_CTone_RX, 4).text, "67.0");
    EXPECT_EQ(sheets.At(CL_CTone_TX, 4).text, "<-");
    const int tone = layout::kCToneArea.At(4);
    EXPECT_EQ(image.GetByte(tone), 0x00);
    EXPECT_EQ(image.GetByte(tone + 2), 0x00);

    sheets.Open("GI_Sheet_Scan_List");
    sheets.Press(CL_ScanList_ScanMode, 3, Qt::Key_Space);
    EXPECT_EQ(sheets.At(CL_ScanList_ScanMode, 3).text, "Carrier");
    sheets.Press(CL_ScanList_PwrSave, 3, Qt::Key_Space);
    EXPECT_EQ(image.GetByte(layout::kScanArea.At(3) + 40), 0x10 | 1);

    sheets.Open("GI_Sheet_Common_Expansion");
    sheets.Press(CL_Exp_BeepFreq_High, Qt::Key_Backspace);
    EXPECT_EQ(sheets.At(CL_Exp_BeepFreq_High).text, "1999");
    EXPECT_EQ((image.GetByte(356) << 8) | image.GetByte(357), 19990);
}

// A folder's cover names its pages; Enter on one opens it.
TEST(ExpansionDtmfScanSheets, TheCoversOpenTheirPages) {
    testsupport::SettingSheetRig sheets{MT_Pmr};
    sheets.Open("GI_Sheet_Dtmf_Top");
    sheets.Press(CallSheet, Qt::Key_Return);
    sheets.Open("GI_Sheet_Scan_Top");
    sheets.Press(CallSheet, Qt::Key_Return);
    const auto& opened = sheets.rig.shell.openedSheets;
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0].spec, "GI_Sheet_Dtmf_Memory");
    EXPECT_EQ(opened[1].spec, "GI_Sheet_Scan_List");
}

TEST(ExpansionDtmfScanSheets, Screenshots) {
    testsupport::SettingSheetRig sheets(MT_Lmr);
    cmcEeprom& image = sheets.rig.shell.image;
    const uint8_t tones[] = {0x00, 8, 0x00, 8, 0x40, 023, 0x60, 0x54};
    image.WriteBlock(layout::kCToneArea.At(0), tones, 8);
    const char name[] = "Harbour";
    image.WriteBlock(layout::kScanArea.At(0), reinterpret_cast<const uint8_t*>(name), 7);
    image.SetByte(layout::kScanArea.At(0) + 40, 0x80 | 33);
    image.WriteBlock(layout::kDtmfArea.At(0), reinterpret_cast<const uint8_t*>(name), 7);
    image.SetByte(layout::kDtmfArea.At(0) + 8, 0x55);
    image.SetByte(layout::kDtmfArea.At(0) + 9, 0x51);
    image.SetByte(layout::kDtmfArea.At(0) + 20, 4);
    if (!sheets.SaveSheets("MERROW_EXPDTMF_SCREENSHOT", kSheets)) {
        GTEST_SKIP() << "MERROW_EXPDTMF_SCREENSHOT not set";
    }
}

}  // namespace
