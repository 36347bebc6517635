#include "ui/dialogs/cuiCloneProgress.h"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/GetTextBlock.h"
#include "common/cmcGTex.h"
#include "platform/qt/FocusReturn.h"
#include "ui/widgets/CentreWindow.h"
#include "ui/widgets/cuiCellBar.h"

namespace {

// The bar: 8 pixels a cell, 16 high, in a sunken bevel of 1; the window leaves 16 pixels
// beside it and 8 above.
constexpr int kCellWidth = 8;
constexpr int kBarHeight = 16;
constexpr int kBevel = 1;
constexpr int kSideMargin = 16;
constexpr int kTopMargin = 8;
constexpr int kSpacing = 8;
constexpr char kStageKey[] = "GI_Mess_Clone_Stage";

}  // namespace

cuiCloneProgress::cuiCloneProgress(QWidget* mainWindow, cmcGTex& table)
    : mainWindow_(mainWindow), table_(table) {}

cuiCloneProgress::~cuiCloneProgress() {
    delete window_.data();
}

QWidget* cuiCloneProgress::Window() {
    Build();
    return window_;
}

cuiCellBar* cuiCloneProgress::Bar() {
    Build();
    return window_ ? bar_ : nullptr;
}

QLabel* cuiCloneProgress::StageLabel() {
    Build();
    return window_ ? stage_ : nullptr;
}

QPushButton* cuiCloneProgress::CancelButton() {
    Build();
    return window_ ? cancel_ : nullptr;
}

void cuiCloneProgress::Build() {
    if (built_ || !mainWindow_) {
        return;
    }
    built_ = true;
    window_ = new QWidget(mainWindow_, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    window_->setAttribute(Qt::WA_WindowPropagation);
    window_->setWindowTitle(QString::fromStdString(table_.GetLine("GI_Mess_Clone_Caption", 0)));
    window_->installEventFilter(this);
    auto* layout = new QVBoxLayout(window_);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setContentsMargins(kSideMargin, kTopMargin, kSideMargin, kSpacing);
    layout->setSpacing(kSpacing);
    layout->addWidget(BuildBarPanel(), 0, Qt::AlignHCenter);
    auto* row = new QHBoxLayout;
    stage_ = new QLabel(window_);
    stage_->setTextFormat(Qt::PlainText);
    // As wide as the longest stage, so the window keeps its size from stage to stage.
    stage_->setMinimumWidth(
        stage_->fontMetrics()
            .boundingRect(QRect(), 0, QString::fromStdString(GetTextBlock(table_, kStageKey)))
            .width());
    row->addWidget(stage_, 1);
    cancel_ = new QPushButton(
        QString::fromStdString(table_.GetLine("GI_AppInd_Button_OkCancel", 1)), window_);
    row->addWidget(cancel_);
    layout->addLayout(row);
    connect(cancel_, &QPushButton::clicked, this, [this] { PressCancel(); });
}

QWidget* cuiCloneProgress::BuildBarPanel() {
    auto* panel = new QFrame(window_);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(kBevel);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(kBevel, kBevel, kBevel, kBevel);
    bar_ = new cuiCellBar(kCells, panel);
    bar_->setFixedSize(kCells * kCellWidth, kBarHeight);
    layout->addWidget(bar_);
    return panel;
}

void cuiCloneProgress::Open(std::function<void()> cancel) {
    Build();
    if (!window_) {
        return;
    }
    onCancel_ = std::move(cancel);
    cancel_->setEnabled(true);
    bar_->SetLit(0);
    stage_->clear();
    window_->adjustSize();
    CentreWindow(*window_, mainWindow_);
    window_->show();
    window_->raise();
    cancel_->setFocus();
}

void cuiCloneProgress::Show(const CloneProgress& progress) {
    Build();
    if (!window_) {
        return;
    }
    bar_->SetLit(progress.litCells);
    stage_->setText(QString::fromStdString(progress.stageText));
}

// The main window takes the keys again once this one has gone, so its first Alt+letter opens
// a menu.
void cuiCloneProgress::Close() {
    onCancel_ = nullptr;
    if (window_ && window_->isVisible()) {
        window_->hide();
        platform::qt::ReturnFocus(mainWindow_ ? mainWindow_->focusWidget() : nullptr);
    }
}

bool cuiCloneProgress::eventFilter(QObject* watched, QEvent* event) {
    if (watched != window_) {
        return false;
    }
    if (event->type() == QEvent::Close) {
        event->ignore();
        PressCancel();
        return true;
    }
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        PressCancel();
        return true;
    }
    return false;
}

void cuiCloneProgress::PressCancel() {
    if (!onCancel_) {
        return;
    }
    std::function<void()> cancel = std::move(onCancel_);
    onCancel_ = nullptr;
    cancel_->setEnabled(false);
    cancel();
}
