#include "ui/sheet/cuiSheetPopupMenu.h"

#include <QCursor>
#include <QMenu>

#include "common/CurrentEvMan.h"
#include "ui/sheet/cuiSheet.h"
#include "ui/widgets/cuiMenu.h"

namespace {

constexpr int kEditMenuCommand = 17;  // the Edit menu mirrors the current cell's pop-up menu

}  // namespace

cuiSheetPopupMenu::cuiSheetPopupMenu(cuiSheet& sheet) : sheet_(sheet) {}

cuiSheetPopupMenu::~cuiSheetPopupMenu() = default;

void cuiSheetPopupMenu::Attach(cuiGrid* grid) {
    grid_ = grid;
    menu_ = new QMenu(grid);
    grid->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(grid, &QWidget::customContextMenuRequested, [this](QPoint) {
        if (keyboardRequest_) {
            ShowAtCell();
        }
    });
    QObject::connect(menu_, &QMenu::aboutToShow, [this] {
        const cuiGridCoord current = sheet_.CurrentCell();
        sheet_.OnCurrentCellChanged(current.col, current.row, false);
    });
}

void cuiSheetPopupMenu::Detach() {
    mirror_.reset();
}

void cuiSheetPopupMenu::ShowAtCursor() {
    menu_->popup(QCursor::pos());
}

void cuiSheetPopupMenu::ShowAtCell() {
    const cuiGridCoord current = sheet_.CurrentCell();
    const QRect rect = grid_->CellRect(current.col, current.row);
    const QPoint at = rect.isEmpty() ? QPoint(0, 0) : QPoint(rect.left(), rect.bottom() + 1);
    menu_->popup(grid_->viewport()->mapToGlobal(at));
}

void cuiSheetPopupMenu::Follow(int col, int row, bool forced) {
    const cuiGridCoord cell{col, row};
    const SheetCells& cells = sheet_.Cells();
    if (!grid_ || !grid_->hasFocus() || !cells.InRange(col, row) ||
        (cell == lastHandled_ && !forced)) {
        return;
    }
    lastHandled_ = cell;
    const std::string* name = cells.At(col, row).cell.GetPopupMenuName();
    const bool same = name && *name == name_;
    if (forced || (name && !same)) {
        name_ = name ? *name : std::string();
        Rebuild(name);
    }
}

void cuiSheetPopupMenu::Rebuild(const std::string* name) {
    // The items leave the menu at once and go later: the one being clicked may be among them.
    if (mirror_) {
        mirror_->ClearItems(nullptr);
        mirror_.reset();
    }
    cmcEvMan* bus = CurrentEvMan();
    if (bus) {
        bus->Send(EV_ClearSubMenu, 0, kEditMenuCommand);
    }
    if (!name) {
        return;
    }
    mirror_ = std::make_unique<cuiMenu>(grid_, menu_, sheet_.table_, *name,
                                        [this](QAction* item) { OnItemClick(item); });
    mirror_->Build();
    if (bus) {
        bus->SendText(EV_BuildSubMenu, reinterpret_cast<intptr_t>(mirror_.get()), kEditMenuCommand,
                      *name);
    }
}

void cuiSheetPopupMenu::AnswerCellQuery(const cmcEvent& event) {
    const cuiGridCoord current = sheet_.CurrentCell();
    const SheetCells& cells = sheet_.Cells();
    if (!menu_ || event.A != reinterpret_cast<intptr_t>(menu_) ||
        !cells.InRange(current.col, current.row)) {
        return;
    }
    queryAnswer_.CopyFrom(cells.At(current.col, current.row).cell);
    CurrentEvMan()->Answer(reinterpret_cast<intptr_t>(&queryAnswer_), 0);
}

void cuiSheetPopupMenu::OnItemClick(QAction* item) {
    const cmcCellObj* cell = cuiMenu::CellOf(item);
    const cuiGridCoord current = sheet_.CurrentCell();
    if (cell && sheet_.Cells().InRange(current.col, current.row)) {
        sheet_.RunCell(current.col, current.row, 0, cell->item);
    }
}
