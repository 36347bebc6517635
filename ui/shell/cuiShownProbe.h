#pragma once

#include <functional>

#include <QObject>
#include <QPointer>

class QWidget;

// Runs an action once, right after a window was first exposed on the screen and painted: the
// moment a user first sees it (start-up timing, pictures of the running program).
class cuiShownProbe : public QObject {
public:
    cuiShownProbe(QWidget* window, std::function<void()> action);

    // The programs' test hooks: with MERROW_CLOSE_WHEN_SHOWN=1 or MERROW_SCREENSHOT=<file>
    // the steady clock's time in nanoseconds is written to standard output ("shown <ns>") once
    // the window shows, and the window closes, at once or, with a screenshot, once its
    // picture (after the first sheet opened) is saved. Without either, nothing is watched.
    static void WatchFromEnvironment(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> window_;
    std::function<void()> action_;
};
