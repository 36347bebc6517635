#pragma once

#include "radio/cells/cmcCellCapsule.h"
#include "radio/cells/cmcCellObj.h"
#include "radio/host/indCommands.h"
#include "radio/memmap/ItemRow.h"

// An entry of the Model menu: Enter asks before it changes the model type and starts from that
// type's initial image; the menu shows the entry of the type in force checked.
template <ModelType kModel>
int ModelCommand(ItemContext& context, const ItemRow&) {
    cmcCellCapsule& capsule = context.capsule;
    if (capsule.key == kKeyEnter) {
        context.services.commands.ChooseModel(kModel);
    }
    if (cmcCellObj* cell = capsule.cell; cell && context.model == kModel) {
        cell->stateBits |= kStateChecked;
    }
    return 0;
}
