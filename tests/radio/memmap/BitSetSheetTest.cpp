#include "radio/memmap/BitSetSheet.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/cmcGTex.h"
#include "radio/cells/CellCodes.h"
#include "radio/cells/cmcCellCapsule.h"
#include "radio/cells/cmcCellObj.h"
#include "tests/radio/support/RecordingCanvas.h"
#include "tests/support/ProgramTable.h"
#include "tests/support/ScopedInstall.h"

namespace {

using Points = std::vector<CanvasPoint>;

// The cells of one row of the sheet's text, parsed as the sheet parses them, with the cell
// models of the program's table.
std::vector<cmcCellObj> RowCells(cmcGTex& text, int line) {
    const cmcCellObj tmpl;
    const std::string row = text.GetLine("GI_Sheet_FBitsR_Cells", line);
    std::vector<cmcCellObj> cells;
    for (std::string_view rest = row;;) {
        cells.emplace_back();
        rest = cmcCellObj::ParseDefinition(cells.back(), rest, nullptr, &tmpl, false);
        if (rest.empty()) {
            return cells;
        }
    }
}

// Labels over the bits: column 2m - 1 holds label and bit m, the columns between hold the
// separating pillars, and only the bits are selectable.
TEST(BitSetSheetTest, TheSheetTextLabelsEachBitAboveItsCell) {
    testsupport::ScopedMainGTex models{&testsupport::ProgramTable()};
    struct Case {
        int first;
        int last;
        int style;
        std::vector<std::string> labels;
    };
    const Case cases[] = {
        {1, 10, 2, {"1", "2", "3", "4", "5", "6", "7", "8", "9", "0"}},
        {1, 10, 0, {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}},
        {1, 4, 0, {"1", "2", "3", "4"}},
        {3, 3, 2, {"3"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.last);
        const BitSetSheet sheet({0, c.first, c.last, c.style, 1});
        ASSERT_EQ(sheet.LineCount(), 32);
        cmcGTex text;
        text.SetLines(sheet.Lines(), sheet.LineCount());
        EXPECT_EQ(text.GetLine("GI_Sheet_FBitsR_Style", 0), "(FixedCols=1)(FixedRows=1)");
        EXPECT_EQ(text.GetLine("GI_Sheet_FBitsR_Cells", 0), "");
        const std::vector<cmcCellObj> labels = RowCells(text, 1);
        const std::vector<cmcCellObj> bits = RowCells(text, 3);
        const std::size_t count = c.labels.size();
        ASSERT_EQ(labels.size(), 2 * count);
        ASSERT_EQ(bits.size(), 2 * count);
        for (std::size_t m = 1; m <= count; ++m) {
            const cmcCellObj& label = labels[2 * m - 1];
            const cmcCellObj& bit = bits[2 * m - 1];
            EXPECT_EQ(label.GetCaption(), c.labels[m - 1]);
            EXPECT_EQ(label.colour, 0x808080u);  // clGray
            EXPECT_EQ(bit.item, CL_FBits);
            EXPECT_EQ(bit.index, static_cast<int>(m));
            EXPECT_TRUE(bit.stateBits & kStateSelectable);
            EXPECT_EQ(labels[2 * m - 2].GetCaption(), "");
            EXPECT_EQ(bits[2 * m - 2].item, m == 1 ? kItemNone : CL_Misc_QuarterPillar);
            EXPECT_FALSE(bits[2 * m - 2].stateBits & kStateSelectable);
        }
        EXPECT_EQ(text.GetLine("GI_PMenu_Edit_Body", 0),
                  "+Edit...\t{(%CT_PopupMenu.CL_PMenu_Edit:Enter)}");
    }
}

struct Bit {
    int m;
    int mask;
};

// Cell m stands for the bit that the bit-field converter gives label first + m - 1: from bit
// count - 1 down with more than eight bits, else from the top of a byte. Space and a
// double-click toggle it, and only they.
TEST(BitSetSheetTest, KeysToggleTheBitOfTheCellAlignedAsTheConverterAlignsIt) {
    struct Case {
        int first;
        int last;
        int value;
        std::vector<Bit> bits;
    };
    const Case cases[] = {
        {1, 10, 0x201, {{1, 0x200}, {2, 0x100}, {10, 0x001}}},
        {1, 7, 0x82, {{1, 0x80}, {7, 0x02}}},
        {1, 4, 0x00, {{1, 0x80}, {4, 0x10}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.last);
        BitSetSheet sheet({c.value, c.first, c.last, 0, 1});
        EXPECT_EQ(sheet.Count(), c.last - c.first + 1);
        for (const Bit& bit : c.bits) {
            cmcCellObj cell;
            cell.item = CL_FBits;
            cell.index = bit.m;
            cmcCellCapsule capsule;
            capsule.cell = &cell;
            const bool wasSet = (c.value & bit.mask) != 0;
            EXPECT_EQ(sheet.IsSet(bit.m), wasSet);
            const int before = sheet.Value();
            for (const int key : {int{'1'}, kKeyEnter, kKeyBackspace, 0}) {
                capsule.key = key;
                EXPECT_TRUE(sheet.RunCell(capsule, 1));
                EXPECT_EQ(sheet.Value(), before) << key;
            }
            capsule.key = kKeySpace;
            sheet.RunCell(capsule, 1);
            EXPECT_EQ(sheet.Value(), before ^ bit.mask);
            capsule.key = kKeyDoubleClick;
            sheet.RunCell(capsule, 1);
            EXPECT_EQ(sheet.Value(), before);
        }
    }
}

TEST(BitSetSheetTest, AToggleReportsTheCellAndOtherCellsAreNotItsOwn) {
    BitSetSheet sheet({0, 1, 8, 0, 1});
    cmcCellObj cell;
    cell.item = CL_FBits;
    cell.index = 3;
    std::vector<int> reported;
    cmcCellCapsule capsule;
    capsule.cell = &cell;
    capsule.key = kKeySpace;
    capsule.outText = "stale";
    capsule.onChanged = [&](cmcCellCapsule* changed, int flags) {
        EXPECT_EQ(changed, &capsule);
        reported.push_back(flags);
    };
    sheet.RunCell(capsule, 0);  // a toggle without notify reports nothing
    sheet.RunCell(capsule, 1);
    EXPECT_EQ(reported, std::vector<int>{RD_SameCell});
    EXPECT_EQ(capsule.outText, "");
    EXPECT_EQ(sheet.Value(), 0);

    cell.item = CL_Misc_QuarterPillar;
    EXPECT_FALSE(sheet.RunCell(capsule, 1));
    capsule.cell = nullptr;
    EXPECT_FALSE(sheet.RunCell(capsule, 1));
    EXPECT_EQ(sheet.Value(), 0);
}

// A set bit paints a check mark in the text colour, centred in a square of 0.7 x the shorter
// side; a clear bit paints nothing.
TEST(BitSetSheetTest, ASetBitPaintsACheckMark) {
    EXPECT_EQ(BitSetSheet::CheckMark({100, 50, 20, 10}),
              (Points{{106, 54}, {106, 55}, {109, 58}, {113, 53}, {113, 52}, {109, 56}}));
    EXPECT_EQ(BitSetSheet::CheckMark({0, 0, 30, 30}),
              (Points{{4, 12}, {4, 17}, {12, 25}, {25, 11}, {25, 7}, {12, 19}}));

    BitSetSheet sheet({0x80, 1, 2, 0, 1});
    testsupport::RecordingCanvas canvas;
    WindowRect rect{0, 0, 30, 30};
    cmcCellObj cell;
    cell.item = CL_FBits;
    cmcCellCapsule capsule;
    capsule.cell = &cell;
    capsule.canvas = &canvas;
    capsule.rect = &rect;
    for (const int m : {1, 2}) {
        cell.index = m;
        sheet.RunCell(capsule, 0);
    }
    ASSERT_EQ(canvas.polygons.size(), 1u);
    EXPECT_EQ(canvas.polygons[0], BitSetSheet::CheckMark(rect));
    EXPECT_EQ(canvas.colours[0], canvas.text);
}

}  // namespace
