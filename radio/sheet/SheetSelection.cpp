#include "radio/sheet/SheetSelection.h"

#include <algorithm>
#include <cstdlib>

#include "radio/sheet/SheetStyle.h"

namespace {

int Sign(int value) {
    return (value > 0) - (value < 0);
}

}  // namespace

SheetSelection::SheetSelection(SheetCells& cells, std::function<void(int col, int row)> repaint)
    : cells_(cells), repaint_(std::move(repaint)) {}

int SheetSelection::Rows() const {
    return shownRows_ < 0 ? cells_.Rows() : std::min(cells_.Rows(), shownRows_);
}

// ---- Cursor ----

GridCoord SheetSelection::Move(GridCoord from, int dx, int dy, bool wrap, bool search) {
    const bool horizontal = dx != 0;
    const int sx = horizontal ? Sign(dx) : 0;
    const int sy = horizontal ? 0 : Sign(dy);
    const int steps = horizontal ? std::abs(dx) : std::abs(dy);
    GridCoord position = from;
    for (int step = 0; step < steps; ++step) {
        std::optional<GridCoord> found = Walk(position, sx, sy, wrap);
        if (!found && search) {
            found = NearestSearch(position, sx, sy);
        }
        if (found) {
            position = *found;
        }
        lastMove_ = position;
    }
    return position;
}

std::optional<GridCoord> SheetSelection::Walk(GridCoord from, int sx, int sy, bool wrap) const {
    const int cols = cells_.Cols();
    const int rows = Rows();
    GridCoord at = from;
    for (;;) {
        at.col += sx;
        at.row += sy;
        if (wrap) {
            at.col = (at.col % cols + cols) % cols;
            at.row = (at.row % rows + rows) % rows;
            if (at == from) {
                return std::nullopt;
            }
        } else if (!Inside(at.col, at.row)) {
            return std::nullopt;
        }
        if (cells_.At(at.col, at.row).Selectable()) {
            return at;
        }
    }
}

// Beyond the last selectable cell along the move: the next column (row) that holds a selectable
// cell, at the row (column) nearest to the last keyboard move; the smaller index on a tie.
std::optional<GridCoord> SheetSelection::NearestSearch(GridCoord from, int sx, int sy) const {
    const bool horizontal = sx != 0;
    const int lines = horizontal ? cells_.Cols() : Rows();
    const int across = horizontal ? Rows() : cells_.Cols();
    const int target = horizontal ? lastMove_.row : lastMove_.col;
    const int step = horizontal ? sx : sy;
    for (int line = (horizontal ? from.col : from.row) + step; line >= 0 && line < lines;
         line += step) {
        int best = -1;
        for (int i = 0; i < across; ++i) {
            const bool selectable =
                horizontal ? cells_.Selectable(line, i) : cells_.Selectable(i, line);
            if (selectable && (best < 0 || std::abs(i - target) < std::abs(best - target))) {
                best = i;
            }
        }
        if (best >= 0) {
            return horizontal ? GridCoord{line, best} : GridCoord{best, line};
        }
    }
    return std::nullopt;
}

// ---- Selection and marks ----

bool SheetSelection::MaySelect(int col, int row) const {
    const clsSheetCellId& entry = cells_.At(col, row);
    return entry.Selectable() && (!marksExist_ || entry.Has(kCellLineSelectable));
}

void SheetSelection::Update(GridCoord current, GridCoord next, bool extending) {
    if (!Inside(next.col, next.row) || !Inside(current.col, current.row)) {
        return;
    }
    const bool rangeCapable = ((multiSelect_ != MS_None && next != current) || marksExist_) &&
                              cells_.At(current.col, current.row).Has(kCellLineSelectable) &&
                              cells_.At(next.col, next.row).Has(kCellLineSelectable);
    if (!rangeCapable || !extending || anchor_.col < 0) {
        anchor_ = next;
    }
    if (extending && rangeCapable) {
        MarkBox(current, next);
    } else if (marksExist_) {
        ClearMarks();
    } else {
        SetMark(current.col, current.row, false);
        SetLineMark(current.col, current.row, false);
    }
    SetMark(next.col, next.row, true);
    UpdateLineMarks();
}

// Over the box of anchor, current and next: marked between the anchor and next, else not.
void SheetSelection::MarkBox(GridCoord current, GridCoord next) {
    const int left = std::min({anchor_.col, current.col, next.col});
    const int right = std::max({anchor_.col, current.col, next.col});
    const int top = std::min({anchor_.row, current.row, next.row});
    const int bottom = std::max({anchor_.row, current.row, next.row});
    for (int r = top; r <= bottom; ++r) {
        for (int c = left; c <= right; ++c) {
            const bool inside =
                c >= std::min(anchor_.col, next.col) && c <= std::max(anchor_.col, next.col) &&
                r >= std::min(anchor_.row, next.row) && r <= std::max(anchor_.row, next.row);
            SetMark(c, r, inside);
        }
    }
    marksExist_ = true;
}

void SheetSelection::SetMark(int col, int row, bool on) {
    clsSheetCellId& entry = cells_.At(col, row);
    if (!entry.Selectable() || entry.Has(kCellMarked) == on) {
        return;
    }
    entry.bits = on ? (entry.bits | kCellMarked) : (entry.bits & ~kCellMarked);
    repaint_(col, row);
}

void SheetSelection::SetLineMark(int col, int row, bool on) {
    clsSheetCellId& entry = cells_.At(col, row);
    if (entry.Has(kCellLineMarked) == on) {
        return;
    }
    entry.bits = on ? (entry.bits | kCellLineMarked) : (entry.bits & ~kCellLineMarked);
    repaint_(col, row);
}

void SheetSelection::UpdateLineMarks() {
    if (marksExist_ && multiSelect_ == MS_Line) {
        for (int row = 0; row < Rows(); ++row) {
            bool marked = false;
            for (int col = 0; col < cells_.Cols() && !marked; ++col) {
                marked = cells_.At(col, row).Has(kCellMarked);
            }
            for (int col = fixedCols_; col < cells_.Cols(); ++col) {
                SetLineMark(col, row, marked);
            }
        }
        lineMarksClear_ = false;
    } else if (!marksExist_ && !lineMarksClear_) {
        for (int row = 0; row < Rows(); ++row) {
            for (int col = 0; col < cells_.Cols(); ++col) {
                SetLineMark(col, row, false);
            }
        }
        lineMarksClear_ = true;
    }
}

void SheetSelection::ClearMarks() {
    if (!marksExist_) {
        return;
    }
    for (int row = 0; row < Rows(); ++row) {
        for (int col = 0; col < cells_.Cols(); ++col) {
            SetMark(col, row, false);
        }
    }
    marksExist_ = false;
    UpdateLineMarks();
}

bool SheetSelection::IsHighlighted(GridCoord current, int col, int row) const {
    const clsSheetCellId& entry = cells_.At(col, row);
    return current == GridCoord{col, row} ||
           (entry.Has(kCellLineSelectable) &&
            (entry.Has(kCellMarked) || entry.Has(kCellLineMarked)));
}

void SheetSelection::MarkRange(GridCoord cell, int low, int high) {
    ClearMarks();
    const cmcCellObj& own = cells_.At(cell.col, cell.row).cell;
    const int farEnd = own.index == low ? high : low;
    for (int r = 0; r < Rows(); ++r) {
        for (int c = 0; c < cells_.Cols(); ++c) {
            const cmcCellObj& other = cells_.At(c, r).cell;
            if (other.item != own.item || other.index < low || other.index > high) {
                continue;
            }
            SetMark(c, r, true);
            if (other.index == farEnd) {
                anchor_.row = r;
            }
        }
    }
    marksExist_ = true;
    UpdateLineMarks();
}

std::optional<std::pair<int, int>> SheetSelection::IndexRange(GridCoord current) const {
    const int first = fixedCols_;
    if (!marksExist_ || !Inside(first, anchor_.row) || !Inside(first, current.row)) {
        return std::nullopt;
    }
    const int a = cells_.At(first, anchor_.row).cell.index;
    const int b = cells_.At(first, current.row).cell.index;
    return std::pair{std::min(a, b), std::max(a, b)};
}
