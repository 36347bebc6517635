// The two-tone, five-tone and user-tone sheets of the program's own table, built offscreen
// over an initial clone file (LMR for two-tone, PMR for the others): every value cell paints a
// value of its own rows (none "*Yet*"), and keys on the real grid edit the image. With
// MERROW_TONE_SCREENSHOT=<dir> each sheet is also drawn to <dir>/<sheet>.png.
#include <gtest/gtest.h>

#include <QTest>

#include <initializer_list>
#include <span>
#include <string>
#include <vector>

#include "radio/cells/CellCodes.h"
#include "radio/image/ImageLayout.h"
#include "tests/ui/support/SettingSheetRig.h"
#include "tests/ui/support/ValueCellSweep.h"

namespace {

const char* const kTwoToneSheets[] = {
    "GI_Sheet_2Tone_Top",
    "GI_Sheet_2Tone_RxCode",
    "GI_Sheet_2Tone_TxCode",
    "GI_Sheet_2Tone_Common",
};
const char* const kFiveToneSheets[] = {
    "GI_Sheet_5Tone_Top",    "GI_Sheet_5Tone_RxCode",   "GI_Sheet_5Tone_RxCommon",
    "GI_Sheet_5Tone_TxCode", "GI_Sheet_5Tone_TxCommon", "GI_Sheet_UTone_List",
};

constexpr uint32_t kSilver = 0xC0C0C0;

int Word(const cmcEeprom& image, int address) {
    return (image.GetByte(address) << 8) | image.GetByte(address + 1);
}

// Opens each sheet over the model type's initial file: every cell with an item paints a value
// of its own rows; only the user tones' common entry shows "----".
void CheckSheets(ModelType model, std::span<const char* const> names) {
    // Every cell in sight, so that every cell is painted.
    testsupport::SettingSheetRig sheets(model, 2400, 1400);
    testsupport::ValueCellSweep(CL_2T_RxFreq_1st, CL_UTone_Length)
        .EachSheet([&sheets](const std::string&) {
            const cuiSheetCells& cells = sheets.sheet->Cells();
            for (int row = 0; row < cells.Rows(); ++row) {
                for (int col = 0; col < cells.Cols(); ++col) {
                    const cmcCellObj& cell = cells.At(col, row).cell;
                    if (cell.item != kItemNone) {
                        EXPECT_TRUE(sheets.painted.contains({cell.item, cell.index}))
                            << cell.item << "[" << cell.index << "]";
                    }
                }
            }
        })
        .EachCell([](const std::string&, const auto& cell, const auto& painted) {
            if (painted.text == "----") {
                EXPECT_EQ(cell.second, 15) << cell.first;
            }
        })
        .Run(sheets, names);
}

TEST(ToneSheets, EveryValueCellShowsAValueOfTheImage) {
    CheckSheets(MT_Lmr, kTwoToneSheets);
    CheckSheets(MT_Pmr, kFiveToneSheets);
}

TEST(ToneSheets, ValuesOfTheInitialFiles) {
    testsupport::SettingSheetRig pmr(MT_Pmr, 900, 480);
    pmr.Open("GI_Sheet_UTone_List");
    EXPECT_EQ(pmr.At(CL_UTone_Encode, 10).text, "2400.0");
    EXPECT_EQ(pmr.At(CL_UTone_Dec_Low, 10).text, "2328.0");
    EXPECT_EQ(pmr.At(CL_UTone_TonePeriod, 15).text, "  0.100");
    EXPECT_EQ(pmr.At(CL_UTone_Encode, 15).text, "----");
    EXPECT_EQ(pmr.At(CL_UTone_Encode, 15).colour, kSilver);
    pmr.Open("GI_Sheet_5Tone_TxCommon");
    EXPECT_EQ(pmr.At(CL_5TTx_SpTone_Group).text, "A");
    EXPECT_EQ(pmr.At(CL_5TTx_DispDigit).text, "12345__\n");

    testsupport::SettingSheetRig lmr(MT_Lmr);
    lmr.Open("GI_Sheet_2Tone_TxCode");
    EXPECT_EQ(lmr.At(CL_2T_Code_Type, 4).text, "Two tones");
    EXPECT_EQ(lmr.At(CL_2TTx_Freq_2nd, 4).text, "  0.0");
}

// Enter on each page of a cover opens that page, in the order the cover lists them.
TEST(ToneSheets, TheCoversOpenTheirPages) {
    const struct {
        ModelType model;
        const char* cover;
        std::span<const char* const> pages;
    } covers[] = {{MT_Lmr, kTwoToneSheets[0], std::span(kTwoToneSheets).subspan(1)},
                  // The user tones are a folder of their own, not a five-tone page.
                  {MT_Pmr, kFiveToneSheets[0], std::span(kFiveToneSheets).subspan(1, 4)}};
    for (const auto& c : covers) {
        testsupport::SettingSheetRig sheets(c.model);
        sheets.Open(c.cover);
        const cuiSheetCells& cells = sheets.sheet->Cells();
        for (int row = 0; row < cells.Rows(); ++row) {
            if (cells.At(0, row).cell.item == CallSheet) {
                sheets.sheet->Grid()->MoveTo(0, row);
                QTest::keyClick(sheets.sheet->Grid(), Qt::Key_Return);
            }
        }
        const auto& opened = sheets.rig.shell.openedSheets;
        ASSERT_EQ(opened.size(), c.pages.size()) << c.cover;
        for (std::size_t i = 0; i < opened.size(); ++i) {
            EXPECT_EQ(opened[i].spec, c.pages[i]) << c.cover;
        }
    }
}

// A single-tone code greys its second transmit tone at once.
TEST(ToneSheets, ASingleToneCodeGreysItsSecondToneAtOnce) {
    testsupport::SettingSheetRig sheets(MT_Lmr);
    sheets.Open("GI_Sheet_2Tone_TxCode");
    sheets.Press(CL_2T_Code_Type, 4, Qt::Key_Space);
    EXPECT_EQ(sheets.At(CL_2T_Code_Type, 4).text, "Single tone");
    EXPECT_EQ(sheets.At(CL_2TTx_Freq_2nd, 4).text, "----  ");
    EXPECT_EQ(sheets.At(CL_2TTx_Freq_2nd, 4).colour, kSilver);
    EXPECT_EQ(sheets.At(CL_2TTx_Freq_2nd, 5).text, "  0.0");
    EXPECT_EQ(sheets.rig.shell.image.GetByte(layout::kTwoToneTxArea.At(4) + 12) & 0x0F, 15);
    EXPECT_GT(sheets.rig.shell.modifiedUpdates, 0);
}

// With the group tone off the digits (15 or more) a code typed with "*" is refused whole:
// the code the cell showed stays.
TEST(ToneSheets, AStarWithoutAGroupToneLeavesTheCode) {
    testsupport::SettingSheetRig sheets(MT_Pmr, 1200, 480);
    cmcEeprom& image = sheets.rig.shell.image;
    sheets.Open("GI_Sheet_5Tone_RxCode");
    sheets.Type(CL_5TRx_RxCode, 2, "12345");
    ASSERT_EQ(sheets.At(CL_5TRx_RxCode, 2).text, "12345");
    const int code = layout::kRxCodeArea.At(2);
    const std::vector<uint8_t> before(image.GetData() + code, image.GetData() + code + 17);
    for (uint8_t group : std::initializer_list<uint8_t>{15, 0xFF}) {
        image.SetByte(layout::kCodeCommon, group);
        sheets.Type(CL_5TRx_RxCode, 2, "12*45");
        EXPECT_EQ(sheets.At(CL_5TRx_RxCode, 2).text, "12345") << int{group};
        EXPECT_EQ(std::vector<uint8_t>(image.GetData() + code, image.GetData() + code + 17),
                  before);
    }
    image.SetByte(layout::kCodeCommon, 10);
    sheets.Type(CL_5TRx_RxCode, 2, "12*45");
    EXPECT_EQ(sheets.At(CL_5TRx_RxCode, 2).text, "12*45");
}

// A user tone's decoder window follows its tone, and its row is repainted.
TEST(ToneSheets, AUserTonesWindowFollowsItsTone) {
    testsupport::SettingSheetRig sheets(MT_Pmr);
    sheets.Open("GI_Sheet_UTone_List");
    sheets.Press(CL_UTone_Encode, 1, Qt::Key_Space);
    EXPECT_EQ(sheets.At(CL_UTone_Encode, 1).text, "1124.1");
    EXPECT_EQ(Word(sheets.rig.shell.image, layout::kUserToneDecodeArea.At(1)), 10904);
    EXPECT_EQ(sheets.At(CL_UTone_Dec_Low, 1).text, "1090.4");
}

TEST(ToneSheets, Screenshots) {
    testsupport::SettingSheetRig lmr(MT_Lmr, 900, 420);
    testsupport::SettingSheetRig pmr(MT_Pmr, 900, 420);
    // A crossed window of user tone 3 shows its warning marks.
    pmr.rig.shell.image.SetByte(layout::kUserToneDecodeArea.At(3), 0x7F);
    if (!lmr.SaveSheets("MERROW_TONE_SCREENSHOT", kTwoToneSheets) ||
        !pmr.SaveSheets("MERROW_TONE_SCREENSHOT", kFiveToneSheets)) {
        GTEST_SKIP() << "MERROW_TONE_SCREENSHOT not set";
    }
}

}  // namespace
