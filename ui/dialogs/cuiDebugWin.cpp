#include "ui/dialogs/cuiDebugWin.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>

#include "common/CurrentEvMan.h"
#include "common/cmcEvent.h"
#include "common/cmcEventTypes.h"
#include "ui/widgets/CentreWindow.h"

namespace {

constexpr int kWidth = 480;
constexpr int kMinimumHeight = 100;

}  // namespace

cuiDebugWin::cuiDebugWin(QWidget* owner) : form_(new QWidget(owner, Qt::Window)) {
    form_->setWindowTitle("Free Debug Window");
    auto* layout = new QVBoxLayout(form_);
    layout->setContentsMargins(0, 0, 0, 0);
    memo_ = new QPlainTextEdit(form_);
    memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    layout->addWidget(memo_);
    QObject::connect(form_, &QObject::destroyed, [this] { delete this; });
    const int ownerHeight = owner ? owner->height() : 0;
    form_->resize(kWidth, std::max(static_cast<int>(0.8 * ownerHeight), kMinimumHeight));
    CentreWindow(*form_, owner);
    form_->show();
    if (cmcEvMan* bus = CurrentEvMan()) {
        bus->AddListener(&cuiDebugWin::OnEventThunk, this);
    }
}

cuiDebugWin::~cuiDebugWin() {
    if (cmcEvMan* bus = CurrentEvMan()) {
        bus->RemoveListener(&cuiDebugWin::OnEventThunk, this);
    }
}

void cuiDebugWin::OnEventThunk(void* data, const cmcEvent& event) {
    static_cast<cuiDebugWin*>(data)->OnEvent(event);
}

void cuiDebugWin::OnEvent(const cmcEvent& event) {
    if (event.type == EV_DebugText && memo_) {
        memo_->appendPlainText(QString::fromStdString(event.Text()));
    }
}
