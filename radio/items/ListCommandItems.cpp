// List cells and the program's commands: the value cells of the choice lists, opening a sheet
// and the help's contents.
#include "radio/cmcCellObj.h"
#include "radio/indCommands.h"
#include "radio/indHelp.h"
#include "radio/items/ItemGroups.h"

namespace {

using namespace memmap;

// The value cells of the choice lists show their caption; the list hands back their index.
int ShowCaption(ItemContext& context, const ItemRow&) {
    context.capsule.outText = context.capsule.cell->GetCaption();
    return 0;
}

// Enter opens the sheet that the cell's option text names.
int OpenCalledSheet(ItemContext& context, const ItemRow& row) {
    ShowCaption(context, row);
    const cmcCellCapsule& capsule = context.capsule;
    if (capsule.key == kKeyEnter && capsule.cell->optionText) {
        context.services.commands.OpenSheet(*capsule.cell->optionText, capsule.sheet != nullptr);
    }
    return 0;
}

int HelpContents(ItemContext& context, const ItemRow&) {
    if (context.capsule.key == kKeyEnter) {
        context.services.help.ShowHelpContents();
    }
    return 0;
}

constexpr ItemRow kRows[] = {
    Special(Flex0, &ShowCaption),
    Special(CL_Help_Contents, &HelpContents),
    Special(CallSheet, &OpenCalledSheet),
};
static_assert(CodesNamedOnce(kRows));

}  // namespace

std::span<const ItemRow> ListCommandRows() {
    return kRows;
}
