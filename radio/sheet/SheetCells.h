#pragma once

#include <optional>
#include <vector>

#include "platform/MessageBox.h"
#include "radio/cells/clsSheetCellId.h"
#include "radio/sheet/GridCoord.h"

// The cell array of a sheet, columns x rows, row-major. Every access is checked: a position
// outside the array is the fatal "Illegal Cell selection", as the layout caused it.
class SheetCells {
public:
    // The most cells a sheet may have: room beyond the largest sheet of the program, the image
    // debug window's 35 x 3,058 cells. A layout that asks for more is refused before anything
    // is made for it.
    static constexpr int kMaxCells = 131072;

    // Fresh entries: an empty descriptor, line-selectable. At most kMaxCells in all.
    void Reset(int cols, int rows);
    bool Empty() const { return cells_.empty(); }
    int Cols() const { return cols_; }
    int Rows() const { return rows_; }
    bool InRange(int col, int row) const {
        return col >= 0 && row >= 0 && col < cols_ && row < rows_;
    }

    // Inline: sheets reach their cells a few hundred thousand times while they are built.
    clsSheetCellId& At(int col, int row) { return cells_[Offset(col, row)]; }
    const clsSheetCellId& At(int col, int row) const { return cells_[Offset(col, row)]; }
    bool Selectable(int col, int row) const {
        return InRange(col, row) && At(col, row).Selectable();
    }

    // The first selectable cell in row-major order with that identity.
    std::optional<GridCoord> FindSelectable(const CellId& id) const;
    // The selectable cell a tail cell belongs to: walks left over non-selectable tail cells.
    std::optional<int> FindAnchor(int col, int row) const;
    // The cell whose text a joined cell shows: the first cell at or left of it without '+'.
    int JoinAnchor(int col, int row) const;

private:
    // Fatal outside the array.
    size_t Offset(int col, int row) const {
        if (!InRange(col, row)) {
            platform::Fatal("Illegal Cell selection");
        }
        return static_cast<size_t>(row) * static_cast<size_t>(cols_) + static_cast<size_t>(col);
    }

    int cols_ = 0;
    int rows_ = 0;
    std::vector<clsSheetCellId> cells_;
};
