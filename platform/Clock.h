#pragma once

#include <cstdint>

namespace platform {

// The millisecond tick count of the system, and short sleeps. Replaceable so that
// time-outs and busy waits run on a virtual clock in tests.
class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since an arbitrary start; wraps modulo 2^32.
    virtual uint32_t TickCount() = 0;
    // Blocks the calling thread (a manual clock only moves its time forward).
    virtual void SleepMs(uint32_t ms) = 0;
};

// The clock in force: the steady clock unless a test installed another.
Clock& CurrentClock();
// Installs a clock (not owned); nullptr restores the steady clock.
void InstallClock(Clock* clock);

}  // namespace platform
