#include "loader/ui/frmMain.h"

#include <QApplication>
#include <exception>

#include "loader/LoaderTextTable.h"
#include "loader/clsEnviron.h"
#include "loader/clsGTex.h"
#include "loader/ui/TForm1.h"
#include "platform/MessageBox.h"
#include "platform/qt/QtMessageBoxes.h"
#include "platform/qt/QtTimerBackend.h"

namespace {

// The window and its message loop; an exception that gets this far (a table number that
// cannot be read) is shown, and the program ends.
void RunWindow(clsGTex& texts, clsEnviron& environment) {
    try {
        TForm1 form(texts, environment);
        form.show();
        QApplication::exec();
    } catch (const std::exception& failure) {
        platform::Boxes().Show(failure.what(), texts.GetLine("Sys_AppTitle", 0),
                               platform::BoxIcon::Error, platform::BoxButtons::Ok);
    }
}

}  // namespace

int RunFennmoor(int argc, char** argv) {
    // Made before everything else and gone after it, the table first.
    clsEnviron environment("Zelk Fennmoor APP Exclusive Mutex");
    if (!environment.IsFirstInstance()) {
        return 0;
    }
    clsGTex texts;
    texts.SetLines(kLoaderTextTable);

    QApplication app(argc, argv);
    platform::qt::QtMessageBoxes boxes;
    platform::InstallBoxes(&boxes);
    platform::qt::QtTimerBackend timers;
    platform::InstallTimers(&timers);
    if (texts.GetLine("Sys_Ovl", 0) != "OVL") {
        platform::ShowBox("Fatal error !\nCannot open OVL file.\nInstall this application again !",
                          platform::BoxIcon::Error);
    } else {
        RunWindow(texts, environment);
    }
    platform::InstallTimers(nullptr);
    platform::InstallBoxes(nullptr);
    return 0;
}
