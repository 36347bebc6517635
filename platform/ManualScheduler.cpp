#include "platform/ManualScheduler.h"

#include <algorithm>

namespace platform {

class ManualScheduler::ManualTimer : public Timer {
public:
    ManualTimer(ManualScheduler& owner, std::function<void()> onTick, uint64_t order)
        : owner_(owner), onTick_(std::move(onTick)), order_(order) {}
    ~ManualTimer() override {
        auto& list = owner_.timers_;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
    void SetInterval(int ms) override {
        owner_.Sync();
        enabled_ = ms >= 0;
        period_ = ms <= 0 ? 1 : static_cast<uint64_t>(ms);
        due_ = owner_.now_ + period_;
    }
    bool IsEnabled() const override { return enabled_; }

    ManualScheduler& owner_;
    std::function<void()> onTick_;
    uint64_t order_;
    bool enabled_ = false;
    uint64_t period_ = 1;
    uint64_t due_ = 0;
};

ManualScheduler::ManualScheduler(ManualClock& clock)
    : clock_(clock), lastTick_(clock.TickCount()) {}

ManualScheduler::~ManualScheduler() {
    // Timers outliving the scheduler must not reach back into it.
    for (auto* timer : timers_) {
        timer->enabled_ = false;
    }
}

std::unique_ptr<Timer> ManualScheduler::CreateTimer(std::function<void()> onTick) {
    auto timer = std::make_unique<ManualTimer>(*this, std::move(onTick), created_++);
    timers_.push_back(timer.get());
    return timer;
}

void ManualScheduler::Sync() {
    uint32_t tick = clock_.TickCount();
    now_ += static_cast<uint32_t>(tick - lastTick_);
    lastTick_ = tick;
}

ManualScheduler::ManualTimer* ManualScheduler::NextDue(uint64_t limit) const {
    ManualTimer* best = nullptr;
    for (auto* timer : timers_) {
        if (!timer->enabled_ || timer->due_ > limit) {
            continue;
        }
        if (!best || timer->due_ < best->due_ ||
            (timer->due_ == best->due_ && timer->order_ < best->order_)) {
            best = timer;
        }
    }
    return best;
}

void ManualScheduler::Fire(ManualTimer* timer) {
    if (timer->due_ > now_) {
        clock_.Advance(static_cast<uint32_t>(timer->due_ - now_));
        Sync();
    }
    // The next due time is fixed before the call, so a handler may reset or destroy the timer.
    timer->due_ = std::max(timer->due_ + timer->period_, now_ + 1);
    auto onTick = timer->onTick_;
    onTick();
    Sync();
}

void ManualScheduler::Advance(uint32_t ms) {
    Sync();
    uint64_t target = now_ + ms;
    while (ManualTimer* timer = NextDue(target)) {
        Fire(timer);
    }
    if (now_ < target) {
        clock_.Advance(static_cast<uint32_t>(target - now_));
        Sync();
    }
}

bool ManualScheduler::RunUntil(const std::function<bool()>& done, uint32_t limitMs) {
    Sync();
    uint64_t target = now_ + limitMs;
    while (!done()) {
        ManualTimer* timer = NextDue(target);
        if (!timer) {
            if (now_ < target) {
                clock_.Advance(static_cast<uint32_t>(target - now_));
                Sync();
            }
            return done();
        }
        Fire(timer);
    }
    return true;
}

int ManualScheduler::EnabledTimers() const {
    return static_cast<int>(std::count_if(timers_.begin(), timers_.end(),
                                          [](const ManualTimer* t) { return t->enabled_; }));
}

}  // namespace platform
