#include "common/cmcTick.h"

#include "platform/Clock.h"

void cmcTick::Start(uint32_t ms) {
    duration_ = ms;
    start_ = platform::CurrentClock().TickCount();
    active_ = 1;
}

uint32_t cmcTick::Remaining() {
    if (!active_) {
        return 0;
    }
    uint32_t elapsed = platform::CurrentClock().TickCount() - start_;
    if (elapsed < duration_) {
        return duration_ - elapsed;
    }
    active_ = 0;
    return 0;
}
