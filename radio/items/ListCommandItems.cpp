#include <array>

#include "radio/CellCodes.h"
#include "radio/cmcCellCapsule.h"
#include "radio/cmcCellObj.h"
#include "radio/indShell.h"
#include "radio/items/ItemGroups.h"

namespace {

// The value cells of the choice lists show their caption; the list hands back their index.
int ShowCaption(ItemContext& context, const ItemParams&) {
    context.capsule.outText = context.capsule.cell->GetCaption();
    return 0;
}

// Enter opens the sheet that the cell's option text names.
int CallSheetCommand(ItemContext& context, const ItemParams& params) {
    ShowCaption(context, params);
    const cmcCellCapsule& capsule = context.capsule;
    if (capsule.key == kKeyEnter && capsule.cell->optionText) {
        Shell().OpenSheet(*capsule.cell->optionText, capsule.sheet != nullptr);
    }
    return 0;
}

int HelpContentsCommand(ItemContext& context, const ItemParams&) {
    if (context.capsule.key == kKeyEnter) {
        Shell().ShowHelpContents();
    }
    return 0;
}

constexpr std::array kRows = {
    ItemRow{Flex0, &ShowCaption, {}},
    ItemRow{CL_Help_Contents, &HelpContentsCommand, {}},
    ItemRow{CallSheet, &CallSheetCommand, {}},
};

}  // namespace

ItemRegistry::Group ListCommandRows() {
    return kRows;
}
