#include "tests/ui/UiRig.h"

#include "tests/ui/TestApp.h"

namespace testsupport {

UiRig::App::App() {
    EnsureTestApp();
}

}  // namespace testsupport
