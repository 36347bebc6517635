#include "tests/loader/ui/LoaderTestApp.h"

#include <QApplication>
#include <QElapsedTimer>

namespace testsupport {

void EnsureLoaderTestApp() {
    if (QApplication::instance()) {
        return;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static int argc = 1;
    static char name[] = "loader_ui_tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

bool ServeUntil(const std::function<bool()>& done, int ms) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

}  // namespace testsupport

// The font library keeps its configuration until the process ends; that is not ours to free.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
