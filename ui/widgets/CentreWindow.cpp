#include "ui/widgets/CentreWindow.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "common/TextHelpers.h"
#include "common/WindowRect.h"

namespace {

WindowRect ToWindowRect(const QRect& rect) {
    return {rect.left(), rect.top(), rect.width(), rect.height()};
}

}  // namespace

void CentreWindow(QWidget& window, const QWidget* over) {
    const QScreen* screen =
        over && over->screen() ? over->screen() : QGuiApplication::primaryScreen();
    const WindowRect area = ToWindowRect(screen ? screen->availableGeometry() : QRect());
    const WindowRect other = over ? ToWindowRect(over->frameGeometry()) : area;
    const WindowRect placed = CentreControl(ToWindowRect(window.frameGeometry()), other, area);
    window.move(placed.left, placed.top);
}
