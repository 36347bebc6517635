#include "ui/shell/cuiInputBlock.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

namespace {

bool IsUserInput(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
            return true;
        default:
            return false;
    }
}

}  // namespace

cuiInputBlock::cuiInputBlock(QWidget* window) : window_(window) {}

cuiInputBlock::~cuiInputBlock() {
    SetBlocked(false);
}

void cuiInputBlock::SetBlocked(bool blocked) {
    if (blocked == blocked_) {
        return;
    }
    blocked_ = blocked;
    if (blocked) {
        qApp->installEventFilter(this);
    } else {
        qApp->removeEventFilter(this);
    }
}

bool cuiInputBlock::IsOnWindow(QObject* object) const {
    const auto* widget = qobject_cast<QWidget*>(object);
    return widget && window_ && widget->window() == window_;
}

bool cuiInputBlock::eventFilter(QObject* watched, QEvent* event) {
    if (!IsOnWindow(watched)) {
        return false;
    }
    // Accepting the override keeps a key from triggering a shortcut or menu mnemonic; the key
    // press that follows is then dropped like every other input.
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    return IsUserInput(event->type());
}
