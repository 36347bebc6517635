#include "ui/cuiFBitsR.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>
#include <string>

#include "common/GlobalEvMan.h"
#include "common/cmcEvMan.h"
#include "radio/CellCodes.h"
#include "radio/ItemRegistry.h"
#include "radio/cmcCellObj.h"
#include "radio/indActiveCell.h"
#include "ui/PopupPlacement.h"
#include "ui/cuiSheet.h"

namespace {

constexpr int kBevel = 2;
constexpr int kBorder = 5;
constexpr int kButtonGap = 8;

}  // namespace

cuiFBitsR::cuiFBitsR(const cmcCellCapsule& capsule, cmcGTex& texts,
                     const PopupHost::BitSet& request, const ItemRegistry& rows)
    : QWidget(capsule.grid, Qt::Window | Qt::FramelessWindowHint), rows_(rows), bits_(request) {
    capsule_.CopyFrom(capsule);
    sheetText_.SetLines(bits_.Lines(), bits_.LineCount());
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* bevel = new QFrame(this);
    bevel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    bevel->setLineWidth(kBevel);
    outer->addWidget(bevel);
    auto* layout = new QVBoxLayout(bevel);
    layout->setContentsMargins(kBevel, kBevel, kBevel, kBevel);
    layout->setSpacing(0);
    auto* sheetPanel = new QWidget(bevel);
    auto* sheetLayout = new QVBoxLayout(sheetPanel);
    sheetLayout->setContentsMargins(kBorder, kBorder, kBorder, kBorder);
    sheetLayout->setSpacing(0);
    layout->addWidget(sheetPanel, 1);
    layout->addWidget(BuildButtonPanel(bevel, texts));
    BuildSheet(sheetPanel);
    FitToSheet(sheetPanel);
    PlaceBesideCurrentCell(*this, capsule.grid);
    bus_ = CurrentEvMan();
    if (bus_) {
        bus_->AddListener(OnEventThunk, this);
    }
    show();
    activateWindow();
    sheet_->Grid()->setFocus();
}

cuiFBitsR::~cuiFBitsR() {
    // Whatever happens to the focus while the window goes commits nothing.
    released_ = true;
    if (bus_) {
        bus_->RemoveListener(OnEventThunk, this);
    }
    sheet_.reset();
}

void cuiFBitsR::Open(const cmcCellCapsule& capsule, cmcGTex& texts,
                     const PopupHost::BitSet& request, const ItemRegistry& rows) {
    if (capsule.grid) {
        new cuiFBitsR(capsule, texts, request, rows);
    }
}

// Cancel at the right, OK to its left; Enter on either button presses it.
QWidget* cuiFBitsR::BuildButtonPanel(QWidget* parent, cmcGTex& texts) {
    auto* panel = new QWidget(parent);
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(kBorder, kBorder, kBorder, kBorder);
    layout->setSpacing(kButtonGap);
    layout->addStretch(1);
    ok_ = new QPushButton(QString::fromStdString(texts.GetLine("GI_AppInd_Button_OkCancel", 0)),
                          panel);
    cancel_ = new QPushButton(QString::fromStdString(texts.GetLine("GI_AppInd_Button_OkCancel", 1)),
                              panel);
    ok_->setAutoDefault(true);
    ok_->setDefault(true);
    cancel_->setAutoDefault(true);
    layout->addWidget(ok_);
    layout->addWidget(cancel_);
    QObject::connect(ok_, &QPushButton::clicked, this, [this] { Commit(); });
    QObject::connect(cancel_, &QPushButton::clicked, this, [this] { Cancel(); });
    return panel;
}

void cuiFBitsR::BuildSheet(QWidget* host) {
    sheet_ = std::make_unique<cuiSheet>(host, &capsule_, 0, 0, sheetText_, BitSetSheet::kSheetName);
    sheet_->SetCellHandler(
        [this](cmcCellCapsule& capsule, int notify) { return OnSheetCell(capsule, notify); });
    sheet_->Show();
    cuiGrid* grid = sheet_->Grid();
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

// The sheet's natural size is measured on the laid-out window, which is not shown meanwhile;
// its panel then keeps exactly that size and the window fits round it and the buttons.
void cuiFBitsR::FitToSheet(QWidget* host) {
    setAttribute(Qt::WA_DontShowOnScreen, true);
    show();
    host->setFixedSize(sheet_->NaturalWidth(), sheet_->NaturalHeight());
    adjustSize();
    hide();
    setAttribute(Qt::WA_DontShowOnScreen, false);
}

int cuiFBitsR::OnSheetCell(cmcCellCapsule& capsule, int notify) {
    if (!bits_.RunCell(capsule, notify)) {
        return indActiveCell(rows_).DispatchItem(capsule, notify);
    }
    if (capsule.key == kKeyEnter) {
        Commit();
    } else if (capsule.key == kKeyEscape) {
        Cancel();
    }
    return 0;
}

void cuiFBitsR::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        Cancel();
        return;
    }
    QWidget::keyPressEvent(event);
}

void cuiFBitsR::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange) {
        return;
    }
    if (isActiveWindow()) {
        wasActive_ = true;
    } else if (wasActive_ && !cancelled_) {
        Commit();
    }
}

// The answer: a copy of the opening capsule whose parent cell, of item Flex0, says that the
// value in inText is the bit-set editor's.
void cuiFBitsR::Commit() {
    if (committed_ || released_) {
        return;
    }
    committed_ = true;
    cmcCellObj answerCell;
    answerCell.item = Flex0;
    cmcCellCapsule answerParent;
    answerParent.cell = &answerCell;
    cmcCellCapsule answer;
    answer.CopyFrom(capsule_);
    answer.parent = &answerParent;
    answer.inputMode = kInputPopupAnswer;
    answer.key = 0;
    answer.inText = std::to_string(bits_.Value());
    indActiveCell(rows_).DispatchItem(answer, 1);
    Release();
}

void cuiFBitsR::Cancel() {
    cancelled_ = true;
    Release();
}

// The window goes once the event in hand is done: the sheet may still be inside its edit path.
void cuiFBitsR::Release() {
    if (released_) {
        return;
    }
    released_ = true;
    hide();
    deleteLater();
}

void cuiFBitsR::OnEventThunk(void* data, const cmcEvent& event) {
    static_cast<cuiFBitsR*>(data)->OnEvent(event);
}

void cuiFBitsR::OnEvent(const cmcEvent& event) {
    if (event.type == EV_ClosePopups) {
        if (!cancelled_) {
            Commit();
        }
        Release();
    } else if (event.type == EV_ControlDestroyed &&
               event.B == reinterpret_cast<intptr_t>(capsule_.control)) {
        Cancel();
    }
}
