#include "radio/sheet/SheetCells.h"

#include "platform/MessageBox.h"

void SheetCells::Reset(int cols, int rows) {
    if (cols < 0 || rows < 0 || static_cast<long long>(cols) * rows > kMaxCells) {
        platform::Fatal("Illegal Cell assign");
    }
    cells_.clear();
    cols_ = cols;
    rows_ = rows;
    cells_.resize(static_cast<size_t>(cols) * static_cast<size_t>(rows));
}

std::optional<GridCoord> SheetCells::FindSelectable(const CellId& id) const {
    for (int row = 0; row < rows_; ++row) {
        for (int col = 0; col < cols_; ++col) {
            const clsSheetCellId& entry = At(col, row);
            if (entry.Selectable() && entry.cell.GetCellId() == id) {
                return GridCoord{col, row};
            }
        }
    }
    return std::nullopt;
}

std::optional<int> SheetCells::FindAnchor(int col, int row) const {
    if (!InRange(col, row)) {
        return std::nullopt;
    }
    while (col > 0 && !At(col, row).Selectable() && At(col, row).Tail()) {
        --col;
    }
    if (At(col, row).Selectable()) {
        return col;
    }
    return std::nullopt;
}

int SheetCells::JoinAnchor(int col, int row) const {
    while (col > 0 && (At(col, row).cell.layoutBits & kLayoutJoined)) {
        --col;
    }
    return col;
}
