#include "ui/popups/PopupPlacement.h"

#include <QScreen>
#include <QWidget>

#include "common/TextHelpers.h"
#include "ui/widgets/cuiGrid.h"

void PlaceBesideCurrentCell(QWidget& popup, const cuiGrid* grid) {
    if (!grid || !grid->screen()) {
        return;
    }
    const QRect cell = grid->CellRect(grid->Col(), grid->Row());
    const QPoint corner = grid->viewport()->mapToGlobal(cell.topLeft());
    const QRect area = grid->screen()->availableGeometry();
    const WindowRect placed =
        PlaceBesideCell({corner.x(), corner.y(), cell.width(), cell.height()}, popup.width(),
                        popup.height(), {area.x(), area.y(), area.width(), area.height()});
    popup.move(placed.left, placed.top);
}
