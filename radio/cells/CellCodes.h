#pragma once

// The category and item codes by name, made from the one list radio/cells/CellCodes.def that the
// name tables of the cell-definition language are made from too.

enum CellCategory : int {
#define CELL_CATEGORY(name, code) name = code,
#define CELL_ITEM(name, code)
#include "radio/cells/CellCodes.def"
#undef CELL_ITEM
#undef CELL_CATEGORY
};

enum CellItem : int {
#define CELL_CATEGORY(name, code)
#define CELL_ITEM(name, code) name = code,
#include "radio/cells/CellCodes.def"
#undef CELL_ITEM
#undef CELL_CATEGORY
};
