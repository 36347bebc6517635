#include "platform/Timer.h"

#include "platform/MessageBox.h"

namespace platform {

namespace {

class MissingBackend : public TimerBackend {
public:
    std::unique_ptr<Timer> CreateTimer(std::function<void()>) override {
        Fatal("No timer backend installed.");
    }
};

MissingBackend missingBackend;
TimerBackend* installedBackend = nullptr;

}  // namespace

TimerBackend& Timers() {
    return installedBackend ? *installedBackend : missingBackend;
}

void InstallTimers(TimerBackend* backend) {
    installedBackend = backend;
}

}  // namespace platform
