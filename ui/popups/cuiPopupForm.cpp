#include "ui/popups/cuiPopupForm.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/CurrentEvMan.h"
#include "common/cmcEvMan.h"
#include "common/cmcGTex.h"
#include "ui/popups/PopupPlacement.h"
#include "ui/widgets/cuiGrid.h"

namespace {

constexpr int kBevel = 2;
constexpr int kBorder = 5;
constexpr int kButtonGap = 8;

}  // namespace

cuiPopupForm::cuiPopupForm(const cmcCellCapsule& capsule)
    : QWidget(capsule.grid, Qt::Window | Qt::FramelessWindowHint), closing_(*this, capsule.grid) {
    capsule_.CopyFrom(capsule);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* bevel = new QFrame(this);
    bevel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    bevel->setLineWidth(kBevel);
    outer->addWidget(bevel);
    panelLayout_ = new QVBoxLayout(bevel);
    panelLayout_->setContentsMargins(kBevel, kBevel, kBevel, kBevel);
    panelLayout_->setSpacing(0);
}

cuiPopupForm::~cuiPopupForm() {
    Detach();
}

void cuiPopupForm::Detach() {
    closing_.MarkReleased();
    if (bus_) {
        bus_->RemoveListener(OnEventThunk, this);
        bus_ = nullptr;
    }
}

// Enter on either button presses it.
void cuiPopupForm::AddButtons(cmcGTex& texts) {
    auto* panel = new QWidget(panelLayout_->parentWidget());
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
    panelLayout_->addWidget(panel);
}

void cuiPopupForm::Present(QWidget* focus) {
    PlaceBesideCurrentCell(*this, capsule_.grid);
    bus_ = CurrentEvMan();
    if (bus_) {
        bus_->AddListener(OnEventThunk, this);
    }
    show();
    activateWindow();
    focus->setFocus();
}

void cuiPopupForm::Commit() {
    if (committed_ || closing_.Released()) {
        return;
    }
    committed_ = true;
    cmcCellCapsule answer;
    answer.CopyFrom(capsule_);
    answer.inputMode = kInputPopupAnswer;
    answer.key = 0;
    HandBack(answer);
    Release();
}

void cuiPopupForm::Cancel() {
    cancelled_ = true;
    Release();
}

void cuiPopupForm::Release() {
    closing_.Release();
}

void cuiPopupForm::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange) {
        return;
    }
    if (closing_.LeftForAnother() && !cancelled_) {
        Commit();
    }
}

// Esc that no part of the editor took.
void cuiPopupForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        Cancel();
        return;
    }
    QWidget::keyPressEvent(event);
}

void cuiPopupForm::OnEventThunk(void* data, const cmcEvent& event) {
    static_cast<cuiPopupForm*>(data)->OnEvent(event);
}

void cuiPopupForm::OnEvent(const cmcEvent& event) {
    if (event.type == EV_ClosePopups) {
        if (!cancelled_) {
            Commit();
        }
        Release();
    } else if (event.type == EV_ControlDestroyed &&
               event.B == reinterpret_cast<intptr_t>(capsule_.control)) {
        closing_.ForgetCaller();  // the grid is going
        Cancel();
    }
}
