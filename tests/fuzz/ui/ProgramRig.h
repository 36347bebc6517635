#pragma once

#include <memory>
#include <string>
#include <vector>

#include "common/cmcEvMan.h"
#include "common/cmcGTex.h"
#include "common/cmcHelpGTex.h"
#include "radio/host/indEnviron.h"
#include "radio/image/ModelType.h"
#include "tests/fuzz/ProgramBoxes.h"
#include "tests/support/MemorySettings.h"
#include "tests/support/ScopedEnvFolder.h"
#include "tests/support/ScopedInstall.h"
#include "tests/support/VirtualTime.h"
#include "ui/shell/TForm1.h"
#include "ui/shell/indMain.h"

class cuiSheet;

namespace fuzz {

// The cloning program offscreen as it runs, in maker mode, made once for the fuzzing process:
// the application object and its main window over the built program folder, virtual time, the
// bus, settings in memory and boxes that answer OK and No. Each input starts from a new
// document, so an input gives the same run whatever ran before it.
class ProgramRig {
public:
    static ProgramRig& Get();

    indMain& Main() { return *main_; }
    // A new, unmodified document of the model type, no sheet open, an empty clipboard.
    void NewDocument(ModelType model);
    // The sheets of every node of the tree the model type shows (the banks' included).
    std::vector<std::string> SheetSpecs() const;
    // Opens the sheet as the tree does. A fatal end (a layout or text the program cannot go
    // on with) throws: over the program's own table that is a finding.
    cuiSheet& Open(const std::string& spec);
    // Paints every cell of the sheet as the grid does.
    static void PaintAll(cuiSheet& sheet);
    // Lets ms of virtual time pass, with the Qt events in between.
    void Advance(int ms);
    // A scratch clone file of this process.
    const std::string& ScratchFile(int n) const;

    ProgramBoxes boxes;

private:
    ProgramRig();

    testsupport::VirtualTime time_;
    std::unique_ptr<cmcEvMan> bus_ = std::make_unique<cmcEvMan>();
    testsupport::ScopedEvMan busInstalled_{bus_.get()};
    testsupport::MemorySettings stores_;
    testsupport::ScopedEnvFolder runtime_{"XDG_RUNTIME_DIR", "tarnwick-fuzz-"};
    indEnviron settings_{"Tarnwick fuzz lock", "Software\\Zelk\\Tarnwick", {1280, 1024}};
    cmcGTex table_;
    testsupport::ScopedMainGTex tableInstalled_{&table_};
    cmcHelpGTex help_;
    // The form outlives the application object, whose menu and tool bar live on it.
    std::unique_ptr<TForm1> form_;
    std::unique_ptr<indMain> main_;
    std::vector<std::string> scratch_;
};

}  // namespace fuzz
