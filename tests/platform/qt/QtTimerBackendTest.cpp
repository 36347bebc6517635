#include "platform/qt/QtTimerBackend.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

namespace {

TEST(QtTimerBackend, TicksThroughTheEventLoopAndSurvivesSelfDestruction) {
    int argc = 0;
    QCoreApplication app(argc, nullptr);
    platform::qt::QtTimerBackend backend;
    std::unique_ptr<platform::Timer> timer;
    int calls = 0;
    timer = backend.CreateTimer([&] {
        if (++calls == 3) {
            timer.reset();
        }
    });
    timer->SetInterval(0);
    EXPECT_TRUE(timer->IsEnabled());
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < 200) {
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(calls, 3);
}

}  // namespace
