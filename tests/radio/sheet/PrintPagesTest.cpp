// The page arithmetic of printing: margins, the frame, the split into column and row chunks,
// the cells placed on a page and the font that makes a chunk fit.
#include "radio/sheet/PrintPages.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(PrintPagesTest, MarginsInMillimetresBecomeTruncatedPrinterPixels) {
    struct Case {
        const char* margins;
        int dpi;
        WindowRect area;
    };
    const Case cases[] = {
        // 10 mm at 600 dpi are 236.2 pixels: 236 on each side.
        {"10, 10, 10, 10", 600, {236, 236, 4960 - 2 * 236, 7016 - 2 * 236}},
        {"\t5 ,20,0,  12.5 ", 300, {59, 236, 4960 - 59, 7016 - 236 - 147}},
        // Missing and unreadable margins are none.
        {"10, 10", 600, {236, 236, 4960 - 236, 7016 - 236}},
        {"ten, -3, 10mm, ", 600, {0, 0, 4960, 7016}},
        {"", 600, {0, 0, 4960, 7016}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PrintArea(c.margins, 4960, 7016, c.dpi), c.area) << c.margins;
    }
}

TEST(PrintPagesTest, FrameKeepsHeaderAndFooterLinesWithTheirBarsOffTheCells) {
    const PageFrame frame = FramePage({100, 200, 1000, 2000}, -50);
    EXPECT_EQ(frame.bar, 6);
    EXPECT_EQ(frame.headerTop, 200);
    EXPECT_EQ(frame.headerBar, 200 + 50 + 6);
    EXPECT_EQ(frame.footerTop, 2200 - 50 - 1);
    EXPECT_EQ(frame.footerBar, 2200 - 50 - 12);
    // Four bars' room between a bar and the cells.
    EXPECT_EQ(frame.cells, (WindowRect{100, 200 + 50 + 36, 1000, 2000 - 2 * (50 + 36)}));
}

// A split of a grid into chunks of lines that fit the page's size.
struct SplitCase {
    const char* what;
    PageGrid grid;
    int size;
    std::vector<int> chunks;
};

PageGrid Grid(std::vector<int> widths, std::vector<int> heights, int fixedCols, int fixedRows,
              std::vector<bool> joined = {}) {
    return {std::move(widths), std::move(heights), fixedCols, fixedRows, std::move(joined)};
}

TEST(PrintPagesTest, ColumnsSplitIntoChunksThatFitBesideTheFixedColumns) {
    const SplitCase cases[] = {
        {"all fit", Grid({10, 20, 20, 20}, {}, 1, 0), 100, {3}},
        {"fixed column repeated on each page",
         Grid({30, 20, 20, 20, 20, 20}, {}, 1, 0),
         70,
         {2, 2, 1}},
        {"exactly full page", Grid({10, 30, 30, 30}, {}, 1, 0), 70, {2, 1}},
        {"a column wider than the page stands alone",
         Grid({10, 20, 500, 20}, {}, 1, 0),
         100,
         {1, 1, 1}},
        {"no fixed columns", Grid({40, 40, 40}, {}, 0, 0), 100, {2, 1}},
        // Column 3 is joined to column 2 in the header: the page breaks before column 2.
        {"joined column never begins a page",
         Grid({10, 30, 30, 30, 30}, {}, 1, 0, {false, false, false, true, false}),
         90,
         {1, 2, 1}},
        {"a joined group wider than the page stays whole",
         Grid({10, 60, 60, 60}, {}, 1, 0, {false, false, true, true}),
         100,
         {3}},
        {"only fixed columns", Grid({10, 10}, {}, 2, 0), 100, {}},
    };
    for (const SplitCase& c : cases) {
        EXPECT_EQ(SplitColumns(c.grid, c.size), c.chunks) << c.what;
    }
}

TEST(PrintPagesTest, RowsSplitIntoChunksThatFitUnderTheFixedRows) {
    const SplitCase cases[] = {
        {"header row on each page",
         Grid({}, {20, 10, 10, 10, 10, 10, 10, 10}, 0, 1),
         50,
         {3, 3, 1}},
        {"exactly full page", Grid({}, {20, 15, 15, 15}, 0, 1), 50, {2, 1}},
        {"a row higher than the page stands alone",
         Grid({}, {20, 10, 90, 10}, 0, 1),
         50,
         {1, 1, 1}},
        {"fixed rows higher than the page", Grid({}, {60, 10, 10}, 0, 1), 50, {1, 1}},
    };
    for (const SplitCase& c : cases) {
        EXPECT_EQ(SplitRows(c.grid, c.size), c.chunks) << c.what;
    }
}

TEST(PrintPagesTest, ChunkPlacesFixedThenChosenLinesFromTheTopLeft) {
    const PageGrid grid = Grid({5, 10, 20, 30}, {4, 6, 8, 9}, 1, 1);
    const PlacedChunk placed = PlaceChunk(grid, {2, 2, 2, 2}, 100, 50);
    std::vector<std::pair<int, int>> order;
    for (const PlacedCell& cell : placed.cells) {
        order.emplace_back(cell.col, cell.row);
    }
    EXPECT_EQ(order, (std::vector<std::pair<int, int>>{
                         {0, 0}, {2, 0}, {3, 0}, {0, 2}, {2, 2}, {3, 2}, {0, 3}, {2, 3}, {3, 3}}));
    EXPECT_EQ(placed.cells[4].rect, (WindowRect{105, 54, 20, 8}));
    EXPECT_EQ(placed.covered, (WindowRect{100, 50, 55, 21}));
    // A chunk past the sheet's end keeps to the lines that exist.
    EXPECT_EQ(PlaceChunk(grid, {3, 3, 5, 5}, 0, 0).covered, (WindowRect{0, 0, 35, 13}));
}

TEST(PrintPagesTest, FontShrinksByTheTighterSideOfTheChunk) {
    const WindowRect area{0, 0, 1000, 2000};
    EXPECT_TRUE(ChunkFits({0, 0, 1000, 2000}, area));
    EXPECT_FALSE(ChunkFits({0, 0, 1001, 10}, area));
    EXPECT_FALSE(ChunkFits({0, 0, 10, 2001}, area));
    // Twice too wide, a quarter too high: half the height, from the absolute (point) height.
    EXPECT_EQ(ShrunkFontHeight(-50, {0, 0, 2000, 2500}, area), 25);
    EXPECT_EQ(ShrunkFontHeight(33, {0, 0, 1000, 4000}, area), 16);
    // An empty side counts as one pixel; the height never reaches 0.
    EXPECT_EQ(ShrunkFontHeight(40, {0, 0, 0, 4000}, area), 20);
    EXPECT_EQ(ShrunkFontHeight(40, {0, 0, 1000000, 10}, area), 1);
}

}  // namespace
