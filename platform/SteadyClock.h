#pragma once

#include "platform/Clock.h"

namespace platform {

// The real clock: std::chrono::steady_clock truncated to 32 bits.
class SteadyClock : public Clock {
public:
    uint32_t TickCount() override;
    void SleepMs(uint32_t ms) override;
};

}  // namespace platform
