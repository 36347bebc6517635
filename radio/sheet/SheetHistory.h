#pragma once

#include <list>
#include <string>
#include <string_view>

// Where the user stood on a sheet when it closed: its current cell and the top-left cell of
// its view.
struct SheetPosition {
    std::string name;
    int col = 0;
    int row = 0;
    int leftCol = 0;
    int topRow = 0;
};

// The sheets closed so far, newest first, one position per sheet name, so that a sheet opens
// again where the user left it.
class SheetHistory {
public:
    // The position goes to the head; an older one of the same name is dropped.
    void Put(SheetPosition position);
    // The position kept for the name (exact, case-sensitive), or null.
    const SheetPosition* Find(std::string_view name) const;
    // The newest position, or null when nothing closed yet.
    const SheetPosition* Head() const;
    const std::list<SheetPosition>& Positions() const { return positions_; }

private:
    std::list<SheetPosition> positions_;
};
