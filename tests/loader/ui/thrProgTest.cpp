#include "loader/ui/thrProg.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QObject>
#include <atomic>
#include <thread>

#include "tests/loader/ui/LoaderTestApp.h"

namespace {

class thrProgTest : public ::testing::Test {
protected:
    void SetUp() override { testsupport::EnsureLoaderTestApp(); }
    QObject context;
};

TEST_F(thrProgTest, TicksRunOnTheGuiThreadOneAtATime) {
    int ticks = 0;
    bool inTick = false;
    bool overlapped = false;
    bool offThread = false;
    thrProg worker(&context, [&] {
        overlapped |= inTick;
        offThread |= QThread::currentThread() != context.thread();
        inTick = true;
        QCoreApplication::processEvents();  // a nested loop (a modal box) inside a tick
        inTick = false;
        ++ticks;
        return 1;
    });
    ASSERT_TRUE(testsupport::ServeUntil([&] { return ticks >= 20; }, 5000));
    worker.StopAndWait();
    EXPECT_FALSE(overlapped);
    EXPECT_FALSE(offThread);
    EXPECT_TRUE(worker.isFinished());
}

// The worker is blocked in its call into the GUI thread while the GUI thread waits for it to
// end: the wait serves that one tick instead of waiting for ever.
TEST_F(thrProgTest, StoppingServesTheTickAlreadyAskedFor) {
    std::atomic<int> ticks = 0;
    thrProg worker(&context, [&] {
        ++ticks;
        return 1;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));  // no events served meanwhile
    ASSERT_EQ(ticks, 0);
    worker.StopAndWait();
    EXPECT_EQ(ticks, 1);
    EXPECT_TRUE(worker.isFinished());
}

// An idle tick asks for a long pause; waking the worker cuts it short.
TEST_F(thrProgTest, WakeCutsALongPauseShort) {
    std::atomic<int> ticks = 0;
    thrProg worker(&context, [&] {
        ++ticks;
        return 60000;
    });
    ASSERT_TRUE(testsupport::ServeUntil([&] { return ticks == 1; }, 5000));
    worker.Wake();
    EXPECT_TRUE(testsupport::ServeUntil([&] { return ticks == 2; }, 5000));
    worker.StopAndWait();
    EXPECT_EQ(ticks, 2);
}

}  // namespace
