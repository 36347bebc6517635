#pragma once

#include <memory>
#include <string>

#include "radio/cells/cmcCellObj.h"
#include "ui/widgets/cuiGrid.h"

struct cmcEvent;
class cuiMenu;
class cuiSheet;
class QAction;
class QMenu;

// A sheet's pop-up menu: built from the menu section of the current cell, mirrored in the
// Edit menu, opened by a right click on the grid or from the keyboard, and its commands run
// through the sheet's edit path. A part of cuiSheet.
class cuiSheetPopupMenu {
public:
    explicit cuiSheetPopupMenu(cuiSheet& sheet);
    ~cuiSheetPopupMenu();
    cuiSheetPopupMenu(const cuiSheetPopupMenu&) = delete;
    cuiSheetPopupMenu& operator=(const cuiSheetPopupMenu&) = delete;

    // The menu on the grid, which owns it.
    void Attach(cuiGrid* grid);
    // The Edit menu's mirror goes before the sheet's controls.
    void Detach();
    QMenu* Menu() const { return menu_; }

    // The keyboard's context-menu request opens the menu only after a key was released (the
    // mouse opens it itself).
    void AllowKeyboardRequest(bool allow) { keyboardRequest_ = allow; }
    void ShowAtCursor();
    // Below the current cell, at its left edge; at the grid's corner when the cell is not in
    // view.
    void ShowAtCell();

    // The current cell moved (or, forced, the grid got the focus): a cell of another menu
    // section brings its menu.
    void Follow(int col, int row, bool forced);
    // The menu of a section (none: an empty menu), and its mirror in the Edit menu.
    void Rebuild(const std::string* name);
    // Answers the question for the current cell when it is this menu's.
    void AnswerCellQuery(const cmcEvent& event);

private:
    void OnItemClick(QAction* item);

    cuiSheet& sheet_;
    cuiGrid* grid_ = nullptr;
    QMenu* menu_ = nullptr;
    bool keyboardRequest_ = false;
    std::unique_ptr<cuiMenu> mirror_;
    std::string name_;
    cuiGridCoord lastHandled_;
    // The answer to the current-cell query; valid until the next query.
    cmcCellObj queryAnswer_;
};
