#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "ui/popups/cuiPopupClosing.h"

class QRect;
class cmcCellCapsule;
class cmcEvMan;
class cmcGTex;
class cuiGrid;
class cuiSheet;
struct cmcEvent;

// The pop-up choice list beside the cell being edited: a borderless pop-up window holding a
// selection sheet of the main text table in pop-up list mode, with the entry of the current
// value preselected. Choosing an entry (Enter, a double click, a click) hands it back to the
// calling cell: the sheet runs a copy of the caller's capsule with inputMode 2, whose parent
// carries the chosen entry, through the dispatch handler. Esc, a click elsewhere,
// EV_ClosePopups and the calling grid going (EV_ControlDestroyed) close it without an answer.
// Closed by a choice or its own keys, it gives the focus back to the calling grid. Nothing
// waits for it; the window deletes itself once it is closed.
class cuiFlector : public QWidget {
public:
    using Dispatch = std::function<int(cmcCellCapsule& capsule, int notify)>;

    // Owned by the caller's grid. The list's entries of the answer item carry the values; the
    // one of value is current. The dispatch paints the entries and takes the answer.
    cuiFlector(const cmcCellCapsule& caller, int item, int value, cmcGTex& table, std::string list,
               Dispatch dispatch);
    ~cuiFlector() override;

    cuiSheet* Sheet() const { return sheet_.get(); }

protected:
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FitToWorkArea(const QRect& area);
    QSize NaturalSize();
    void ShowCurrentEntry();
    void Release();

    static void OnEventThunk(void* data, const cmcEvent& event);
    void OnEvent(const cmcEvent& event);

    const cuiGrid* callingGrid_;
    // Gives the calling grid the focus back when the list closes.
    cuiPopupClosing closing_;
    cmcEvMan* bus_ = nullptr;
    bool measuring_ = false;
    std::unique_ptr<cuiSheet> sheet_;
};
