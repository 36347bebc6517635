// The MSK signalling sheets of the program's own table, built offscreen over the initial clone
// file of the Vask model type: every MSK setting has a cell, every cell paints a value of the
// image, keys and typed text on the real grid edit it, and addresses in the wrong range show
// the error mark. With MERROW_MSK_SCREENSHOT=<dir> each sheet is also drawn to
// <dir>/<sheet>.png.
#include <gtest/gtest.h>

#include <QTest>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "common/cmcHelpGTex.h"
#include "radio/cells/CellCodes.h"
#include "radio/cells/cmcCellCapsule.h"
#include "radio/cells/cmcCellObj.h"
#include "radio/image/ImageLayout.h"
#include "radio/memmap/HelpContext.h"
#include "radio/memmap/ItemRegistry.h"
#include "tests/ui/support/SettingSheetRig.h"
#include "tests/ui/support/ValueCellSweep.h"

namespace {

const char* const kSheets[] = {
    "GI_Sheet_Msk_AdrRange",  "GI_Sheet_Msk_IdGroup",   "GI_Sheet_Msk_CallList",
    "GI_Sheet_Msk_StatusMsg", "GI_Sheet_Msk_ShortText", "GI_Sheet_Msk_Timing",
    "GI_Sheet_Msk_Config",
};
// The help context of each sheet's page, in the order of the sheets.
constexpr int kFirstPageContext = 291;
// The topic of the settings shown only.
constexpr int kShownOnlyContext = 25;

constexpr uint32_t kTeal = 0x808000;

class MskSheetsTest : public ::testing::Test {
protected:
    bool HasError(int item, int index = 0) {
        return (sheets.At(item, index).marks & kMarkError) != 0;
    }
    int Word(int address) {
        const cmcEeprom& image = sheets.rig.shell.image;
        return (image.GetByte(address) << 8) | image.GetByte(address + 1);
    }

    testsupport::SettingSheetRig sheets{MT_VaskPmr, 1200, 1000};
};

// Every row of the group has a cell on a sheet, except the status messages' horn, which the
// status record has no bit for.
TEST_F(MskSheetsTest, EverySettingHasACellThatShowsTheImage) {
    const std::set<int> shown =
        testsupport::ValueCellSweep(CL_Msk_AdrRange_Individual, CL_Msk_Cfg_Etc_PttEnableAtConnect)
            .EachCell([](const std::string&, const auto& cell, const auto& painted) {
                EXPECT_EQ(painted.marks & (kMarkError | kMarkWarning), 0) << cell.first;
            })
            .Run(sheets, kSheets);
    std::set<int> rows;
    for (const ItemRow* row : ItemRegistry::Program().Rows()) {
        if (row->code >= CL_Msk_AdrRange_Individual &&
            row->code <= CL_Msk_Cfg_Etc_PttEnableAtConnect && row->code != CL_Msk_Msg_Status_Horn) {
            rows.insert(row->code);
        }
    }
    EXPECT_EQ(shown, rows);
}

// The cover opens each page; F1 on a cell of a page finds that page's topic in the help file.
TEST_F(MskSheetsTest, TheCoverOpensEachPageAndEachPageHasItsHelp) {
    sheets.Open("GI_Sheet_Msk_Top");
    for (const char* name : kSheets) {
        sheets.rig.shell.openedSheets.clear();
        const cuiSheetCells& cells = sheets.sheet->Cells();
        for (int row = 0; row < cells.Rows(); ++row) {
            const cmcCellObj& cell = cells.At(0, row).cell;
            if (cell.optionText && *cell.optionText == name) {
                sheets.sheet->Grid()->MoveTo(0, row);
                QTest::keyClick(sheets.sheet->Grid(), Qt::Key_Return);
            }
        }
        ASSERT_EQ(sheets.rig.shell.openedSheets.size(), 1u) << name;
        EXPECT_EQ(sheets.rig.shell.openedSheets[0].spec, name);
    }

    cmcHelpGTex help;
    help.SetFileName(MERROW_DATA_DIR "/TarnwickH.OVL");
    std::ifstream file(MERROW_DATA_DIR "/Tarnwick.html");
    const std::string html((std::istreambuf_iterator<char>(file)),
                           std::istreambuf_iterator<char>());
    int context = kFirstPageContext;
    for (const char* name : kSheets) {
        EXPECT_NE(html.find("name=\"context-" + std::to_string(context) + "\""), std::string::npos)
            << name;
        sheets.Open(name);
        for (const auto& [cell, painted] : sheets.painted) {
            // The special functions are shown only; their topic says why.
            const bool shownOnly =
                cell.first == CL_Msk_IdGroup_SFunc || cell.first == CL_Msk_Msg_Status_SFunc;
            EXPECT_EQ(FindHelpContext(cell.first, sheets.rig.shell.image, MT_VaskPmr,
                                      sheets.rig.shell.choices, help),
                      shownOnly ? kShownOnlyContext : context)
                << name << ": " << cell.first;
        }
        ++context;
    }
}

TEST_F(MskSheetsTest, ValuesOfTheInitialFile) {
    sheets.Open("GI_Sheet_Msk_AdrRange");
    EXPECT_EQ(sheets.At(CL_Msk_AdrRange_Individual, 0).text, "0000 (No Edit)");
    EXPECT_EQ(sheets.At(CL_Msk_AdrRange_Individual, 1).text, "3999 (No Edit)");
    EXPECT_EQ(sheets.At(CL_Msk_AdrRange_Group, 0).text, "4000");
    EXPECT_EQ(sheets.At(CL_Msk_AdrRange_Group, 1).text, "4095 (No Edit)");
    sheets.Open("GI_Sheet_Msk_IdGroup");
    EXPECT_EQ(sheets.At(CL_Msk_IdGroup_Adr, 0).text, "0001");
    EXPECT_EQ(sheets.At(CL_Msk_IdGroup_Adr, 7).text, "4006");
    sheets.Open("GI_Sheet_Msk_StatusMsg");
    EXPECT_EQ(sheets.At(CL_Msk_Msg_Status_Beep, 23).colour, kTeal);
    EXPECT_NE(sheets.At(CL_Msk_Msg_Status_Beep, 22).colour, kTeal);
    sheets.Open("GI_Sheet_Msk_Config");
    EXPECT_EQ(sheets.At(CL_Msk_Cfg_Enc_SyncvWord).text, "C4D7");
    EXPECT_EQ(sheets.At(CL_Msk_Cfg_Gps_IntervalTimer).text, " 1:00");
}

TEST_F(MskSheetsTest, AddressesTypedOnTheGridAreCheckedAgainstTheirRange) {
    sheets.Open("GI_Sheet_Msk_AdrRange");
    sheets.Type(CL_Msk_AdrRange_Killer, 0, "4000");
    EXPECT_EQ(Word(2186), 4000);
    EXPECT_TRUE(HasError(CL_Msk_AdrRange_Killer));
    // A lower first group address redraws the individual range at once.
    sheets.Type(CL_Msk_AdrRange_Group, 0, "100");
    EXPECT_EQ(Word(layout::kVaskFirstGroup), 100);
    EXPECT_EQ(sheets.At(CL_Msk_AdrRange_Individual, 1).text, "0099 (No Edit)");
    sheets.Type(CL_Msk_AdrRange_Killer, 0, "99");
    EXPECT_FALSE(HasError(CL_Msk_AdrRange_Killer));

    sheets.Open("GI_Sheet_Msk_IdGroup");
    sheets.Type(CL_Msk_IdGroup_Adr, 0, "50");
    sheets.Type(CL_Msk_IdGroup_Adr, 3, "50");
    EXPECT_EQ(Word(layout::kMskIdGroupArea.At(3)), 50);
    EXPECT_FALSE(HasError(CL_Msk_IdGroup_Adr, 0));
    EXPECT_TRUE(HasError(CL_Msk_IdGroup_Adr, 3));

    sheets.Open("GI_Sheet_Msk_Config");
    sheets.Type(CL_Msk_Cfg_Gps_FixBaseId, 0, "100");
    EXPECT_TRUE(HasError(CL_Msk_Cfg_Gps_FixBaseId));
    EXPECT_FALSE(HasError(CL_Msk_Cfg_Status_FixBaseId));
    EXPECT_GT(sheets.rig.shell.warningRestarts, 0);
}

TEST_F(MskSheetsTest, KeysOnTheGridEditTheListsAndSettings) {
    cmcEeprom& image = sheets.rig.shell.image;
    sheets.Open("GI_Sheet_Msk_StatusMsg");
    sheets.Press(CL_Msk_Msg_Status_Auto, 22, Qt::Key_Space);
    EXPECT_EQ(image.GetByte(layout::kMskMsgStatusArea.At(22)), 0x08);
    EXPECT_EQ(sheets.At(CL_Msk_Msg_Status_Auto, 22).text, "On");
    sheets.Press(CL_Msk_Msg_Status_Auto, 23, Qt::Key_Space);
    EXPECT_EQ(sheets.At(CL_Msk_Msg_Status_Auto, 23).text, "Off");

    sheets.Open("GI_Sheet_Msk_CallList");
    sheets.Press(CL_Msk_CallList_Digit, 5, Qt::Key_2);
    EXPECT_EQ(image.GetByte(layout::kMskCallListArea.At(5) + 12), 0x40);
    sheets.Type(CL_Msk_CallList_Adr, 5, "1234");
    EXPECT_EQ(image.GetByte(layout::kMskCallListArea.At(5) + 8), 0x12);
    EXPECT_EQ(sheets.At(CL_Msk_CallList_Adr, 5).text, "1234");

    sheets.Open("GI_Sheet_Msk_Config");
    sheets.Press(CL_Msk_Cfg_Enc_PttCall, 0, Qt::Key_Space);
    EXPECT_EQ(image.GetByte(2153) & 0x80, 0x80);
    EXPECT_EQ(sheets.At(CL_Msk_Cfg_Enc_PttCall).text, "Enabled");
    sheets.Type(CL_Msk_Cfg_Gps_TimeMarker, 0, "2:30");
    EXPECT_EQ(image.GetByte(2151), 5);
    EXPECT_GT(sheets.rig.shell.modifiedUpdates, 0);
}

TEST_F(MskSheetsTest, Screenshots) {
    cmcEeprom& image = sheets.rig.shell.image;
    image.SetByte(2186, 0x0F);  // killer address 4000, a group address
    image.SetByte(2187, 0xA0);
    const char name[] = "UNIT 12 ";
    image.WriteBlock(layout::kMskIdGroupArea.At(0) + 2, reinterpret_cast<const uint8_t*>(name), 8);
    image.SetByte(layout::kMskCallListArea.At(1) + 12, 0xA0);
    const char* const cover[] = {"GI_Sheet_Msk_Top"};
    if (!sheets.SaveSheets("MERROW_MSK_SCREENSHOT", cover) ||
        !sheets.SaveSheets("MERROW_MSK_SCREENSHOT", kSheets)) {
        GTEST_SKIP() << "MERROW_MSK_SCREENSHOT not set";
    }
}

}  // namespace
