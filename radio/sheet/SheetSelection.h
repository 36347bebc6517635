#pragma once

#include <functional>
#include <optional>
#include <utility>

#include "radio/sheet/GridCoord.h"
#include "radio/sheet/SheetCells.h"

// The cursor walk and the marks of a sheet, over its cell array: where a cursor move lands,
// which cells are marked and line-marked while a selection is extended, and the range of
// indices a selection covers. The current cell is the grid's and is handed in; a cell whose
// mark bit changes is handed to the repaint closure.
class SheetSelection {
public:
    // The cells must outlive the selection.
    SheetSelection(SheetCells& cells, std::function<void(int col, int row)> repaint);

    void SetMultiSelect(int mode) { multiSelect_ = mode; }
    int MultiSelect() const { return multiSelect_; }
    // Line marks and the index range leave the fixed columns out.
    void SetFixedCols(int cols) { fixedCols_ = cols; }
    // The rows the grid shows, when the cell array holds more (rows kept ready for a list that
    // grows): the cursor and the marks stay among them.
    void SetShownRows(int rows) { shownRows_ = rows; }
    bool MarksExist() const { return marksExist_; }

    // Where a move by (dx, dy) from `from` lands, one unit step after the other (a horizontal
    // move ignores dy): each step walks to the next selectable cell, wrapping round the sheet
    // when asked; when the walk reaches the edge and search is on, the next column (row) with
    // a selectable cell is taken at the row (column) nearest to the last keyboard move.
    GridCoord Move(GridCoord from, int dx, int dy, bool wrap, bool search);
    // Whether the grid may make the cell current: a selectable cell, and while marks exist
    // only a line-selectable one.
    bool MaySelect(int col, int row) const;
    // The current cell moves to next. Extending (Shift or a mouse button held) over
    // line-selectable cells marks the box between the anchor and next; otherwise the anchor
    // moves to next and the marks go. next is marked in any case.
    void Update(GridCoord current, GridCoord next, bool extending);
    void ClearMarks();
    // Marks every cell of cell's item whose index lies in [low, high]; the anchor goes to the
    // row of the far end of the range.
    void MarkRange(GridCoord cell, int low, int high);
    // The current cell, and a line-selectable cell that is marked or line-marked.
    bool IsHighlighted(GridCoord current, int col, int row) const;
    // While marks exist: the lowest and highest index of the first scrolled column's cells in
    // the anchor row and the current row.
    std::optional<std::pair<int, int>> IndexRange(GridCoord current) const;

private:
    std::optional<GridCoord> Walk(GridCoord from, int sx, int sy, bool wrap) const;
    std::optional<GridCoord> NearestSearch(GridCoord from, int sx, int sy) const;
    void MarkBox(GridCoord current, GridCoord next);
    void SetMark(int col, int row, bool on);
    void SetLineMark(int col, int row, bool on);
    void UpdateLineMarks();
    int Rows() const;
    bool Inside(int col, int row) const { return cells_.InRange(col, row) && row < Rows(); }

    SheetCells& cells_;
    std::function<void(int, int)> repaint_;
    int multiSelect_ = 0;
    int fixedCols_ = 0;
    int shownRows_ = -1;  // all of the array's
    GridCoord anchor_;
    GridCoord lastMove_{0, 0};
    bool marksExist_ = false;
    bool lineMarksClear_ = true;
};
