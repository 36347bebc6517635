#pragma once

#include <functional>
#include <vector>

// One axis of the sheet grid (columns or rows): the cell extents in pixels, the fixed cells
// at the start that never scroll, and the first scrolled cell shown after them. "limit" is
// the length of the client area along the axis. Cells touch: the grid draws no lines.
class cuiGridAxis {
public:
    cuiGridAxis(int count, int defaultExtent);

    int Count() const { return static_cast<int>(extents_.size()); }
    // At least one cell; fixed cells and the first cell are pulled inside.
    void SetCount(int count);
    int DefaultExtent() const { return defaultExtent_; }
    // Resets every cell to the new default, as the class library's grid did.
    void SetDefaultExtent(int extent);
    int Extent(int index) const { return extents_[index]; }
    // Negative extents count as 0.
    void SetExtent(int index, int extent);
    int Fixed() const { return fixed_; }
    // Clamped to [0, count - 1]; the first cell becomes the first scrolled one.
    void SetFixed(int fixed);
    int First() const { return first_; }
    // Clamped to [fixed, MaxFirst(limit)]; returns whether it changed.
    bool SetFirst(int first, int limit);

    bool InRange(int index) const { return index >= 0 && index < Count(); }
    int FixedExtent() const;
    // The largest first cell that still leaves no room after the last cell.
    int MaxFirst(int limit) const;
    // The last scrolled cell that is shown whole (First() - 1 when none is).
    int LastFullVisible(int limit) const;
    int VisibleCount(int limit) const { return LastFullVisible(limit) - first_ + 1; }
    // Where the whole cells end: fixed extent plus the fully shown scrolled cells.
    int FullVisibleBoundary(int limit) const;
    // Screen position of a cell, or -1 when it is scrolled out or lies past the limit.
    int Position(int index, int limit) const;
    // The cell under a position, or -1.
    int CellAt(int position, int limit) const;
    // The first cell that shows the given scrolled cell whole (or at least at the start).
    int FirstShowing(int index, int limit) const;
    // Calls visit(index, position, extent) for every cell on screen, fixed cells first.
    void ForEachOnScreen(int limit, const std::function<void(int, int, int)>& visit) const;

private:
    std::vector<int> extents_;
    int defaultExtent_;
    int fixed_ = 0;
    int first_ = 0;
};
