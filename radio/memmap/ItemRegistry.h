#pragma once

#include <array>
#include <initializer_list>
#include <span>
#include <vector>

#include "radio/cells/CellNameTables.h"
#include "radio/memmap/ItemRow.h"

// The memory map: the rows of every item group, found by item code.
class ItemRegistry {
public:
    using Group = std::span<const ItemRow>;

    ItemRegistry(std::initializer_list<Group> groups);

    // The row of the code, or null when the code has none.
    const ItemRow* Find(int code) const;
    // Every row, in code order.
    std::vector<const ItemRow*> Rows() const;

    // The program's memory map, made of every group of radio/memmap/items/.
    static const ItemRegistry& Program();

private:
    std::array<const ItemRow*, kCellItemCount> rows_{};
};
