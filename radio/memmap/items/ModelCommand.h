#pragma once

#include "radio/host/indCommands.h"
#include "radio/memmap/ItemRow.h"

// Enter asks before it changes the model type and starts from that type's initial image.
inline void ChooseModel(ItemContext& context, int model) {
    context.services.commands.ChooseModel(static_cast<ModelType>(model));
}

// An entry of the Model menu; the menu shows the entry of the type in force checked.
constexpr ItemRow ModelCommand(int code, ModelType model) {
    return memmap::MenuEntry(code, {ChooseModel, model}).CheckedWhile(memmap::ModelIs(model));
}
