#include "tests/ui/UiRig.h"

#include "common/GlobalEvMan.h"
#include "tests/ui/TestApp.h"

namespace testsupport {

UiRig::App::App() {
    EnsureTestApp();
}

UiRig::UiRig() {
    InstallEvMan(bus.get());
}

UiRig::~UiRig() {
    InstallEvMan(nullptr);
    bus.reset();
    time.Advance(20);  // the bus's released pump task deletes itself
}

}  // namespace testsupport
