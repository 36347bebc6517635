// The key, display and set-mode sheets of the program's own table, built offscreen over the
// initial clone file of every model type: every value cell paints a value (none "*Yet*" but
// the user characters', whose row is the expansion group's), and keys and pop-up answers on
// the real grid edit the image. With MERROW_KEYS_SCREENSHOT=<dir> each sheet is also drawn
// to <dir>/<sheet>.png.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "radio/cells/CellCodes.h"
#include "radio/cells/cmcCellCapsule.h"
#include "radio/cells/cmcCellObj.h"
#include "radio/host/PopupHost.h"
#include "radio/image/ImageLayout.h"
#include "tests/ui/support/SettingSheetRig.h"
#include "tests/ui/support/ValueCellSweep.h"

namespace {

const char* const kSheets[] = {
    "GI_Sheet_KDisp_Top",        "GI_Sheet_KDisp_Keys",    "GI_Sheet_KDisp_TrunkKeys",
    "GI_Sheet_KDisp_KeyOptions", "GI_Sheet_KDisp_Display", "GI_Sheet_KDisp_UserChar",
    "GI_Sheet_SetM_Top",         "GI_Sheet_SetM_Values",   "GI_Sheet_SetM_User",
};

// A choice list that keeps the capsule it was opened for and answers as the pop-up list does:
// a copy of that capsule run through the dispatcher with the chosen entry as its parent's cell.
class AnsweringPopups : public PopupHost {
public:
    void OpenChoiceList(const cmcCellCapsule& caller, const ChoiceList& request) override {
        caller_.CopyFrom(caller);
        opened = request;
    }

    void Answer(indActiveCell& dispatcher, int value) {
        ASSERT_TRUE(opened.has_value());
        cmcCellObj chosen;
        chosen.item = opened->item;
        chosen.index = value;
        cmcCellCapsule list;
        list.cell = &chosen;
        cmcCellCapsule answer;
        answer.CopyFrom(caller_);
        answer.parent = &list;
        answer.inputMode = kInputPopupAnswer;
        answer.key = 0;
        opened.reset();
        dispatcher.DispatchItem(answer, 1);
    }

    std::optional<ChoiceList> opened;

private:
    cmcCellCapsule caller_;
};

class KeyDisplaySetModeSheetsTest : public ::testing::Test {
protected:
    KeyDisplaySetModeSheetsTest() { sheets.rig.shell.popupHost = &popups; }

    void Choose(int value) {
        popups.Answer(sheets.dispatcher, value);
        sheets.Repaint();
    }
    std::string Shown(int item) { return sheets.At(item).text; }
    cmcEeprom& Image() { return sheets.rig.shell.image; }

    AnsweringPopups popups;  // outlives the sheets that answer through it
    testsupport::SettingSheetRig sheets{MT_Pmr};
};

TEST(KeyDisplaySetModeSheets, EveryValueCellShowsAValueOfTheImage) {
    for (ModelType model : {MT_Lmr, MT_Pmr, MT_VaskPmr, MT_MdcLmr, MT_MdcPmr}) {
        SCOPED_TRACE("model type " + std::to_string(model));
        testsupport::SettingSheetRig sheets{model};
        testsupport::ValueCellSweep(CL_KDisp_Key_Conv_RightUp, CL_USetM_BATVDisp)
            .PassOver(CL_CEdit)  // the expansion group's row
            .Run(sheets, kSheets);
    }
}

// A cover lists the pages of its folder; Enter on one opens it.
TEST_F(KeyDisplaySetModeSheetsTest, ACoverOpensItsPages) {
    sheets.Open("GI_Sheet_SetM_Top");
    EXPECT_EQ(Shown(CallSheet), "User Set Mode");
    sheets.Press(CallSheet, Qt::Key_Return);
    ASSERT_EQ(sheets.rig.shell.openedSheets.size(), 1u);
    EXPECT_EQ(sheets.rig.shell.openedSheets[0].spec, "GI_Sheet_SetM_Values");
}

TEST_F(KeyDisplaySetModeSheetsTest, TheUserCharacterSheetShowsAllSixteen) {
    sheets.Open("GI_Sheet_KDisp_UserChar");
    const cuiSheetCells& cells = sheets.sheet->Cells();
    int next = 0;
    for (int row = 0; row < cells.Rows(); ++row) {
        for (int col = 0; col < cells.Cols(); ++col) {
            const cmcCellObj& cell = cells.At(col, row).cell;
            if (cell.item == CL_CEdit) {
                EXPECT_EQ(cell.category, CT_CEdit);
                EXPECT_EQ(cell.index, next++);
            }
        }
    }
    EXPECT_EQ(next, 16);
}

TEST_F(KeyDisplaySetModeSheetsTest, AKeyFunctionAndItsOptionAreChosenOnTheSheet) {
    Image().SetByte(layout::kOptionText + 4, '3');  // P0: OPT1 momentary, the same port
    sheets.Open("GI_Sheet_KDisp_Keys");
    EXPECT_EQ(Shown(CL_KDisp_Key_Conv_RightUp), "None");
    EXPECT_EQ(Shown(CL_KDisp_Key_Conv_P0), "OPT1 Momentary /L");

    sheets.Press(CL_KDisp_Key_Conv_RightUp, Qt::Key_Return);
    ASSERT_TRUE(popups.opened.has_value());
    EXPECT_EQ(popups.opened->list, "GI_Sheet_Sel_Keys_Conv_Pmr");
    Choose('0');
    ASSERT_TRUE(popups.opened.has_value());
    EXPECT_EQ(popups.opened->list, "GI_Sheet_Sel_KDisp_KeyOpt_HL");
    Choose(1);
    EXPECT_EQ(Image().GetByte(layout::kOptionText), '0');
    EXPECT_EQ(Image().GetByte(layout::kKeyOptionBits) & 0x20, 0x20);
    EXPECT_EQ(Shown(CL_KDisp_Key_Conv_RightUp), "OPT1 Toggle /H");
    EXPECT_EQ(Shown(CL_KDisp_Key_Conv_P0), "OPT1 Momentary /H");

    // Space steps through the functions without asking for an option.
    sheets.Press(CL_KDisp_Key_Conv_P3, Qt::Key_Space);
    EXPECT_EQ(Shown(CL_KDisp_Key_Conv_P3), "Monitor (Momentary)");
    EXPECT_FALSE(popups.opened.has_value());
    EXPECT_GT(sheets.rig.shell.modifiedUpdates, 0);
}

TEST_F(KeyDisplaySetModeSheetsTest, KeysOnTheGridEditTheSettings) {
    sheets.Open("GI_Sheet_KDisp_TrunkKeys");
    sheets.Press(CL_KDisp_Key_SmTr_P1, Qt::Key_Space);
    EXPECT_EQ(Image().GetByte(429), 't');
    EXPECT_EQ(Shown(CL_KDisp_Key_SmTr_P1), "Trunk Call");

    sheets.Open("GI_Sheet_KDisp_KeyOptions");
    sheets.Press(CL_KDisp_RotarySel, Qt::Key_Backspace);
    EXPECT_EQ(Image().GetByte(381) & 0x18, 0x18);
    EXPECT_EQ(Shown(CL_KDisp_RotarySel), "Off");

    sheets.Open("GI_Sheet_KDisp_Display");
    EXPECT_EQ(Shown(CL_KDisp_ScrollTimer), "  0.500");
    sheets.Press(CL_KDisp_ScrollTimer, Qt::Key_Space);
    EXPECT_EQ(Image().GetByte(2150), 6);

    sheets.Open("GI_Sheet_SetM_Values");
    EXPECT_EQ(Shown(CL_SetM_BeepLev), "8");
    sheets.Press(CL_SetM_BeepLev, Qt::Key_Backspace);
    EXPECT_EQ(Image().GetByte(273), 0x87);  // level 7, the beep still on
    EXPECT_EQ(Shown(CL_SetM_BeepLev), "7");

    sheets.Open("GI_Sheet_SetM_User");
    EXPECT_EQ(Shown(CL_USetM_SqlLev), "Locked");
    sheets.Press(CL_USetM_SqlLev, Qt::Key_Space);
    EXPECT_EQ(Image().GetByte(360) & 0x20, 0x20);
    EXPECT_EQ(Shown(CL_USetM_SqlLev), "User May Change");
}

TEST_F(KeyDisplaySetModeSheetsTest, Screenshots) {
    const char keys[] = "A0I 5EST";
    Image().WriteBlock(layout::kOptionText, reinterpret_cast<const uint8_t*>(keys), 8);
    const char opening[] = "MERROW 7";
    Image().WriteBlock(layout::kSecondOptionText, reinterpret_cast<const uint8_t*>(opening), 8);
    Image().SetByte(layout::kCEditArea.At(0), 0x3F);  // a user character with some segments
    Image().SetByte(layout::kCEditArea.At(0) + 1, 0xC0);
    if (!sheets.SaveSheets("MERROW_KEYS_SCREENSHOT", kSheets)) {
        GTEST_SKIP() << "MERROW_KEYS_SCREENSHOT not set";
    }
}

}  // namespace
