#include "ui/dialogs/cuiEeDebugWin.h"

#include <QDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "common/CurrentEvMan.h"
#include "common/cmcEvMan.h"
#include "common/cmcEvent.h"
#include "common/cmcEventTypes.h"
#include "common/cmcGTex.h"
#include "radio/cells/cmcCellCapsule.h"
#include "radio/cells/cmcCellObj.h"
#include "ui/sheet/SheetPanel.h"
#include "ui/widgets/CentreWindow.h"
#include "ui/widgets/cuiGrid.h"

namespace {

constexpr int kButtonMargin = 5;
// The sheet shows 16 bytes a line, each byte in two grid columns, after three heading rows
// and columns.
constexpr int kBytesPerLine = 16;
constexpr int kHeadings = 3;

int HalfScreenHeight(const QWidget* over) {
    const QScreen* screen =
        over && over->screen() ? over->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->geometry().height() / 2 : 0;
}

}  // namespace

cuiEeDebugWin::cuiEeDebugWin(QWidget* parent, const std::string& caption, cmcGTex& table,
                             const std::string& sheetName, const std::string& sheetArgument,
                             const cuiImageList* images, cuiSheet::CellHandler handler)
    : form_(new QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                    Qt::WindowCloseButtonHint)) {
    if (cmcEvMan* bus = CurrentEvMan()) {
        bus->AddListener(&cuiEeDebugWin::OnEventThunk, this);
    }
    form_->setAttribute(Qt::WA_DeleteOnClose);
    form_->setWindowTitle(QString::fromStdString(caption));
    QObject::connect(form_, &QObject::destroyed, [this] { delete this; });
    PanelSheet built = BuildPanelSheet(*form_, table, sheetName, sheetArgument, images,
                                       std::move(handler), Qt::ScrollBarAlwaysOn);
    sheet_ = std::move(built.sheet);
    built.layout->addWidget(BuildButtonRow(table));
    FitSheetHost(*form_, *built.host, *sheet_, HalfScreenHeight(parent));
    CentreWindow(*form_, parent);
    form_->show();
}

cuiEeDebugWin::~cuiEeDebugWin() {
    if (cmcEvMan* bus = CurrentEvMan()) {
        bus->RemoveListener(&cuiEeDebugWin::OnEventThunk, this);
    }
    sheet_.reset();
}

// OK at the right, "Set Comp" and "Redraw" to its left, all of one size, none of them the
// default button (Enter belongs to the sheet); Escape is OK's.
QWidget* cuiEeDebugWin::BuildButtonRow(cmcGTex& table) {
    auto* row = new QWidget(form_);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, kButtonMargin, kButtonMargin);
    layout->setSpacing(kButtonMargin);
    layout->addStretch(1);
    redraw_ = new QPushButton("Redraw", row);
    setComp_ = new QPushButton("Set Comp", row);
    ok_ =
        new QPushButton(QString::fromStdString(table.GetLine("GI_AppInd_Button_OkCancel", 0)), row);
    QSize size;
    for (QPushButton* button : {redraw_, setComp_, ok_}) {
        button->setAutoDefault(false);
        size = size.expandedTo(button->sizeHint());
        layout->addWidget(button);
    }
    for (QPushButton* button : {redraw_, setComp_, ok_}) {
        button->setFixedSize(size);
    }
    QObject::connect(ok_, &QPushButton::clicked, form_, &QWidget::close);
    QObject::connect(setComp_, &QPushButton::clicked, [] {
        if (cmcEvMan* bus = CurrentEvMan()) {
            bus->Send(EV_TakeCompareSnapshot);
            bus->Post(EV_RedrawEeDebug);
        }
    });
    QObject::connect(redraw_, &QPushButton::clicked, [] {
        if (cmcEvMan* bus = CurrentEvMan()) {
            bus->Send(EV_ModelChanged);
        }
    });
    return row;
}

void cuiEeDebugWin::OnEventThunk(void* data, const cmcEvent& event) {
    static_cast<cuiEeDebugWin*>(data)->OnEvent(event);
}

// The Redraw button sends the model-changed event, which every view of the image answers: so
// does this window, or the button would leave it as it was.
void cuiEeDebugWin::OnEvent(const cmcEvent& event) {
    switch (event.type) {
        case EV_RedrawEeDebug:
        case EV_ModelChanged:
            RedrawAll();
            break;
        case EV_EeDebugGoto:
            GoTo(event.B);
            break;
        default:
            break;
    }
}

void cuiEeDebugWin::RedrawAll() {
    cmcCellObj every;
    every.category = 0;
    every.item = 0;
    every.index = -1;
    cmcCellCapsule capsule;
    capsule.cell = &every;
    sheet_->OnCellsChanged(capsule, RD_AllCells);
}

// An address outside the sheet's lines selects nothing.
void cuiEeDebugWin::GoTo(long long address) {
    if (address < 0) {
        return;
    }
    const long long col = address % kBytesPerLine * 2 + kHeadings;
    const long long row = address / kBytesPerLine + kHeadings;
    if (row >= sheet_->Cells().Rows()) {
        return;
    }
    sheet_->GoToCell(static_cast<int>(col), static_cast<int>(row));
}
