#include "ui/shell/cuiApplication.h"

#include <exception>

#include "platform/MessageBox.h"

cuiApplication::cuiApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool cuiApplication::notify(QObject* receiver, QEvent* event) {
    return Guarded([&] { return QApplication::notify(receiver, event); });
}

bool cuiApplication::Guarded(const std::function<bool()>& deliver) {
    try {
        return deliver();
    } catch (const platform::NormalEnd&) {
        // Its box has been shown.
    } catch (const std::exception& failure) {
        platform::ShowBox(failure.what(), platform::BoxIcon::Error);
    } catch (...) {
        platform::ShowBox("Unknown exception.", platform::BoxIcon::Error);
    }
    QCoreApplication::exit(0);
    return false;
}
