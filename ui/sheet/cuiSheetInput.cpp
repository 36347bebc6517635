#include "ui/sheet/cuiSheetInput.h"

#include <QFocusEvent>

#include "radio/memmap/indChannelEdit.h"
#include "ui/sheet/cuiSheet.h"
#include "ui/sheet/cuiSheetPopupMenu.h"

namespace {

bool* inactiveFlag = nullptr;
constexpr int kPageRows = 10;
constexpr int kVirtualKeyF1 = 0x70;

}  // namespace

cuiSheetInput::cuiSheetInput(cuiSheet& sheet, cuiSheetPopupMenu& popup)
    : sheet_(sheet), popup_(popup) {
    if (inactiveFlag) {
        *inactiveFlag = false;
    }
}

void cuiSheetInput::SetInactiveFlag(bool* flag) {
    inactiveFlag = flag;
}

void cuiSheetInput::Watch(cuiGrid* grid) {
    grid->installEventFilter(&focusFilter_);
}

void cuiSheetInput::Connect(cuiGrid* grid) {
    grid->SetEnterHandler([this] { OnEnter(); });
    grid->SetExitHandler([this] { OnExit(); });
    grid->SetTimedScrollHandler([this](int direction) { OnTimedScroll(direction); });
    grid->OnKeyDown = [this](cuiGrid*, int& key, Qt::KeyboardModifiers modifiers) {
        OnKeyDown(key, modifiers);
    };
    grid->OnKeyUp = [this](cuiGrid*, int&, Qt::KeyboardModifiers modifiers) {
        modifiers_ = modifiers;
        popup_.AllowKeyboardRequest(true);
    };
    grid->OnKeyPress = [this](cuiGrid*, int& character) { OnKeyPress(character); };
    grid->OnMouseDown = [this](cuiGrid*, Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                               QPoint at) { OnMouseDown(button, modifiers, at); };
    grid->OnMouseUp = [this](cuiGrid*, Qt::MouseButton button, Qt::KeyboardModifiers, QPoint at) {
        OnMouseUp(button, at);
    };
    grid->OnMouseMove = [this](cuiGrid*, Qt::MouseButtons, Qt::KeyboardModifiers, QPoint at) {
        OnMouseMove(at);
    };
    grid->OnDblClick = [this](cuiGrid*) { OnDblClick(); };
}

void cuiSheetInput::MoveByKey(int key) {
    switch (key) {
        case Qt::Key_Up:
            sheet_.MoveCursor(0, -1);
            break;
        case Qt::Key_Down:
            sheet_.MoveCursor(0, 1);
            break;
        case Qt::Key_PageUp:
            sheet_.MoveCursor(0, -kPageRows);
            break;
        case Qt::Key_PageDown:
            sheet_.MoveCursor(0, kPageRows);
            break;
        default:
            break;
    }
}

bool cuiSheetInput::Extending() {
    if (IsBulkChannelDeleteRunning()) {
        mouseHeld_ = false;
        return false;
    }
    return (modifiers_ & Qt::ShiftModifier) || mouseHeld_;
}

void cuiSheetInput::OnKeyDown(int& key, Qt::KeyboardModifiers modifiers) {
    modifiers_ = modifiers;
    sheet_.editor_.Hide();
    sheet_.SendStatusClear();
    const cuiGridCoord current = sheet_.CurrentCell();
    if (key == Qt::Key_F10 && (modifiers & Qt::ShiftModifier)) {
        popup_.ShowAtCell();
        key = 0;
        return;
    }
    switch (key) {
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            MoveByKey(key);
            break;
        case Qt::Key_Home:
        case Qt::Key_End:
            break;
        case Qt::Key_Left:
        case Qt::Key_Right:
            sheet_.MoveCursor(key == Qt::Key_Left ? -1 : 1, 0);
            if (sheet_.CurrentCell() == current) {
                sheet_.RunCell(current.col, current.row, key == Qt::Key_Left ? kKeyLeft : kKeyRight,
                               0);
            }
            break;
        case Qt::Key_Up:
        case Qt::Key_Down:
            if ((modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) !=
                Qt::ControlModifier) {
                MoveByKey(key);
            }
            break;
        default:
            if (key >= Qt::Key_F1 && key <= Qt::Key_F12) {
                sheet_.RunCell(current.col, current.row, (kVirtualKeyF1 + key - Qt::Key_F1) * 256,
                               0);
                break;
            }
            return;
    }
    key = 0;
}

void cuiSheetInput::OnKeyPress(int& character) {
    if (character < 1 || character > 255) {
        return;
    }
    const cuiGridCoord current = sheet_.CurrentCell();
    sheet_.RunCell(current.col, current.row, character, 0);
}

std::optional<cuiGridCoord> cuiSheetInput::SelectableUnder(QPoint at) const {
    const SheetCells& cells = sheet_.Cells();
    const cuiGridCoord cell = sheet_.Grid()->MouseCell(at);
    if (!cells.InRange(cell.col, cell.row)) {
        return std::nullopt;
    }
    if (cells.At(cell.col, cell.row).Selectable()) {
        return cell;
    }
    if (const auto anchor = cells.FindAnchor(cell.col, cell.row)) {
        return cuiGridCoord{*anchor, cell.row};
    }
    return std::nullopt;
}

void cuiSheetInput::OnMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                                QPoint at) {
    modifiers_ = modifiers;
    lastPress_ = at;
    popup_.AllowKeyboardRequest(false);
    if (button != Qt::RightButton) {
        mouseHeld_ = true;
        return;
    }
    menuDue_ = sheet_.MarksExist();
    if (!menuDue_) {
        if (const auto cell = SelectableUnder(at)) {
            sheet_.GoToCell(cell->col, cell->row);
            menuDue_ = true;
        }
    }
}

// The menu a right click asked for opens when the button is released, unless the click is the
// first since the user came back from another program.
void cuiSheetInput::OnMouseUp(Qt::MouseButton button, QPoint at) {
    lastPress_ = at;
    popup_.AllowKeyboardRequest(false);
    mouseHeld_ = false;
    if (sheet_.popupList_ && button == Qt::LeftButton) {
        OnDblClick();
    }
    if (button != Qt::RightButton) {
        return;
    }
    if (menuDue_ && !(inactiveFlag && *inactiveFlag)) {
        popup_.ShowAtCursor();
    }
    menuDue_ = false;
    if (inactiveFlag) {
        *inactiveFlag = false;
    }
}

void cuiSheetInput::OnDblClick() {
    const SheetCells& cells = sheet_.Cells();
    cuiGridCoord cell = sheet_.Grid()->MouseCell(lastPress_);
    if (cells.InRange(cell.col, cell.row)) {
        if (const auto anchor = cells.FindAnchor(cell.col, cell.row)) {
            cell.col = *anchor;
        }
    }
    if (cell == sheet_.CurrentCell()) {
        sheet_.RunCell(cell.col, cell.row, kKeyDoubleClick, 0);
    }
}

void cuiSheetInput::OnMouseMove(QPoint at) {
    if (!sheet_.popupList_) {
        return;
    }
    const bool known = lastMouse_ != QPoint(-1, -1);
    const bool differs = lastMouse_ != at;
    lastMouse_ = at;
    if (known && differs && !sheet_.EditorShowing()) {
        if (const auto cell = SelectableUnder(at)) {
            sheet_.GoToCell(cell->col, cell->row);
        }
    }
}

void cuiSheetInput::OnTimedScroll(int direction) {
    const int dx = ((direction & SD_Right) ? 1 : 0) - ((direction & SD_Left) ? 1 : 0);
    const int dy = ((direction & SD_Down) ? 1 : 0) - ((direction & SD_Up) ? 1 : 0);
    sheet_.MoveCursor(dx, dy);
}

bool cuiSheetInput::FocusFilter::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        reason = static_cast<QFocusEvent*>(event)->reason();
    }
    return false;
}

// A pop-up menu, or the menu bar opened from the keyboard (Alt+letter), taking the focus and
// giving it back is no focus change of the sheet: the menu it shows, and its mirror in the Edit
// menu, must stay.
bool cuiSheetInput::FocusFilter::ByMenu() const {
    return reason == Qt::PopupFocusReason || reason == Qt::MenuBarFocusReason;
}

void cuiSheetInput::OnEnter() {
    if (focusFilter_.ByMenu()) {
        return;
    }
    const cuiGridCoord current = sheet_.CurrentCell();
    sheet_.OnCurrentCellChanged(current.col, current.row, true);
    sheet_.RepaintHighlighted();
}

void cuiSheetInput::OnExit() {
    if (focusFilter_.ByMenu()) {
        return;
    }
    popup_.Rebuild(nullptr);
    sheet_.SendRefreshMenu();
    sheet_.RepaintHighlighted();
}
