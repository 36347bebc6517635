#pragma once

#include "ui/popups/cuiSegEditors.h"

// The program's pop-up editors: the choice list beside its cell (cuiFlector), the bit-set editor
// (cuiFBitsR), the display-text and user-character editors (cuiSegEditors). The main window
// holds one and hands it out as its shell's Popups().
class cuiPopups : public cuiSegEditors {
public:
    using cuiSegEditors::cuiSegEditors;

    void OpenChoiceList(const cmcCellCapsule& caller, const ChoiceList& request) override;
    void OpenBitSetEditor(const cmcCellCapsule& caller, const BitSet& request) override;
};
