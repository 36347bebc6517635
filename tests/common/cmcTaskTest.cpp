#include "common/cmcTask.h"

#include <gtest/gtest.h>

#include "common/cmcTick.h"
#include "tests/support/VirtualTime.h"

namespace {

TEST(cmcTick, CountsDownAndExpires) {
    testsupport::VirtualTime time(1000);
    cmcTick tick;
    EXPECT_EQ(tick.Remaining(), 0u);
    tick.Start(100);
    time.Advance(40);
    EXPECT_EQ(tick.Remaining(), 60u);
    time.Advance(60);
    EXPECT_EQ(tick.Remaining(), 0u);
    EXPECT_FALSE(tick.IsActive());
}

TEST(cmcTick, ZeroDurationExpiresAtOnce) {
    testsupport::VirtualTime time;
    cmcTick tick;
    tick.Start(0);
    EXPECT_EQ(tick.Remaining(), 0u);
    EXPECT_FALSE(tick.IsActive());
}

TEST(cmcTick, SpansTheWrapOfTheCounter) {
    testsupport::VirtualTime time(0xFFFFFFFFu - 9);
    cmcTick tick;
    tick.Start(100);
    time.Advance(10);
    ASSERT_EQ(time.Now(), 0u);
    EXPECT_EQ(tick.Remaining(), 90u);
    time.Advance(89);
    EXPECT_EQ(tick.Remaining(), 1u);
    time.Advance(1);
    EXPECT_EQ(tick.Remaining(), 0u);
}

TEST(cmcTask, RunsAtItsIntervalAndStops) {
    testsupport::VirtualTime time;
    auto* task = new cmcTask;
    int calls = 0;
    task->SetHandler([&](cmcTask*) { ++calls; });
    EXPECT_EQ(task->SetInterval(10), 0);
    time.Advance(35);
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(task->SetInterval(-1), 1);
    time.Advance(100);
    EXPECT_EQ(calls, 3);
    cmcTask::Dispose(task);
    EXPECT_EQ(task, nullptr);
}

TEST(cmcTask, IntervalZeroRunsEveryMillisecond) {
    testsupport::VirtualTime time;
    auto* task = new cmcTask;
    int calls = 0;
    task->SetHandler([&](cmcTask*) { ++calls; });
    task->SetInterval(0);
    time.Advance(20);
    EXPECT_EQ(calls, 20);
    task->Stop();
    cmcTask::Dispose(task);
}

TEST(cmcTask, ReleasedInsideHandlerFinishesThenDeletesItself) {
    testsupport::VirtualTime time;
    auto* task = new cmcTask;
    int calls = 0;
    task->SetHandler([&](cmcTask* self) {
        ++calls;
        cmcTask* owned = self;
        cmcTask::Dispose(owned);  // inside its handler: stopped and released, not deleted here
        ++calls;
    });
    task->SetInterval(10);
    time.Advance(10);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(time.scheduler.EnabledTimers(), 1);
    time.Advance(5);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(time.scheduler.EnabledTimers(), 0);
}

TEST(cmcTask, HandlerIsNotReentered) {
    testsupport::VirtualTime time;
    auto* task = new cmcTask;
    int depth = 0;
    int maxDepth = 0;
    int calls = 0;
    task->SetHandler([&](cmcTask*) {
        ++calls;
        maxDepth = std::max(maxDepth, ++depth);
        if (calls == 1) {
            time.Advance(50);  // a nested loop inside the handler delivers ticks
        }
        --depth;
    });
    task->SetInterval(10);
    time.Advance(10);
    EXPECT_EQ(maxDepth, 1);
    EXPECT_EQ(calls, 1);
    cmcTask::Dispose(task);  // running, but not inside its handler: deleted at once
    EXPECT_EQ(time.scheduler.EnabledTimers(), 0);
}

}  // namespace
