#pragma once

#include <functional>
#include <memory>

namespace platform {

// One single-thread timer that delivers ticks between other work, never preempting it.
class Timer {
public:
    virtual ~Timer() = default;
    // ms < 0 disables; otherwise (re)starts with that period, 0 meaning as fast as possible (1 ms).
    virtual void SetInterval(int ms) = 0;
    virtual bool IsEnabled() const = 0;
};

// Makes timers. The programs install a Qt backend; tests a manual scheduler.
class TimerBackend {
public:
    virtual ~TimerBackend() = default;
    // The timer may be destroyed from inside its own tick callback.
    virtual std::unique_ptr<Timer> CreateTimer(std::function<void()> onTick) = 0;
};

// The backend in force. Without an installed one, creating a timer is a fatal error.
TimerBackend& Timers();
// Installs a backend (not owned); nullptr removes it.
void InstallTimers(TimerBackend* backend);

}  // namespace platform
