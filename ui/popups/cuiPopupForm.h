#pragma once

#include <QWidget>

#include "radio/cells/cmcCellCapsule.h"
#include "ui/popups/cuiPopupClosing.h"

class QPushButton;
class QVBoxLayout;
class cmcEvMan;
class cmcGTex;
struct cmcEvent;

// A pop-up editor beside a cell: a frameless window owned by the calling grid, a raised panel
// with the editor's parts and OK and Cancel below them. It hands its answer back once, in a
// copy of the opening capsule (inputMode 2, key 0) that the editor fills and dispatches: on
// OK, on leaving the window and on EV_ClosePopups. Cancel, Esc and the calling grid's going
// leave the cell as it was. Closed from its own keys or buttons, it gives the focus back to the
// calling grid. The window deletes itself when it is done.
class cuiPopupForm : public QWidget {
public:
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }

protected:
    explicit cuiPopupForm(const cmcCellCapsule& capsule);
    ~cuiPopupForm() override;

    // The layout of the raised panel, which the editor's parts go into.
    QVBoxLayout* PanelLayout() const { return panelLayout_; }
    // Adds the OK and Cancel buttons under the parts, at the right, captioned from the texts.
    void AddButtons(cmcGTex& texts);
    // Beside the calling cell, shown and active, with the focus on the control given.
    void Present(QWidget* focus);
    // First thing in an editor's destructor: nothing is handed back while its parts go.
    void Detach();

    const cmcCellCapsule& Caller() const { return capsule_; }
    void Commit();
    void Cancel();
    // Fills the answer with the editor's value and runs it through the dispatcher.
    virtual void HandBack(cmcCellCapsule& answer) = 0;

    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Release();

    static void OnEventThunk(void* data, const cmcEvent& event);
    void OnEvent(const cmcEvent& event);

    cmcCellCapsule capsule_;
    // Gives the calling grid the focus back when the editor closes.
    cuiPopupClosing closing_;
    QVBoxLayout* panelLayout_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    bool committed_ = false;
    bool cancelled_ = false;
    cmcEvMan* bus_ = nullptr;
};
