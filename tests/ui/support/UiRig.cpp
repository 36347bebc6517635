#include "tests/ui/support/UiRig.h"

#include "tests/ui/support/TestApp.h"

namespace testsupport {

UiRig::App::App() {
    EnsureTestApp();
}

}  // namespace testsupport
