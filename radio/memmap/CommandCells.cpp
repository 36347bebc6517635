#include "radio/CommandCells.h"

#include "radio/cmcCellCapsule.h"
#include "radio/cmcCellObj.h"

void CellCommand(CellEdit& edit, const CommandParams& params) {
    cmcCellCapsule& capsule = edit.capsule;
    capsule.outText = capsule.cell->GetCaption();
    if (capsule.key == kKeyEnter && params.run) {
        (edit.services.menu.*params.run)();
    }
}
