#include "ui/popups/cuiFlector.h"

#include <QKeyEvent>
#include <QScreen>

#include "common/CurrentEvMan.h"
#include "common/cmcEvMan.h"
#include "radio/cells/cmcCellCapsule.h"
#include "ui/popups/PopupPlacement.h"
#include "ui/sheet/cuiSheet.h"
#include "ui/widgets/cuiGrid.h"

namespace {

// The work area of the screen the widget is on.
QRect WorkArea(const QWidget* widget) {
    const QScreen* screen = widget->screen();
    return screen ? screen->availableGeometry() : QRect();
}

}  // namespace

cuiFlector::cuiFlector(const cmcCellCapsule& caller, int item, int value, cmcGTex& table,
                       std::string list, Dispatch dispatch)
    : QWidget(caller.grid, Qt::Tool | Qt::FramelessWindowHint),
      callingGrid_(caller.grid),
      closing_(*this, caller.grid) {
    // The copy answers the caller after the caller's own dispatch has ended: what belonged to
    // that dispatch only (its parent, a canvas) is not kept.
    cmcCellCapsule own;
    own.CopyFrom(caller);
    own.parent = nullptr;
    own.canvas = nullptr;
    own.rect = nullptr;
    sheet_ = std::make_unique<cuiSheet>(this, &own, item, value, table, std::move(list),
                                        caller.sheet ? caller.sheet->Images() : nullptr);
    // The list closes before it answers: the answer may open the next list of two.
    sheet_->SetCellHandler(
        [this, dispatch = std::move(dispatch)](cmcCellCapsule& capsule, int notify) {
            if (capsule.inputMode == kInputPopupAnswer) {
                Release();
            }
            return dispatch(capsule, notify);
        });
    sheet_->SetPopupListMode(true);
    sheet_->Show();
    sheet_->Grid()->installEventFilter(this);
    sheet_->Grid()->viewport()->installEventFilter(this);

    FitToWorkArea(WorkArea(parentWidget() ? parentWidget() : this));
    sheet_->ScrollHome();
    ShowCurrentEntry();
    PlaceBesideCurrentCell(*this, caller.grid);
    show();
    activateWindow();
    sheet_->Grid()->setFocus();
    bus_ = CurrentEvMan();
    if (bus_) {
        bus_->AddListener(OnEventThunk, this);
    }
}

cuiFlector::~cuiFlector() {
    closing_.MarkReleased();
    if (bus_) {
        bus_->RemoveListener(OnEventThunk, this);
    }
    sheet_.reset();
}

// Without scroll bars the list shows every entry; a list larger than the work area gets both
// bars and is held inside it.
void cuiFlector::FitToWorkArea(const QRect& area) {
    cuiGrid* grid = sheet_->Grid();
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QSize size = NaturalSize();
    if (!area.isEmpty() && (area.width() < size.width() || area.height() < size.height())) {
        grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        size = NaturalSize().boundedTo(area.size());
    }
    resize(size);
}

// The sheet measures itself on the laid-out window, which is not shown meanwhile.
QSize cuiFlector::NaturalSize() {
    measuring_ = true;
    setAttribute(Qt::WA_DontShowOnScreen, true);
    show();
    const QSize natural(sheet_->NaturalWidth(), sheet_->NaturalHeight());
    hide();
    setAttribute(Qt::WA_DontShowOnScreen, false);
    measuring_ = false;
    return natural;
}

// A list that scrolls opens with the current value in view.
void cuiFlector::ShowCurrentEntry() {
    const cuiGridCoord current = sheet_->CurrentCell();
    sheet_->Grid()->MoveTo(current.col, current.row);
}

// Every way of closing ends here.
void cuiFlector::Release() {
    closing_.Release();
}

// Leaving the list (another window becomes active) closes it.
void cuiFlector::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange) {
        return;
    }
    if (closing_.LeftForAnother()) {
        Release();
    }
}

void cuiFlector::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (!measuring_) {
        Release();
    }
}

// Key preview: Esc closes the list. Once released, the list takes no more input, so that the
// rest of a double click that chose cannot answer again.
bool cuiFlector::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
            if (!closing_.Released() && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
                Release();
                return true;
            }
            return closing_.Released();
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            return closing_.Released();
        default:
            return QWidget::eventFilter(watched, event);
    }
}

void cuiFlector::OnEventThunk(void* data, const cmcEvent& event) {
    static_cast<cuiFlector*>(data)->OnEvent(event);
}

void cuiFlector::OnEvent(const cmcEvent& event) {
    if (event.type == EV_ControlDestroyed && event.B == reinterpret_cast<intptr_t>(callingGrid_)) {
        closing_.ForgetCaller();  // the grid is going
        Release();
    } else if (event.type == EV_ClosePopups) {
        Release();
    }
}
