#include "tools/clone_radio/RealTimeDriver.h"

#include "platform/Clock.h"
#include "platform/Timer.h"

namespace sim {

RealTimeDriver::RealTimeDriver() : clock_(steady_.TickCount()), scheduler_(clock_) {
    platform::InstallClock(&clock_);
    platform::InstallTimers(&scheduler_);
}

RealTimeDriver::~RealTimeDriver() {
    platform::InstallTimers(nullptr);
    platform::InstallClock(nullptr);
}

bool RealTimeDriver::RunUntil(const std::function<bool()>& done, uint32_t limitMs,
                              const std::function<int()>& pauseMs) {
    const uint32_t start = steady_.TickCount();
    while (!done()) {
        const uint32_t now = steady_.TickCount();
        if (now - start >= limitMs)
            return false;
        const int32_t behind = static_cast<int32_t>(now - clock_.TickCount());
        if (behind > 0)
            scheduler_.Advance(static_cast<uint32_t>(behind));
        else if (const int pause = pauseMs ? pauseMs() : 1; pause > 0)
            steady_.SleepMs(static_cast<uint32_t>(pause));
    }
    return true;
}

}  // namespace sim
