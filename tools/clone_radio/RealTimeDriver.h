#pragma once

#include <cstdint>
#include <functional>

#include "platform/ManualClock.h"
#include "platform/ManualScheduler.h"
#include "platform/SteadyClock.h"

namespace sim {

// Runs the timers in step with the steady clock, without an event loop: installs a manual
// clock and scheduler and advances them as real time passes. A busy wait that moves the
// manual clock ahead is then made good in real time before the next timer fires.
class RealTimeDriver {
public:
    RealTimeDriver();
    ~RealTimeDriver();
    RealTimeDriver(const RealTimeDriver&) = delete;
    RealTimeDriver& operator=(const RealTimeDriver&) = delete;

    // Runs until done() holds or limitMs of real time have passed; returns done(). Between
    // calls it sleeps pauseMs() (1 ms when not given), as a program's worker would.
    bool RunUntil(const std::function<bool()>& done, uint32_t limitMs,
                  const std::function<int()>& pauseMs = {});

private:
    platform::SteadyClock steady_;
    platform::ManualClock clock_;
    platform::ManualScheduler scheduler_;
};

}  // namespace sim
