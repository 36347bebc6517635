#include "common/cmcTask.h"

cmcTask::cmcTask() : timer_(platform::Timers().CreateTimer([this] { TimerTick(); })) {
    SetInterval(-1);
}

cmcTask::~cmcTask() = default;

void cmcTask::SetHandler(Handler handler) {
    handler_ = std::move(handler);
}

int cmcTask::SetInterval(int ms) {
    interval_ = ms;
    timer_->SetInterval(ms);
    stopped_ = ms < 0;
    return stopped_ ? 1 : 0;
}

void cmcTask::Stop() {
    handler_ = nullptr;
    SetInterval(-1);
}

void cmcTask::Release() {
    deleteMe_ = true;
    SetInterval(1);
}

void cmcTask::Dispose(cmcTask*& task) {
    if (!task) {
        return;
    }
    // Only a task inside its own handler must outlive the call: it deletes itself on its next
    // tick. Any other is deleted at once, so no task is left waiting for a tick that may never
    // come (at exit, or after the last tick of a test).
    if (task->busy_) {
        task->Stop();
        task->Release();
    } else {
        delete task;
    }
    task = nullptr;
}

void cmcTask::TimerTick() {
    if (deleteMe_) {
        delete this;
        return;
    }
    if (!handler_ || busy_) {
        return;
    }
    busy_ = true;
    // A handler that releases its task is still running; the deletion waits for the next tick.
    Handler handler = handler_;
    handler(this);
    busy_ = false;
}
