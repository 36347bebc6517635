#include "ui/shell/cuiShownProbe.h"

#include <chrono>
#include <cstdio>

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {

constexpr int kScreenshotDelayMs = 600;

}  // namespace

cuiShownProbe::cuiShownProbe(QWidget* window, std::function<void()> action)
    : QObject(window), window_(window), action_(std::move(action)) {
    window->winId();  // makes the platform window, whose expose events tell when it shows
    window->windowHandle()->installEventFilter(this);
}

bool cuiShownProbe::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Expose && window_ && window_->windowHandle()->isExposed()) {
        watched->removeEventFilter(this);
        // The exposed window paints while this event is handled; act once that is done.
        QTimer::singleShot(0, this, [this] {
            if (action_) {
                action_();
            }
        });
    }
    return false;
}

void cuiShownProbe::WatchFromEnvironment(QWidget* window) {
    const QString shot = qEnvironmentVariable("MERROW_SCREENSHOT");
    if (shot.isEmpty() && qEnvironmentVariableIntValue("MERROW_CLOSE_WHEN_SHOWN") == 0) {
        return;
    }
    new cuiShownProbe(window, [window, shot] {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        std::printf("shown %lld\n",
                    static_cast<long long>(
                        std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
        std::fflush(stdout);
        if (shot.isEmpty()) {
            window->close();
            return;
        }
        // The first sheet opens a few heartbeats after the window shows.
        QTimer::singleShot(kScreenshotDelayMs, window, [window, shot] {
            window->grab().save(shot);
            window->close();
        });
    });
}
