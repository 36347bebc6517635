#include "platform/Clock.h"

#include "platform/SteadyClock.h"

namespace platform {

namespace {
SteadyClock steadyClock;
Clock* installedClock = nullptr;
}  // namespace

Clock& CurrentClock() {
    return installedClock ? *installedClock : steadyClock;
}

void InstallClock(Clock* clock) {
    installedClock = clock;
}

}  // namespace platform
