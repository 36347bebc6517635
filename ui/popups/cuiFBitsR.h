#pragma once

#include <memory>

#include "common/cmcGTex.h"
#include "radio/host/PopupHost.h"
#include "radio/memmap/BitSetSheet.h"
#include "ui/popups/cuiPopupForm.h"

class ItemRegistry;
class cuiSheet;

// The pop-up that edits a bit field beside its cell: a row of labels over a row of check
// boxes, one a bit. Double-click or Space toggles a bit. OK, Enter and leaving the window hand
// the value back through the dispatcher over the rows: a copy of the opening capsule whose
// parent cell is of item Flex0, the value in decimal as its inText. Cancel and Esc leave the
// field as it was.
class cuiFBitsR : public cuiPopupForm {
public:
    // Owned by the capsule's grid; the texts give the buttons' captions.
    cuiFBitsR(const cmcCellCapsule& capsule, cmcGTex& texts, const PopupHost::BitSet& request,
              const ItemRegistry& rows);
    ~cuiFBitsR() override;

    // Opens the editor beside the capsule's cell; nothing opens without a grid.
    static void Open(const cmcCellCapsule& capsule, cmcGTex& texts,
                     const PopupHost::BitSet& request, const ItemRegistry& rows);

    cuiSheet* Sheet() const { return sheet_.get(); }
    // The value as the user has toggled it.
    int Value() const { return bits_.Value(); }

protected:
    void HandBack(cmcCellCapsule& answer) override;

private:
    void BuildSheet(QWidget* host);
    void FitToSheet(QWidget* host);
    int OnSheetCell(cmcCellCapsule& capsule, int notify);

    const ItemRegistry& rows_;
    // The sheet reads its own text until it goes: both outlive it.
    BitSetSheet bits_;
    cmcGTex sheetText_;
    std::unique_ptr<cuiSheet> sheet_;
};
