#pragma once

#include <QThread>
#include <functional>

// The worker that paces the loader: it has the GUI thread run one tick, waits until the tick
// has returned, sleeps 1 ms and asks again. So ticks never overlap, and a tick that shows a
// modal box holds the worker until the box is closed.
class thrProg : public QThread {
public:
    // `context` lives in the GUI thread; the tick runs there. The thread starts at once, at
    // the lowest priority.
    thrProg(QObject* context, std::function<void()> tick);
    // Stops the thread if it still runs.
    ~thrProg() override;

    // Tells the thread to stop and waits until it has ended, still running any tick it asked
    // for meanwhile (the caller is the GUI thread, so nothing else would serve it).
    void StopAndWait();

protected:
    void run() override;

private:
    QObject* context_;
    std::function<void()> tick_;
};
