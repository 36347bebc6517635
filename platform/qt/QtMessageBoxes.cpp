#include "platform/qt/QtMessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

#include <cstdlib>

#include "platform/qt/FocusReturn.h"

namespace platform::qt {

namespace {

QMessageBox::Icon ToQtIcon(BoxIcon icon) {
    switch (icon) {
        case BoxIcon::Error:
            return QMessageBox::Critical;
        case BoxIcon::Warning:
            return QMessageBox::Warning;
        case BoxIcon::Information:
            return QMessageBox::Information;
        case BoxIcon::Question:
            return QMessageBox::Question;
        case BoxIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQtButtons(BoxButtons buttons) {
    switch (buttons) {
        case BoxButtons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case BoxButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case BoxButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case BoxButtons::Ok:
            break;
    }
    return QMessageBox::Ok;
}

BoxAnswer FromQt(int button) {
    switch (button) {
        case QMessageBox::Cancel:
            return BoxAnswer::Cancel;
        case QMessageBox::Yes:
            return BoxAnswer::Yes;
        case QMessageBox::No:
            return BoxAnswer::No;
        default:
            return BoxAnswer::Ok;
    }
}

}  // namespace

BoxAnswer QtMessageBoxes::Show(const std::string& text, const std::string& caption, BoxIcon icon,
                               BoxButtons buttons) {
    // A box that comes while no window is active (a pop-up list has just closed) belongs to
    // the main window; once it closes, the focus goes back where it was.
    const QPointer<QWidget> focus = QApplication::focusWidget();
    QWidget* active = QApplication::activeWindow();
    QWidget* owner = active && active->isVisible() ? active : MainWindow();
    QMessageBox box(ToQtIcon(icon), QString::fromStdString(caption), QString::fromStdString(text),
                    ToQtButtons(buttons), owner);
    if (buttons == BoxButtons::YesNoCancel) {
        box.setEscapeButton(QMessageBox::Cancel);
    }
    const int answer = box.exec();
    ReturnFocus(focus);
    return FromQt(answer);
}

void QtMessageBoxes::FatalEnd(const std::string& text, const std::string& caption) {
    QMessageBox::critical(QApplication::activeWindow(), QString::fromStdString(caption),
                          QString::fromStdString(text));
    std::abort();
}

}  // namespace platform::qt
