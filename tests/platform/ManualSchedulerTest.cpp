#include "platform/ManualScheduler.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ManualScheduler, FiresDueTimersInOrderAndFollowsSleeps) {
    platform::ManualClock clock(0xFFFFFFF0u);
    platform::ManualScheduler scheduler(clock);
    std::string trace;
    auto fast = scheduler.CreateTimer([&] { trace += 'f'; });
    auto slow = scheduler.CreateTimer([&] {
        trace += 's';
        clock.SleepMs(25);  // a busy wait inside a handler moves time on
    });
    fast->SetInterval(10);
    slow->SetInterval(20);
    scheduler.Advance(20);
    EXPECT_EQ(trace, "ffs");
    EXPECT_EQ(clock.TickCount(), 0xFFFFFFF0u + 45u);
    trace.clear();
    // Both timers are overdue: each fires once, not once per missed period; the slow one's
    // sleep makes the fast one due again within the step.
    scheduler.Advance(1);
    EXPECT_EQ(trace, "fsf");
}

TEST(ManualScheduler, TimerMayDestroyItselfInItsTick) {
    platform::ManualClock clock;
    platform::ManualScheduler scheduler(clock);
    std::unique_ptr<platform::Timer> timer;
    int calls = 0;
    timer = scheduler.CreateTimer([&] {
        ++calls;
        timer.reset();
    });
    timer->SetInterval(1);
    scheduler.Advance(10);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(scheduler.EnabledTimers(), 0);
}

TEST(ManualScheduler, RunUntilStopsAtConditionOrLimit) {
    platform::ManualClock clock;
    platform::ManualScheduler scheduler(clock);
    int calls = 0;
    auto timer = scheduler.CreateTimer([&] { ++calls; });
    timer->SetInterval(10);
    EXPECT_TRUE(scheduler.RunUntil([&] { return calls == 3; }, 1000));
    EXPECT_EQ(clock.TickCount(), 30u);
    EXPECT_FALSE(scheduler.RunUntil([] { return false; }, 100));
    EXPECT_EQ(clock.TickCount(), 130u);
}

}  // namespace
