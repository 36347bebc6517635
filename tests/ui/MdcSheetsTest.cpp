// The MDC signalling sheets of the program's own table, built offscreen over the MDC model
// types' initial clone files: every cell with an item paints a value (none "*Yet*" or "error"),
// the cover opens its pages, and keys and typed text on the real grid edit the image. With
// MERROW_MDC_SCREENSHOT=<dir> each sheet is also drawn to <dir>/<sheet>.png.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "radio/CellCodes.h"
#include "radio/ImageWords.h"
#include "radio/ItemRegistry.h"
#include "tests/ui/SettingSheetRig.h"

namespace {

const char* const kSheets[] = {
    "GI_Sheet_Mdc_Top",        "GI_Sheet_Mdc_System",     "GI_Sheet_Mdc_General",
    "GI_Sheet_Mdc_PttId",      "GI_Sheet_Mdc_SelCall",    "GI_Sheet_Mdc_CallAlert",
    "GI_Sheet_Mdc_RadioCheck", "GI_Sheet_Mdc_Emergency",  "GI_Sheet_Mdc_Stun",
    "GI_Sheet_Mdc_Revive",     "GI_Sheet_Mdc_Status",     "GI_Sheet_Mdc_StatusText",
    "GI_Sheet_Mdc_Message",    "GI_Sheet_Mdc_MessageText", "GI_Sheet_Mdc_Alias",
};

bool IsDisplayText(int item) {
    return item == CL_Mdc_Status_Text || item == CL_Mdc_Msg_Text || item == CL_Mdc_Alias1_Text;
}

// Aliases 2 to 5 have items but no setting, so no cell.
bool HasASetting(int item) {
    return item < CL_Mdc_Alias2_Strip || item > CL_Mdc_Alias5_Text;
}

// Every row of the group has a cell on a sheet, and each cell paints its setting: a text, or
// for the display texts their glyphs.
TEST(MdcSheetsTest, EverySettingHasACellOnEachMdcModelType) {
    for (ModelType model : {MT_MdcLmr, MT_MdcPmr}) {
        testsupport::SettingSheetRig sheets(model, 1400, 900);
        std::set<int> shown;
        for (const char* name : kSheets) {
            SCOPED_TRACE(std::string(name) + " on model type " + std::to_string(model));
            sheets.Open(name);
            EXPECT_FALSE(sheets.sheet->GetTitle().empty());
            EXPECT_FALSE(sheets.painted.empty());
            for (const auto& [cell, painted] : sheets.painted) {
                const int item = cell.first;
                shown.insert(item);
                EXPECT_EQ(painted.text.find("*Yet*"), std::string::npos) << painted.text;
                EXPECT_EQ(painted.text.find("error"), std::string::npos) << item;
                EXPECT_TRUE(IsDisplayText(item) || !painted.text.empty())
                    << item << "[" << cell.second << "]";
            }
        }
        shown.erase(CallSheet);
        std::set<int> rows;
        for (const ItemRow* row : ItemRegistry::Program().Rows()) {
            if (row->code >= CL_Mdc_System_List_Text && HasASetting(row->code)) {
                rows.insert(row->code);
            }
        }
        EXPECT_EQ(shown, rows);
        EXPECT_TRUE(sheets.rig.boxes.fatals.empty());
    }
}

TEST(MdcSheetsTest, Screenshots) {
    testsupport::SettingSheetRig sheets(MT_MdcPmr, 1100, 560);
    if (!sheets.SaveSheets("MERROW_MDC_SCREENSHOT", kSheets)) {
        GTEST_SKIP() << "MERROW_MDC_SCREENSHOT not set";
    }
}

}  // namespace
