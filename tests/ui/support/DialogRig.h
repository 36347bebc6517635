#pragma once

#include <QWidget>

#include "common/cmcGTex.h"
#include "tests/support/ProgramTable.h"
#include "tests/support/ScopedInstall.h"
#include "tests/ui/support/UiRig.h"

namespace testsupport {

// What a dialog test runs in: the ui rig, the program's own text table (also as the main
// table, for the message boxes) and a shown main window in the program's font.
struct DialogRig : UiRig {
    DialogRig();

    // With MERROW_DIALOG_SHOTS naming a folder, a picture of the window goes there as name.png.
    static void SaveShot(QWidget& window, const char* name);

    cmcGTex& table = ProgramTable();
    ScopedMainGTex tableInstalled{&table};
    QWidget mainWindow;
};

}  // namespace testsupport
