#include "ui/popups/cuiPopups.h"

#include "radio/cells/cmcCellCapsule.h"
#include "ui/popups/cuiFBitsR.h"
#include "ui/popups/cuiFlector.h"

// The list owns itself: its window deletes itself when it closes.
void cuiPopups::OpenChoiceList(const cmcCellCapsule& caller, const ChoiceList& request) {
    if (caller.grid) {
        new cuiFlector(caller, request.item, request.value, Table(), request.list,
                       DispatchOverRows());
    }
}

void cuiPopups::OpenBitSetEditor(const cmcCellCapsule& caller, const BitSet& request) {
    cuiFBitsR::Open(caller, Table(), request, Rows());
}
