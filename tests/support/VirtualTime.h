#pragma once

#include "platform/ManualClock.h"
#include "platform/ManualScheduler.h"
#include "tests/support/ScopedInstall.h"

namespace testsupport {

// Installs a manual clock and a manual timer scheduler for the lifetime of the object.
class VirtualTime {
public:
    explicit VirtualTime(uint32_t start = 0) : clock(start), scheduler(clock) {}
    VirtualTime(const VirtualTime&) = delete;
    VirtualTime& operator=(const VirtualTime&) = delete;

    void Advance(uint32_t ms) { scheduler.Advance(ms); }
    bool RunUntil(const std::function<bool()>& done, uint32_t limitMs) {
        return scheduler.RunUntil(done, limitMs);
    }
    uint32_t Now() { return clock.TickCount(); }

    platform::ManualClock clock;
    platform::ManualScheduler scheduler;

private:
    ScopedClock clockInstalled_{&clock};
    ScopedTimers timersInstalled_{&scheduler};
};

}  // namespace testsupport
