// The MDC signalling sheets of the program's own table, built offscreen over the MDC model
// types' initial clone files: every cell with an item paints a value (none "*Yet*" or "error"),
// the cover opens its pages, and keys and typed text on the real grid edit the image. With
// MERROW_MDC_SCREENSHOT=<dir> each sheet is also drawn to <dir>/<sheet>.png.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QTest>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "common/cmcHelpGTex.h"
#include "radio/cells/CellCodes.h"
#include "radio/cells/cmcCellObj.h"
#include "radio/image/ImageLayout.h"
#include "radio/image/ImageWords.h"
#include "radio/memmap/HelpContext.h"
#include "radio/memmap/ItemRegistry.h"
#include "tests/ui/support/SettingSheetRig.h"
#include "tests/ui/support/ValueCellSweep.h"

namespace {

const char* const kSheets[] = {
    "GI_Sheet_Mdc_Top",        "GI_Sheet_Mdc_System",      "GI_Sheet_Mdc_General",
    "GI_Sheet_Mdc_PttId",      "GI_Sheet_Mdc_SelCall",     "GI_Sheet_Mdc_CallAlert",
    "GI_Sheet_Mdc_RadioCheck", "GI_Sheet_Mdc_Emergency",   "GI_Sheet_Mdc_Stun",
    "GI_Sheet_Mdc_Revive",     "GI_Sheet_Mdc_Status",      "GI_Sheet_Mdc_StatusText",
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
        SCOPED_TRACE("model type " + std::to_string(model));
        testsupport::SettingSheetRig sheets(model, 1400, 900);
        std::set<int> shown =
            testsupport::ValueCellSweep()
                .EachCell([](const std::string&, const auto& cell, const auto& painted) {
                    EXPECT_TRUE(IsDisplayText(cell.first) || !painted.text.empty())
                        << cell.first << "[" << cell.second << "]";
                })
                .Run(sheets, kSheets);
        shown.erase(CallSheet);
        shown.erase(CL_Misc_ChNo_1Base);  // the aliases' numbers, no setting
        std::set<int> rows;
        for (const ItemRow* row : ItemRegistry::Program().Rows()) {
            if (row->code >= CL_Mdc_System_List_Text && HasASetting(row->code)) {
                rows.insert(row->code);
            }
        }
        EXPECT_EQ(shown, rows);
    }
}

// Keys and typed text on the real grid edit the entry of the cell's column or row.
TEST(MdcSheetsTest, KeysOnTheGridEditTheImage) {
    testsupport::SettingSheetRig sheets(MT_MdcLmr, 1400, 900);
    cmcEeprom& image = sheets.rig.shell.image;
    sheets.Open("GI_Sheet_Mdc_General");
    sheets.Press(CL_Mdc_General_Mdc_On, 2, Qt::Key_Space);
    EXPECT_EQ(image.GetByte(3332 + 2 * 20) & 0x80, 0x80);
    EXPECT_EQ(sheets.At(CL_Mdc_General_Mdc_On, 2).text, "On");
    EXPECT_EQ(sheets.At(CL_Mdc_General_Mdc_On, 1).text, "Off");
    sheets.Type(CL_Mdc_General_Coast_Time, 1, "0.6");
    EXPECT_EQ(GetBE16(image.GetData() + 3332 + 20 + 15), 500);
    EXPECT_EQ(sheets.At(CL_Mdc_General_Coast_Time, 1).text, "  0.500");

    sheets.Open("GI_Sheet_Mdc_System");
    // A digit opens the editor with it; Enter commits the entry of that number.
    sheets.Press(CL_Mdc_System_List_Status, 3, Qt::Key_4);
    ASSERT_TRUE(sheets.sheet->EditorShowing());
    QTest::keyClick(sheets.sheet->Editor(), Qt::Key_Return);
    sheets.Repaint();
    EXPECT_EQ(image.GetByte(3272 + 3 * 12 + 9), 4);
    EXPECT_EQ(sheets.At(CL_Mdc_System_List_Status, 3).text, "4");

    sheets.Open("GI_Sheet_Mdc_StatusText");
    sheets.Press(CL_Mdc_Status_Enabled, 17, Qt::Key_Space);
    EXPECT_EQ(image.GetByte(47568 + 144 + 1) & 0x10, 0x10);
    EXPECT_EQ(sheets.At(CL_Mdc_Status_Num, 17).text, "2");

    sheets.Open("GI_Sheet_Mdc_Alias");
    sheets.Type(CL_Mdc_Alias1_ID, 3, "1a2f");
    EXPECT_EQ(GetBE16(image.GetData() + layout::kMdcAliasTable + 3 * 12 + 10), 0x1A2F);
    EXPECT_EQ(sheets.At(CL_Mdc_Alias1_ID, 3).text, "1A2F");
    EXPECT_GT(sheets.rig.shell.modifiedUpdates, 0);
}

// The cover opens each page; F1 on any cell of a page finds that page's topic in the help file.
TEST(MdcSheetsTest, TheCoverOpensEachPageAndEachPageHasItsHelp) {
    const struct {
        const char* sheet;
        int context;
    } pages[] = {
        {"GI_Sheet_Mdc_System", 301},      {"GI_Sheet_Mdc_General", 302},
        {"GI_Sheet_Mdc_PttId", 303},       {"GI_Sheet_Mdc_SelCall", 304},
        {"GI_Sheet_Mdc_CallAlert", 305},   {"GI_Sheet_Mdc_RadioCheck", 306},
        {"GI_Sheet_Mdc_Emergency", 307},   {"GI_Sheet_Mdc_Stun", 308},
        {"GI_Sheet_Mdc_Revive", 309},      {"GI_Sheet_Mdc_Status", 314},
        {"GI_Sheet_Mdc_StatusText", 315},  {"GI_Sheet_Mdc_Message", 316},
        {"GI_Sheet_Mdc_MessageText", 317}, {"GI_Sheet_Mdc_Alias", 318},
    };
    testsupport::SettingSheetRig sheets(MT_MdcPmr);
    sheets.Open("GI_Sheet_Mdc_Top");
    const cuiSheetCells& cells = sheets.sheet->Cells();
    for (const auto& page : pages) {
        sheets.rig.shell.openedSheets.clear();
        for (int row = 0; row < cells.Rows(); ++row) {
            const cmcCellObj& cell = cells.At(0, row).cell;
            if (cell.optionText && *cell.optionText == page.sheet) {
                sheets.sheet->Grid()->MoveTo(0, row);
                QTest::keyClick(sheets.sheet->Grid(), Qt::Key_Return);
            }
        }
        ASSERT_EQ(sheets.rig.shell.openedSheets.size(), 1u) << page.sheet;
        EXPECT_EQ(sheets.rig.shell.openedSheets[0].spec, page.sheet);
    }

    cmcHelpGTex help;
    help.SetFileName(MERROW_DATA_DIR "/TarnwickH.OVL");
    std::ifstream file(MERROW_DATA_DIR "/Tarnwick.html");
    const std::string html((std::istreambuf_iterator<char>(file)),
                           std::istreambuf_iterator<char>());
    for (const auto& page : pages) {
        EXPECT_NE(html.find("name=\"context-" + std::to_string(page.context) + "\""),
                  std::string::npos)
            << page.sheet;
        sheets.Open(page.sheet);
        for (const auto& [cell, painted] : sheets.painted) {
            if (cell.first == CL_Misc_ChNo_1Base) {
                continue;  // the aliases' numbers, which take no cursor
            }
            EXPECT_EQ(FindHelpContext(cell.first, sheets.rig.shell.image, MT_MdcPmr,
                                      sheets.rig.shell.choices, help),
                      page.context)
                << page.sheet << ": " << cell.first;
        }
    }
}

TEST(MdcSheetsTest, Screenshots) {
    testsupport::SettingSheetRig sheets(MT_MdcPmr, 1100, 560);
    if (!sheets.SaveSheets("MERROW_MDC_SCREENSHOT", kSheets)) {
        GTEST_SKIP() << "MERROW_MDC_SCREENSHOT not set";
    }
}

}  // namespace
