#pragma once

#include <memory>
#include <string>
#include <vector>

#include "common/cmcEvMan.h"
#include "common/cmcGTex.h"
#include "common/cmcHelpGTex.h"
#include "radio/host/indEnviron.h"
#include "radio/memmap/ItemRegistry.h"
#include "tests/support/MemorySettings.h"
#include "tests/support/RecordingBoxes.h"
#include "tests/support/ScopedEnvFolder.h"
#include "tests/support/VirtualTime.h"
#include "tests/ui/support/UiRig.h"
#include "ui/shell/TForm1.h"
#include "ui/shell/indMain.h"

class QTreeWidgetItem;

namespace testsupport {

// The cloning program's main window as the program builds it, offscreen: its settings in
// memory, its tables bound by the application object to the files of the program's folder
// (a ProgramFolder the test makes first), virtual time, the bus, recorded boxes.
struct MainRig {
    MainRig();
    ~MainRig();
    MainRig(const MainRig&) = delete;
    MainRig& operator=(const MainRig&) = delete;

    // Makes the application object and the main form, which builds and shows the window.
    void Start(const ItemRegistry& rows = ItemRegistry::Program(),
               std::vector<std::string> arguments = {});
    // Lets ms of virtual time pass, with the Qt events in between.
    void Advance(int ms);
    // Selects a tree node as the user does and waits out the tree's change delay.
    void Choose(QTreeWidgetItem* node);
    QTreeWidgetItem* Node(const std::string& spec) const;

    UiRig::App app;
    VirtualTime time;
    std::unique_ptr<cmcEvMan> bus = std::make_unique<cmcEvMan>();
    RecordingBoxes boxes;
    MemorySettings stores;
    ScopedEnvFolder runtime{"XDG_RUNTIME_DIR", "tarnwick-rig-"};
    indEnviron settings{"Tarnwick test lock", "Software\\Zelk\\Tarnwick", {1280, 1024}};
    cmcGTex table;
    cmcHelpGTex help;
    // The form outlives the application object, whose menu and tool bar live on it.
    std::unique_ptr<TForm1> form;
    std::unique_ptr<indMain> main;
};

}  // namespace testsupport
