#pragma once

#include <QMutex>
#include <QThread>
#include <QWaitCondition>
#include <functional>

// The worker that paces the loader: it has the GUI thread run one tick, waits until the tick
// has returned, then waits the pause the tick asked for (or until woken) and asks again. So
// ticks never overlap, and a tick that shows a modal box holds the worker until the box is
// closed.
class thrProg : public QThread {
public:
    // Runs on the GUI thread; returns the ms to wait before the next tick.
    using Tick = std::function<int()>;

    // `context` lives in the GUI thread; the tick runs there. The thread starts at once, at
    // the lowest priority.
    thrProg(QObject* context, Tick tick);
    // Stops the thread if it still runs.
    ~thrProg() override;

    // Cuts the running pause short: the next tick comes at once.
    void Wake();
    // Tells the thread to stop and waits until it has ended, still running any tick it asked
    // for meanwhile (the caller is the GUI thread, so nothing else would serve it).
    void StopAndWait();

protected:
    void run() override;

private:
    QObject* context_;
    Tick tick_;
    QMutex mutex_;
    QWaitCondition wake_;
    bool woken_ = false;
};
