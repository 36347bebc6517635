#include "tests/ui/support/DialogRig.h"

#include <QApplication>
#include <QPixmap>
#include <QTest>
#include <cstdlib>
#include <string>

namespace testsupport {

DialogRig::DialogRig() {
    QFont font("Liberation Sans");
    font.setPixelSize(13);
    mainWindow.setFont(font);
    mainWindow.setWindowTitle("Tarnwick");
    mainWindow.setGeometry(100, 100, 640, 480);
    mainWindow.show();
    QApplication::setActiveWindow(&mainWindow);
    (void)QTest::qWaitForWindowExposed(&mainWindow);
}

void DialogRig::SaveShot(QWidget& window, const char* name) {
    if (const char* folder = std::getenv("MERROW_DIALOG_SHOTS")) {
        window.grab().save(QString::fromStdString(std::string(folder) + "/" + name + ".png"));
    }
}

}  // namespace testsupport
