#pragma once

#include <string>
#include <vector>

#include "radio/memmap/ItemRow.h"

// A choice list of the main text table that a row shows, with the answer item of its entries.
struct RowList {
    std::string list;
    int item;
    bool operator==(const RowList&) const = default;
};

// Every choice list the row's converter reads (none for a row with a function of its own): the
// guard that the joined table holds them all reads these.
std::vector<RowList> ListsOfRow(const ItemRow& row);
