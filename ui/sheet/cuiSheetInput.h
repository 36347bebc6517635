#pragma once

#include <optional>

#include <QObject>
#include <QPoint>

#include "ui/widgets/cuiGrid.h"

class cuiSheet;
class cuiSheetPopupMenu;

// A sheet's keys and mouse: the grid's input turned into cursor moves, runs of the current
// cell and the pop-up menu, and the focus coming and going. A part of cuiSheet.
class cuiSheetInput {
public:
    cuiSheetInput(cuiSheet& sheet, cuiSheetPopupMenu& popup);
    cuiSheetInput(const cuiSheetInput&) = delete;
    cuiSheetInput& operator=(const cuiSheetInput&) = delete;

    // The program's inactive flag (set while the user has been away in another program),
    // cleared when a sheet is made and after each right-button release on its grid; a right
    // click opens the pop-up menu only while it is clear. None: menus always open.
    static void SetInactiveFlag(bool* flag);

    // Watches the grid's focus; the handlers follow once the sheet stands.
    void Watch(cuiGrid* grid);
    void Connect(cuiGrid* grid);
    // Up, Down, PgUp and PgDn move the cursor by a row or a page.
    void MoveByKey(int key);
    // The selection follows the cursor while Shift or a mouse button is held; a bulk channel
    // delete moves the cursor row by row with no selection following it.
    bool Extending();

private:
    void OnKeyDown(int& key, Qt::KeyboardModifiers modifiers);
    void OnKeyPress(int& character);
    void OnMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint at);
    void OnMouseUp(Qt::MouseButton button, QPoint at);
    void OnMouseMove(QPoint at);
    void OnDblClick();
    void OnEnter();
    void OnExit();
    void OnTimedScroll(int direction);
    std::optional<cuiGridCoord> SelectableUnder(QPoint at) const;

    // Notes why the grid's focus changes: a menu's coming and going is no change.
    class FocusFilter : public QObject {
    public:
        bool eventFilter(QObject* watched, QEvent* event) override;
        bool ByMenu() const;
        Qt::FocusReason reason = Qt::OtherFocusReason;
    };

    cuiSheet& sheet_;
    cuiSheetPopupMenu& popup_;
    FocusFilter focusFilter_;
    QPoint lastMouse_{-1, -1};
    QPoint lastPress_;
    // A right-button press found a menu to open when the button is released.
    bool menuDue_ = false;
    bool mouseHeld_ = false;
    Qt::KeyboardModifiers modifiers_;
};
