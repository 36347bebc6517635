#pragma once

#include <string_view>
#include <vector>

#include "common/WindowRect.h"

// The arithmetic of printing a sheet, free of any drawing: the print area from the margins,
// the header and footer frame around the cells, the split of a sheet's columns and rows into
// page chunks, where each cell of a chunk lands on the page, and the font height that makes a
// chunk fit. All sizes are printer pixels; a rectangle's right and bottom edges are exclusive.

// The page less the margins, "left, top, right, bottom" in millimetres (fields trimmed of
// blanks and tabs); a missing or unreadable margin is 0.
WindowRect PrintArea(std::string_view margins, int pageWidth, int pageHeight, int dpi);

// A page's frame for frame texts of the height: the title and the program's name on the top
// line, a bar under them, a bar over the maker's name on the bottom line, the cells between.
struct PageFrame {
    int bar = 0;        // thickness of a bar
    int headerTop = 0;  // top of the header line
    int headerBar = 0;  // top of the header's bar
    int footerTop = 0;  // top of the footer line
    int footerBar = 0;  // top of the footer's bar
    WindowRect cells;   // what is left for the cells
};
PageFrame FramePage(const WindowRect& area, int textHeight);

// The sheet as the page split sees it: column widths and row heights, the fixed columns and
// rows printed on every page, and the columns that may not begin a page (joined to their left
// neighbour in a fixed row, so a header would be cut).
struct PageGrid {
    std::vector<int> colWidths;
    std::vector<int> rowHeights;
    int fixedCols = 0;
    int fixedRows = 0;
    std::vector<bool> joinedCols;
};

// The column counts of the pages side by side, from the first non-fixed column: each as many
// as fit beside the fixed columns in width, at least one.
std::vector<int> SplitColumns(const PageGrid& grid, int width);
// The row counts of the pages one under the other, from the first non-fixed row: each as many
// as fit under the fixed rows in height, at least one.
std::vector<int> SplitRows(const PageGrid& grid, int height);

// A page's part of the sheet: the fixed columns and rows, then cols columns from firstCol and
// rows rows from firstRow.
struct PageChunk {
    int firstCol = 0;
    int firstRow = 0;
    int cols = 0;
    int rows = 0;
};

struct PlacedCell {
    int col = 0;
    int row = 0;
    WindowRect rect;
};

// The chunk's cells laid out row by row from (left, top) at their grid sizes, and the
// rectangle they cover: from (left, top) to the right edge of the last row and the bottom edge.
struct PlacedChunk {
    std::vector<PlacedCell> cells;
    WindowRect covered;
};
PlacedChunk PlaceChunk(const PageGrid& grid, const PageChunk& chunk, int left, int top);

// True when the covered rectangle stays within the right and bottom edges of the area.
bool ChunkFits(const WindowRect& covered, const WindowRect& area);
// The font height that shrinks the covered rectangle into the area: |height| times the smaller
// of the two ratios, truncated, at least 1 (an empty side counts as 1). A positive (cell)
// height.
int ShrunkFontHeight(int height, const WindowRect& covered, const WindowRect& area);
