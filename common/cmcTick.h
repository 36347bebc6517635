#pragma once

#include <cstdint>

// One-shot millisecond time-out on the system tick count; exact across the counter's wrap.
class cmcTick {
public:
    void Start(uint32_t ms);
    // Milliseconds left; 0 means expired (the tick then becomes inactive) or never started.
    uint32_t Remaining();
    bool IsActive() const { return active_ != 0; }

private:
    uint32_t duration_ = 0;
    uint32_t start_ = 0;
    int active_ = 0;
};
