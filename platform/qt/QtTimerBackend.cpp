#include "platform/qt/QtTimerBackend.h"

#include <QTimer>

namespace platform::qt {

namespace {

class QtTimer : public Timer {
public:
    explicit QtTimer(std::function<void()> onTick) : timer_(new QTimer) {
        timer_->setTimerType(Qt::PreciseTimer);
        QObject::connect(timer_, &QTimer::timeout, std::move(onTick));
    }
    ~QtTimer() override {
        // The owner may be destroyed from inside this timer's own tick.
        timer_->stop();
        timer_->disconnect();
        timer_->deleteLater();
    }
    void SetInterval(int ms) override {
        if (ms < 0) {
            timer_->stop();
        } else {
            timer_->start(ms == 0 ? 1 : ms);
        }
    }
    bool IsEnabled() const override { return timer_->isActive(); }

private:
    QTimer* timer_;
};

}  // namespace

std::unique_ptr<Timer> QtTimerBackend::CreateTimer(std::function<void()> onTick) {
    return std::make_unique<QtTimer>(std::move(onTick));
}

}  // namespace platform::qt
