#pragma once

#include <memory>

#include "common/cmcEvMan.h"
#include "tests/support/FakeShell.h"
#include "tests/support/RecordingBoxes.h"
#include "tests/support/VirtualTime.h"

namespace testsupport {

// What an offscreen test of the shell's widgets runs in: the application (made before any
// widget), virtual time, the program's bus installed, recorded message boxes and a shell
// double. A test's widgets are members declared after the rig, so they go before it.
struct UiRig {
    UiRig();
    ~UiRig();
    UiRig(const UiRig&) = delete;
    UiRig& operator=(const UiRig&) = delete;

    struct App {
        App();
    } app;
    VirtualTime time;
    std::unique_ptr<cmcEvMan> bus = std::make_unique<cmcEvMan>();
    RecordingBoxes boxes;
    FakeShell shell;
};

}  // namespace testsupport
