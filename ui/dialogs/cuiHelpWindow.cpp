#include "ui/dialogs/cuiHelpWindow.h"

#include <QAction>
#include <QHBoxLayout>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/qt/FocusReturn.h"

namespace {

QToolButton* AddButton(QHBoxLayout* bar, QStyle::StandardPixmap picture, const QString& text) {
    auto* button = new QToolButton;
    button->setIcon(button->style()->standardIcon(picture));
    button->setText(text);
    button->setToolTip(text);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    bar->addWidget(button);
    return button;
}

}  // namespace

cuiHelpWindow::cuiHelpWindow(const std::string& file, const QString& caption, QWidget* owner)
    : QWidget(owner, Qt::Window),
      file_(QUrl::fromLocalFile(QString::fromStdString(file))),
      browser_(new QTextBrowser) {
    setWindowTitle(caption);
    auto* bar = new QHBoxLayout;
    back_ = AddButton(bar, QStyle::SP_ArrowBack, tr("&Back"));
    forward_ = AddButton(bar, QStyle::SP_ArrowForward, tr("&Forward"));
    QToolButton* contents = AddButton(bar, QStyle::SP_DirHomeIcon, tr("&Contents"));
    bar->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(bar);
    layout->addWidget(browser_, 1);
    browser_->setOpenExternalLinks(true);
    back_->setEnabled(false);
    forward_->setEnabled(false);
    connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(contents, &QToolButton::clicked, this, [this] { ShowAt({}); });
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QToolButton::setEnabled);
    AddCloseKeys();
    resize(640, 560);
}

// Esc and Ctrl+W close the window, and the focus goes back to the program's window.
void cuiHelpWindow::AddCloseKeys() {
    auto* close = new QAction(this);
    close->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)});
    close->setShortcutContext(Qt::WindowShortcut);
    connect(close, &QAction::triggered, this, [this] {
        hide();
        platform::qt::ReturnFocus(parentWidget() ? parentWidget()->focusWidget() : nullptr);
    });
    addAction(close);
}

QString cuiHelpWindow::ContextAnchor(int context) {
    return QStringLiteral("context-%1").arg(context);
}

void cuiHelpWindow::ShowContents() {
    ShowAt({});
}

void cuiHelpWindow::ShowContext(int context) {
    ShowAt(context != 0 ? ContextAnchor(context) : QString());
}

void cuiHelpWindow::ShowAt(const QString& anchor) {
    QUrl url = file_;
    url.setFragment(anchor.isEmpty() ? QString() : anchor);
    browser_->setSource(url);
    show();
    raise();
    activateWindow();
}
