#include "ui/widgets/cuiGridAxis.h"

#include <algorithm>

cuiGridAxis::cuiGridAxis(int count, int defaultExtent)
    : extents_(std::max(count, 1), std::max(defaultExtent, 0)),
      defaultExtent_(std::max(defaultExtent, 0)) {}

void cuiGridAxis::SetCount(int count) {
    extents_.resize(std::max(count, 1), defaultExtent_);
    fixed_ = std::min(fixed_, Count() - 1);
    first_ = std::clamp(first_, fixed_, Count() - 1);
}

void cuiGridAxis::SetDefaultExtent(int extent) {
    defaultExtent_ = std::max(extent, 0);
    std::fill(extents_.begin(), extents_.end(), defaultExtent_);
}

void cuiGridAxis::SetExtent(int index, int extent) {
    if (InRange(index)) {
        extents_[index] = std::max(extent, 0);
    }
}

void cuiGridAxis::SetFixed(int fixed) {
    fixed_ = std::clamp(fixed, 0, Count() - 1);
    first_ = fixed_;
}

bool cuiGridAxis::SetFirst(int first, int limit) {
    const int clamped = std::clamp(first, fixed_, MaxFirst(limit));
    if (clamped == first_) {
        return false;
    }
    first_ = clamped;
    return true;
}

int cuiGridAxis::FixedExtent() const {
    int sum = 0;
    for (int i = 0; i < fixed_; ++i) {
        sum += extents_[i];
    }
    return sum;
}

int cuiGridAxis::MaxFirst(int limit) const {
    return std::max(FirstShowing(Count() - 1, limit), fixed_);
}

int cuiGridAxis::LastFullVisible(int limit) const {
    int position = FixedExtent();
    int index = first_;
    while (index < Count() && position + extents_[index] <= limit) {
        position += extents_[index];
        ++index;
    }
    return index - 1;
}

int cuiGridAxis::FullVisibleBoundary(int limit) const {
    int position = FixedExtent();
    for (int i = first_; i <= LastFullVisible(limit); ++i) {
        position += extents_[i];
    }
    return position;
}

int cuiGridAxis::Position(int index, int limit) const {
    if (!InRange(index) || (index >= fixed_ && index < first_)) {
        return -1;
    }
    int position = 0;
    for (int i = 0; i < index; ++i) {
        if (i < fixed_ || i >= first_) {
            position += extents_[i];
        }
    }
    return position < limit ? position : -1;
}

int cuiGridAxis::CellAt(int position, int limit) const {
    int found = -1;
    if (position >= 0 && position < limit) {
        ForEachOnScreen(limit, [&](int index, int start, int extent) {
            if (found < 0 && position >= start && position < start + extent) {
                found = index;
            }
        });
    }
    return found;
}

int cuiGridAxis::FirstShowing(int index, int limit) const {
    const int room = limit - FixedExtent();
    int first = index;
    int used = extents_[index];
    while (first > fixed_ && used + extents_[first - 1] <= room) {
        --first;
        used += extents_[first];
    }
    return first;
}

void cuiGridAxis::ForEachOnScreen(int limit,
                                  const std::function<void(int, int, int)>& visit) const {
    int position = 0;
    for (int i = 0; i < Count() && position < limit; ++i) {
        if (i == fixed_) {
            i = first_;
        }
        visit(i, position, extents_[i]);
        position += extents_[i];
    }
}
