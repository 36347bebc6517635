#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/ManualClock.h"
#include "platform/Timer.h"

namespace platform {

// A timer backend for tests: timers fire, in due order, only while the scheduler advances
// its manual clock. A handler that sleeps moves the clock too; the scheduler follows it.
class ManualScheduler : public TimerBackend {
public:
    explicit ManualScheduler(ManualClock& clock);
    ~ManualScheduler() override;

    std::unique_ptr<Timer> CreateTimer(std::function<void()> onTick) override;

    // Moves the clock forward by ms, firing every timer that falls due on the way.
    void Advance(uint32_t ms);
    // Advances in steps of one due tick until done() holds or limitMs have passed;
    // returns done().
    bool RunUntil(const std::function<bool()>& done, uint32_t limitMs);
    // Number of timers that exist and are enabled.
    int EnabledTimers() const;

private:
    class ManualTimer;
    friend class ManualTimer;

    void Sync();
    ManualTimer* NextDue(uint64_t limit) const;
    void Fire(ManualTimer* timer);

    ManualClock& clock_;
    uint32_t lastTick_;
    uint64_t now_ = 0;
    uint64_t created_ = 0;
    std::vector<ManualTimer*> timers_;
};

}  // namespace platform
