#include "ui/cuiSegEditors.h"

#include "radio/indActiveCell.h"
#include "ui/cuiFSegText.h"
#include "ui/cuiSegEdit.h"

namespace {

// What the editors hand their answers to; it outlives this object, as the windows may.
std::function<int(cmcCellCapsule&, int)> DispatchOver(const ItemRegistry& rows) {
    return [&rows](cmcCellCapsule& answer, int notify) {
        return indActiveCell(rows).DispatchItem(answer, notify);
    };
}

}  // namespace

cuiSegEditors::cuiSegEditors(cmcGTex& table, const ItemRegistry& rows)
    : table_(table), rows_(rows) {}

// The editors own themselves: each window deletes itself when it closes.
bool cuiSegEditors::OpenSegTextEditor(const cmcCellCapsule& capsule,
                                      std::vector<uint8_t> startBytes, bool selectAll, int width,
                                      std::span<const uint8_t> userTable) {
    if (!capsule.grid) {
        return false;
    }
    new cuiFSegText(capsule, table_, std::move(startBytes), selectAll, width, userTable,
                    DispatchOver(rows_));
    return true;
}

bool cuiSegEditors::OpenSegCharEditor(const cmcCellCapsule& capsule, uint16_t pattern) {
    if (!capsule.grid) {
        return false;
    }
    new cuiSegEdit(capsule, pattern, table_, DispatchOver(rows_));
    return true;
}
