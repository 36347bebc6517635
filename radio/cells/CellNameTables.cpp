#include "radio/cells/CellNameTables.h"

#include "radio/cells/CellCodes.h"

namespace {

// Every code of the list stands at its own place, so the position of a name is its code.
template <std::size_t N>
constexpr bool InCodeOrder(const int (&codes)[N], std::size_t count) {
    if (N != count) {
        return false;
    }
    for (std::size_t i = 0; i < N; ++i) {
        if (codes[i] != static_cast<int>(i)) {
            return false;
        }
    }
    return true;
}

constexpr int kCategoryCodes[] = {
#define CELL_CATEGORY(name, code) code,
#define CELL_ITEM(name, code)
#include "radio/cells/CellCodes.def"
#undef CELL_ITEM
#undef CELL_CATEGORY
};
static_assert(InCodeOrder(kCategoryCodes, kCellCategoryCount));

constexpr int kItemCodes[] = {
#define CELL_CATEGORY(name, code)
#define CELL_ITEM(name, code) code,
#include "radio/cells/CellCodes.def"
#undef CELL_ITEM
#undef CELL_CATEGORY
};
static_assert(InCodeOrder(kItemCodes, kCellItemCount));

}  // namespace

const std::array<const char*, kCellCategoryCount> kCellCategoryNames = {
#define CELL_CATEGORY(name, code) #name,
#define CELL_ITEM(name, code)
#include "radio/cells/CellCodes.def"
#undef CELL_ITEM
#undef CELL_CATEGORY
};

const std::array<const char*, kCellItemCount> kCellItemNames = {
#define CELL_CATEGORY(name, code)
#define CELL_ITEM(name, code) #name,
#include "radio/cells/CellCodes.def"
#undef CELL_ITEM
#undef CELL_CATEGORY
};
