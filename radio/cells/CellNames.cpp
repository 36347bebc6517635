#include "radio/cells/CellNames.h"

#include "common/cmcHash.h"
#include "platform/MessageBox.h"
#include "radio/cells/CellNameTables.h"

namespace {

struct NameHash {
    cmcHash hash{1031};
    bool categoriesIn = false;
    bool itemsIn = false;
};

NameHash& Names() {
    static NameHash names;
    return names;
}

template <size_t N>
void FillOnce(bool& filled, const std::array<const char*, N>& table) {
    if (filled) {
        return;
    }
    cmcHash& hash = Names().hash;
    for (size_t code = 0; code < N; ++code) {
        hash.Insert(table[code], static_cast<int>(code));
    }
    filled = true;
}

// The hash holds both sets, so a hit must also be a name of the set asked for: an item
// written where a category belongs (or the reverse) is as unknown as a misspelt one.
template <size_t N>
int32_t Lookup(std::string_view name, const std::array<const char*, N>& table,
               const char* unknownMessage) {
    const std::string key(name);
    const auto* entry = Names().hash.Find(key);
    if (!entry || entry->value < 0 || static_cast<size_t>(entry->value) >= N ||
        key != table[static_cast<size_t>(entry->value)]) {
        platform::Fatal(unknownMessage + key + "'");
    }
    return entry->value;
}

}  // namespace

int32_t CategoryNameToCode(std::string_view name) {
    if (name.empty()) {
        return kCategoryNone;
    }
    FillOnce(Names().categoriesIn, kCellCategoryNames);
    return Lookup(name, kCellCategoryNames, "Cannot use the specified category.\n'");
}

int32_t ItemNameToCode(std::string_view name) {
    if (name.empty()) {
        return kItemNone;
    }
    FillOnce(Names().itemsIn, kCellItemNames);
    return Lookup(name, kCellItemNames, "Cannot use the specified cell.\n'");
}

std::string CellItemCodeToName(int32_t code) {
    if (code < 0 || code >= kCellItemCount) {
        return {};
    }
    return kCellItemNames[static_cast<size_t>(code)];
}
