#include "radio/memmap/ItemRegistry.h"

#include "platform/MessageBox.h"

ItemRegistry::ItemRegistry(std::initializer_list<Group> groups) {
    for (const Group& group : groups) {
        for (const ItemRow& row : group) {
            if (row.code < 0 || row.code >= kCellItemCount || rows_[row.code]) {
                platform::Fatal("Memory map row " + std::to_string(row.code) +
                                " is out of range or given twice.");
            }
            rows_[row.code] = &row;
        }
    }
}

const ItemRow* ItemRegistry::Find(int code) const {
    return code >= 0 && code < kCellItemCount ? rows_[code] : nullptr;
}

std::vector<const ItemRow*> ItemRegistry::Rows() const {
    std::vector<const ItemRow*> rows;
    for (const ItemRow* row : rows_) {
        if (row) {
            rows.push_back(row);
        }
    }
    return rows;
}
