#pragma once

#include "radio/ItemRegistry.h"
#include "radio/PopupHost.h"

class cmcCellCapsule;
class cmcGTex;

// The pop-ups of the display-text and user-character editors on screen (the others as the
// base class has them). Their answers go through the item dispatcher over the rows given (the
// program's memory map by default).
class cuiSegEditors : public PopupHost {
public:
    explicit cuiSegEditors(cmcGTex& table, const ItemRegistry& rows = ItemRegistry::Program());

    void OpenDisplayTextEditor(const cmcCellCapsule& capsule, const DisplayText& request) override;
    void OpenUserCharacterEditor(const cmcCellCapsule& capsule,
                                 const UserCharacter& request) override;

private:
    cmcGTex& table_;
    const ItemRegistry& rows_;
};
