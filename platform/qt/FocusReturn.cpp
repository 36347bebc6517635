#include "platform/qt/FocusReturn.h"

#include <QApplication>
#include <QMainWindow>

namespace platform::qt {

QWidget* MainWindow() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && qobject_cast<QMainWindow*>(window)) {
            return window;
        }
    }
    return nullptr;
}

void ReturnFocus(QWidget* control) {
    QWidget* target = control && control->isVisible() ? control : nullptr;
    QWidget* window = target ? target->window() : MainWindow();
    if (!window) {
        return;
    }
    if (!target) {
        target = window->focusWidget();
    }
    window->activateWindow();
    if (target) {
        target->setFocus(Qt::ActiveWindowFocusReason);
    }
}

}  // namespace platform::qt
