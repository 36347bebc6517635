#include "ui/popups/cuiSegEditors.h"

#include "radio/memmap/indActiveCell.h"
#include "ui/popups/cuiFSegText.h"
#include "ui/popups/cuiSegEdit.h"

cuiSegEditors::cuiSegEditors(cmcGTex& table, const ItemRegistry& rows)
    : table_(table), rows_(rows) {}

cuiSegEditors::Dispatch cuiSegEditors::DispatchOverRows() const {
    return [&rows = rows_](cmcCellCapsule& answer, int notify) {
        return indActiveCell(rows).DispatchItem(answer, notify);
    };
}

// The editors own themselves: each window deletes itself when it closes.
void cuiSegEditors::OpenDisplayTextEditor(const cmcCellCapsule& capsule,
                                          const DisplayText& request) {
    if (capsule.grid) {
        new cuiFSegText(capsule, table_, request.bytes, request.selectAll, request.width,
                        request.userCharacters, DispatchOverRows());
    }
}

void cuiSegEditors::OpenUserCharacterEditor(const cmcCellCapsule& capsule,
                                            const UserCharacter& request) {
    if (capsule.grid) {
        new cuiSegEdit(capsule, request.pattern, table_, DispatchOverRows());
    }
}
