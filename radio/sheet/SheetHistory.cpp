#include "radio/sheet/SheetHistory.h"

#include <algorithm>

void SheetHistory::Put(SheetPosition position) {
    positions_.remove_if([&](const SheetPosition& p) { return p.name == position.name; });
    positions_.push_front(std::move(position));
}

const SheetPosition* SheetHistory::Find(std::string_view name) const {
    const auto found = std::ranges::find(positions_, name, &SheetPosition::name);
    return found == positions_.end() ? nullptr : &*found;
}

const SheetPosition* SheetHistory::Head() const {
    return positions_.empty() ? nullptr : &positions_.front();
}
