#include "radio/memmap/CommandCells.h"

#include "radio/cells/cmcCellCapsule.h"
#include "radio/cells/cmcCellObj.h"

void CellCommand(CellEdit& edit, const CommandParams& params) {
    cmcCellCapsule& capsule = edit.capsule;
    capsule.outText = capsule.cell->GetCaption();
    if (capsule.key == kKeyEnter && params.run) {
        (edit.services.menu.*params.run)();
    }
}
