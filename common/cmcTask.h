#pragma once

#include <functional>
#include <memory>

#include "platform/Timer.h"

// A periodic task on a platform timer. The handler is never entered again while it runs,
// and a released task deletes itself on its next tick, so an owner may let go of it even
// from inside the handler. Tasks are created with new.
class cmcTask {
public:
    // Called with the task as sender; "set" when it holds a target.
    using Handler = std::function<void(cmcTask* sender)>;

    cmcTask();
    ~cmcTask();
    cmcTask(const cmcTask&) = delete;
    cmcTask& operator=(const cmcTask&) = delete;

    void SetHandler(Handler handler);
    // ms < 0 stops the timer; 0 runs as fast as the timer allows (1 ms). Returns the stopped
    // flag: 1 after a negative value, else 0.
    int SetInterval(int ms);
    int GetInterval() const { return interval_; }
    bool IsStopped() const { return stopped_; }
    // Clears the handler and stops.
    void Stop();
    // The next tick deletes the task.
    void Release();

    // The owners' rule: a task inside its own handler is stopped and released (it deletes itself
    // on its next tick); any other is deleted at once. The pointer is cleared either way.
    static void Dispose(cmcTask*& task);

private:
    void TimerTick();

    std::unique_ptr<platform::Timer> timer_;
    Handler handler_;
    int interval_ = -1;
    bool busy_ = false;
    bool deleteMe_ = false;
    bool stopped_ = true;
};
