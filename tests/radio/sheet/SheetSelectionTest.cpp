#include "radio/sheet/SheetSelection.h"

#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "radio/sheet/SheetStyle.h"

void PrintTo(const GridCoord& cell, std::ostream* out) {
    *out << "(" << cell.col << ", " << cell.row << ")";
}

namespace {

// A cell array whose selectable cells are the "S" of a picture, one string a row; each cell's
// index is its row.
void Draw(SheetCells& cells, const std::vector<std::string>& picture) {
    cells.Reset(static_cast<int>(picture[0].size()), static_cast<int>(picture.size()));
    for (int row = 0; row < cells.Rows(); ++row) {
        for (int col = 0; col < cells.Cols(); ++col) {
            cmcCellObj& cell = cells.At(col, row).cell;
            cell.index = row;
            if (picture[row][col] == 'S') {
                cell.stateBits |= kStateSelectable;
            }
        }
    }
}

TEST(SheetSelectionTest, MovesWalkToSelectableCellsWrapOrSearchTheNearest) {
    const std::vector<std::string> picture = {
        ".S.S",
        "....",
        "S.S.",
    };
    SheetCells cells;
    Draw(cells, picture);
    struct Case {
        GridCoord from;
        int dx;
        int dy;
        bool wrap;
        bool search;
        GridCoord to;
    };
    const Case cases[] = {
        {{1, 0}, 1, 0, false, true, {3, 0}},
        {{3, 0}, 1, 0, false, true, {3, 0}},   // nothing beyond the edge
        {{3, 0}, 1, 0, true, false, {1, 0}},   // wraps round the row
        {{1, 0}, 0, -1, true, false, {1, 0}},  // the column holds nothing else
        {{1, 0}, 0, 1, false, false, {1, 0}},  // pop-up lists do not search
        {{1, 0}, 0, 10, false, true, {0, 2}},  // pages step by step
        {{1, 0}, 0, 0, false, true, {1, 0}},
    };
    for (const Case& c : cases) {
        SheetSelection selection(cells, [](int, int) {});
        EXPECT_EQ(selection.Move(c.from, c.dx, c.dy, c.wrap, c.search), c.to)
            << c.from.col << "," << c.from.row << " by " << c.dx << "," << c.dy;
    }
    // Past the walk: the next row's selectable cell nearest to the column of the last move,
    // the smaller column on a tie.
    SheetSelection selection(cells, [](int, int) {});
    ASSERT_EQ(selection.Move({1, 0}, 1, 0, false, true), (GridCoord{3, 0}));
    EXPECT_EQ(selection.Move({3, 0}, 0, 1, false, true), (GridCoord{2, 2}));
    ASSERT_EQ(selection.Move({3, 0}, -1, 0, false, true), (GridCoord{1, 0}));
    EXPECT_EQ(selection.Move({1, 0}, 0, 1, false, true), (GridCoord{0, 2}));
}

// Shift over a line sheet marks the rows between the anchor and the cursor, line-marks them
// outside the fixed column, and hands the range of their indices to the edit path.
TEST(SheetSelectionTest, ExtendingMarksLinesAndAMarkedRangeMovesTheAnchor) {
    SheetCells cells;
    Draw(cells, {".SS", ".SS", ".SS", ".SS"});
    std::set<std::pair<int, int>> repainted;
    SheetSelection selection(cells, [&](int col, int row) { repainted.insert({col, row}); });
    selection.SetMultiSelect(MS_Line);
    selection.SetFixedCols(1);
    selection.Update({1, 0}, {1, 0}, false);
    selection.Update({1, 0}, {1, 1}, true);
    selection.Update({1, 1}, {1, 2}, true);
    ASSERT_TRUE(selection.MarksExist());
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(cells.At(1, row).Has(kCellMarked), row <= 2) << row;
        EXPECT_EQ(cells.At(2, row).Has(kCellLineMarked), row <= 2) << row;
        EXPECT_FALSE(cells.At(0, row).Has(kCellLineMarked)) << row;
        EXPECT_EQ(selection.IsHighlighted({1, 2}, 2, row), row <= 2) << row;
    }
    EXPECT_TRUE(repainted.count({2, 1}));
    EXPECT_EQ(selection.IndexRange({1, 2}), (std::pair{0, 2}));

    // The handler's range: the anchor goes to the far end from the cell it was asked at.
    selection.MarkRange({1, 3}, 2, 3);
    EXPECT_FALSE(cells.At(1, 0).Has(kCellMarked));
    EXPECT_TRUE(cells.At(1, 2).Has(kCellMarked));
    EXPECT_EQ(selection.IndexRange({1, 3}), (std::pair{2, 3}));

    // A plain move clears every mark; with marks only line-selectable cells may be chosen.
    cells.At(2, 3).bits &= ~kCellLineSelectable;
    EXPECT_FALSE(selection.MaySelect(2, 3));
    selection.Update({1, 3}, {1, 0}, false);
    EXPECT_FALSE(selection.MarksExist());
    EXPECT_FALSE(cells.At(2, 2).Has(kCellLineMarked));
    EXPECT_TRUE(selection.MaySelect(2, 3));
    EXPECT_FALSE(selection.IndexRange({1, 0}));
}

}  // namespace
