#include "ui/shell/frmMain.h"

#include <memory>
#include <string>
#include <vector>

#include <QScreen>

#include "platform/FileDialogs.h"
#include "platform/MessageBox.h"
#include "platform/SettingsStore.h"
#include "platform/Timer.h"
#include "platform/qt/QtFileDialogs.h"
#include "platform/qt/QtMessageBoxes.h"
#include "platform/qt/QtSettingsStores.h"
#include "platform/qt/QtTimerBackend.h"
#include "ui/shell/ApplicationWarmUp.h"
#include "ui/shell/FontConfigWarmUp.h"
#include "ui/shell/TForm1.h"
#include "ui/shell/TarnwickGlobals.h"
#include "ui/shell/cuiApplication.h"
#include "ui/shell/cuiMenuScript.h"
#include "ui/shell/cuiShownProbe.h"
#include "ui/shell/indMain.h"

namespace {

indEnviron::ScreenSize ScreenSizeOf(const QScreen* screen) {
    if (!screen) {
        return {};
    }
    return {screen->size().width(), screen->size().height()};
}

// The platform services the program's parts use, installed while it runs.
struct QtServices {
    QtServices() {
        platform::InstallBoxes(&boxes);
        platform::InstallFileDialogs(&dialogs);
        platform::InstallTimers(&timers);
        platform::InstallSettingsStores(&stores);
    }
    ~QtServices() {
        platform::InstallSettingsStores(nullptr);
        platform::InstallTimers(nullptr);
        platform::InstallFileDialogs(nullptr);
        platform::InstallBoxes(nullptr);
    }
    platform::qt::QtMessageBoxes boxes;
    platform::qt::QtFileDialogs dialogs;
    platform::qt::QtTimerBackend timers;
    platform::qt::QtSettingsStores stores;
};

// The main form and the message loop. The form outlives the application object, whose menu
// and tool bar live on it.
void RunForm(TarnwickGlobals& globals, std::vector<std::string> arguments,
             std::unique_ptr<TForm1>& form) {
    globals.App().SetArguments(std::move(arguments));
    form = std::make_unique<TForm1>(globals.App(), globals.Settings(), globals.Table());
    cuiShownProbe::WatchFromEnvironment(form.get());
    const std::unique_ptr<cuiMenuScript> script = cuiMenuScript::FromEnvironment(form.get());
    QApplication::exec();
}

}  // namespace

int RunTarnwick(int argc, char** argv) {
    FontConfigWarmUp fonts;
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    cuiApplication application(argc, argv);
    fonts.Wait();
    const ApplicationWarmUp warmUp;
    QGuiApplication::setDesktopFileName("tarnwick");
    QtServices services;
    std::unique_ptr<TForm1> form;
    {
        TarnwickGlobals globals(ScreenSizeOf(QGuiApplication::primaryScreen()));
        if (!globals.Settings().IsFirstInstance()) {
            return 0;
        }
        const std::vector<std::string> arguments(argv, argv + argc);
        cuiApplication::Guarded([&] {
            RunForm(globals, arguments, form);
            return true;
        });
    }
    return 0;
}
