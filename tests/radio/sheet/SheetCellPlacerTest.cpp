#include "radio/sheet/SheetCellPlacer.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "radio/cells/CellCodes.h"
#include "radio/sheet/SheetRowReader.h"
#include "tests/radio/support/SheetTable.h"

namespace {

// Captions measure 10 pixels a character and 7 a line.
SheetCellPlacer::CaptionSize Measure(const cmcCellObj& cell) {
    SheetCellPlacer::CaptionSize size;
    const std::string caption = cell.GetCaption();
    for (size_t start = 0; start <= caption.size();) {
        const size_t end = std::min(caption.find('\n', start), caption.size());
        size.width = std::max(size.width, static_cast<int>(end - start) * 10);
        size.height += 7;
        start = end + 1;
    }
    return size;
}

struct Placed {
    SheetCells cells;
    std::vector<int> widths;
    std::vector<int> heights;
    int smallestCol = 0;
    int smallestRow = 0;
    std::vector<int> rowsStarted;
};

void Place(const std::vector<std::string>& lines, int scale, bool lineSelect, Placed& placed) {
    testsupport::SheetTable sheet(lines);
    SheetRowReader reader;
    const cmcCellObj tmpl;
    reader.Read(sheet.table, "X_Cells", tmpl,
                [&](std::string_view item) { reader.DoDirective(item); });
    placed.cells.Reset(reader.Cols(), reader.Rows());
    ChannelVars vars{};
    SheetCellPlacer placer(placed.cells, tmpl, vars, scale);
    const SheetCellPlacer::Hooks hooks{
        .rowStart = [&](int row) { placed.rowsStarted.push_back(row); },
        .cellStart = [](int, int) {},
        .measure = Measure,
    };
    placer.Place(sheet.table, "X_Cells", reader.RowAttrs(), lineSelect, hooks);
    placed.widths = placer.ColWidths();
    placed.heights = placer.RowHeights();
    placed.smallestCol = placer.SmallestCol();
    placed.smallestRow = placer.SmallestRow();
}

// A header row, then a one-row loop whose repeats copy the row above with index + 1 and take
// its height, after a SelectOFF that keeps the loop's rows out of line selection.
const std::vector<std::string> kLayout = {
    "{W}Name|{H}x|{S}c|",
    ":(SelectOFF)(LoopFrom 3)",
    "{SH(%CT_Null.CL_FBits[4])}a\nb|",
    ":(LoopTo)",
};

TEST(SheetCellPlacerTest, FittedCellsSizeTheirColumnsAndRowsAndRepeatsCopyTheRowAbove) {
    Placed placed;
    Place(kLayout, 2, true, placed);
    // W: 4 characters + 8 x scale; H: one line + 2 x scale, two lines in the loop; the rest
    // keep the default of the scale.
    EXPECT_EQ(placed.widths, (std::vector<int>{56, 2, 2}));
    EXPECT_EQ(placed.heights, (std::vector<int>{11, 18, 18, 18}));
    EXPECT_EQ(placed.rowsStarted, (std::vector<int>{0, 1, 2, 3}));
    for (int row = 1; row < 4; ++row) {
        const cmcCellObj& cell = placed.cells.At(0, row).cell;
        EXPECT_EQ(cell.item, CL_FBits) << row;
        EXPECT_EQ(cell.index, row + 3) << row;
        EXPECT_EQ(cell.GetCaption(), "a\nb") << row;
        EXPECT_EQ(placed.cells.At(0, row).bits, 0) << row;
    }
    EXPECT_EQ(placed.cells.At(2, 0).bits, kCellLineSelectable);
    EXPECT_EQ(placed.smallestCol, 0);
    EXPECT_EQ(placed.smallestRow, 0);

    Placed plain;
    Place(kLayout, 1, false, plain);
    EXPECT_EQ(plain.widths, (std::vector<int>{48, 1, 1}));
    EXPECT_EQ(plain.cells.At(2, 0).bits, 0);
}

}  // namespace
