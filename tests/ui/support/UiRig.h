#pragma once

#include <memory>

#include "common/cmcEvMan.h"
#include "tests/support/FakeShell.h"
#include "tests/support/RecordingBoxes.h"
#include "tests/support/ScopedInstall.h"
#include "tests/support/VirtualTime.h"

namespace testsupport {

// What an offscreen test of the shell's widgets runs in: the application (made before any
// widget), virtual time, recorded message boxes, a shell double and the program's bus
// installed. A test's widgets are members declared after the rig, so they go before it.
struct UiRig {
    UiRig() = default;
    UiRig(const UiRig&) = delete;
    UiRig& operator=(const UiRig&) = delete;

    struct App {
        App();
    } app;
    VirtualTime time;
    RecordingBoxes boxes;
    FakeShell shell;
    // Runs the time on once the bus has gone, so that the pump task it released deletes itself.
    struct Settle {
        VirtualTime& time;
        ~Settle() { time.Advance(20); }
    } settle{time};
    std::unique_ptr<cmcEvMan> bus = std::make_unique<cmcEvMan>();
    ScopedEvMan busInstalled{bus.get()};
};

}  // namespace testsupport
