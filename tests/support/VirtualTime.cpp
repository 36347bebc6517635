#include "tests/support/VirtualTime.h"

#include "platform/Clock.h"

namespace testsupport {

VirtualTime::VirtualTime(uint32_t start) : clock(start), scheduler(clock) {
    platform::InstallClock(&clock);
    platform::InstallTimers(&scheduler);
}

VirtualTime::~VirtualTime() {
    platform::InstallTimers(nullptr);
    platform::InstallClock(nullptr);
}

}  // namespace testsupport
