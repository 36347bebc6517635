#pragma once

#include "platform/Clock.h"

namespace platform {

// A clock that moves only when told to. Sleeping advances it, so busy waits end.
class ManualClock : public Clock {
public:
    explicit ManualClock(uint32_t start = 0) : now_(start) {}
    uint32_t TickCount() override { return now_; }
    void SleepMs(uint32_t ms) override { now_ += ms; }
    void Set(uint32_t now) { now_ = now; }
    void Advance(uint32_t ms) { now_ += ms; }

private:
    uint32_t now_;
};

}  // namespace platform
