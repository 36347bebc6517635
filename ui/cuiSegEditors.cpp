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
void cuiSegEditors::OpenDisplayTextEditor(const cmcCellCapsule& capsule,
                                          const DisplayText& request) {
    if (capsule.grid) {
        new cuiFSegText(capsule, table_, request.bytes, request.selectAll, request.width,
                        request.userCharacters, DispatchOver(rows_));
    }
}

void cuiSegEditors::OpenUserCharacterEditor(const cmcCellCapsule& capsule,
                                            const UserCharacter& request) {
    if (capsule.grid) {
        new cuiSegEdit(capsule, request.pattern, table_, DispatchOver(rows_));
    }
}
