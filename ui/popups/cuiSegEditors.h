#pragma once

#include <functional>

#include "radio/host/PopupHost.h"
#include "radio/memmap/ItemRegistry.h"

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

protected:
    using Dispatch = std::function<int(cmcCellCapsule&, int)>;

    cmcGTex& Table() const { return table_; }
    const ItemRegistry& Rows() const { return rows_; }
    // What the pop-ups hand their answers to; it outlives this object, as the windows may.
    Dispatch DispatchOverRows() const;

private:
    cmcGTex& table_;
    const ItemRegistry& rows_;
};
