#include "tests/ui/support/DispatchDouble.h"

#include "radio/cells/CellCodes.h"
#include "radio/cells/cmcCellCapsule.h"
#include "radio/cells/cmcCellObj.h"

namespace testsupport {

namespace {

CommandRows* current = nullptr;

int CommandRow(ItemContext& context, const ItemRow&) {
    cmcCellCapsule& capsule = context.capsule;
    if (!current) {
        return 0;
    }
    const cmcCellObj* parent = capsule.parent ? capsule.parent->cell : nullptr;
    if (capsule.key == kKeyEnter) {
        current->enters.push_back({context.item, capsule.cell->index, capsule.key,
                                   parent ? parent->item : -1, capsule.control});
        return 0;
    }
    current->queryParents[context.item] = parent ? parent->item : -1;
    const auto state = current->states.find({context.item, capsule.cell->index});
    if (state != current->states.end()) {
        capsule.cell->stateBits |= state->second.first;
        if (!state->second.second.empty()) {
            capsule.cell->SetCaption(state->second.second);
        }
    }
    return 0;
}

constexpr int kCodes[] = {CL_Menu_File_New,     CL_Menu_File_Open,  CL_Menu_File_Recent,
                          CL_Menu_Edit_Top,     CL_Menu_Port_Com,   CL_Menu_Port_SpeedHigh,
                          CL_Menu_View_ToolBar, CL_Menu_Clone_Read, CL_PMenu_NoItem,
                          CL_PMenu_Edit,        CL_PMenu_Copy};

std::vector<ItemRow> MakeRows() {
    std::vector<ItemRow> rows;
    for (int code : kCodes) {
        rows.push_back(memmap::Special(code, CommandRow));
    }
    return rows;
}

}  // namespace

CommandRows::CommandRows() {
    current = this;
}
CommandRows::~CommandRows() {
    current = nullptr;
}

const ItemRegistry& CommandRows::Registry() {
    static const std::vector<ItemRow> rows = MakeRows();
    static const ItemRegistry registry{ItemRegistry::Group(rows)};
    return registry;
}

void CommandRows::Set(int item, int index, uint8_t bits, std::string caption) {
    states[{item, index}] = {bits, std::move(caption)};
}

}  // namespace testsupport
