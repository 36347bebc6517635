#pragma once

#include "platform/Timer.h"

namespace platform::qt {

// Timers on QTimer: ticks arrive through the GUI thread's event loop, between other events.
class QtTimerBackend : public TimerBackend {
public:
    std::unique_ptr<Timer> CreateTimer(std::function<void()> onTick) override;
};

}  // namespace platform::qt
