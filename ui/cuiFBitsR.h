#pragma once

#include <QWidget>
#include <memory>

#include "common/cmcGTex.h"
#include "radio/BitSetSheet.h"
#include "radio/PopupHost.h"
#include "radio/cmcCellCapsule.h"

class ItemRegistry;
class QPushButton;
class cmcEvMan;
class cuiSheet;
struct cmcEvent;

// The pop-up that edits a bit field beside its cell: a row of labels over a row of check
// boxes, one a bit, with OK and Cancel. Double-click or Space toggles a bit. OK, Enter and
// leaving the window hand the value back by running a copy of the opening capsule through the
// dispatcher over the rows, with inputMode 2, a parent cell of item Flex0 and the value in
// decimal as inText; Cancel, Esc and the calling grid's going leave the field as it was. The
// window deletes itself when it closes.
class cuiFBitsR : public QWidget {
public:
    // Owned by the capsule's grid; the texts give the buttons' captions.
    cuiFBitsR(const cmcCellCapsule& capsule, cmcGTex& texts, const PopupHost::BitSet& request,
              const ItemRegistry& rows);
    ~cuiFBitsR() override;

    // Opens the editor beside the capsule's cell; nothing opens without a grid.
    static void Open(const cmcCellCapsule& capsule, cmcGTex& texts,
                     const PopupHost::BitSet& request, const ItemRegistry& rows);

    cuiSheet* Sheet() const { return sheet_.get(); }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }
    // The value as the user has toggled it.
    int Value() const { return bits_.Value(); }

protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* BuildButtonPanel(QWidget* parent, cmcGTex& texts);
    void BuildSheet(QWidget* host);
    void FitToSheet(QWidget* host);
    int OnSheetCell(cmcCellCapsule& capsule, int notify);

    void Commit();
    void Cancel();
    void Release();

    static void OnEventThunk(void* data, const cmcEvent& event);
    void OnEvent(const cmcEvent& event);

    cmcCellCapsule capsule_;
    const ItemRegistry& rows_;
    // The sheet reads its own text until it goes: both outlive it.
    BitSetSheet bits_;
    cmcGTex sheetText_;
    bool committed_ = false;
    bool cancelled_ = false;
    bool released_ = false;
    bool wasActive_ = false;
    cmcEvMan* bus_ = nullptr;

    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    std::unique_ptr<cuiSheet> sheet_;
};
