#include <gtest/gtest.h>

#include <vector>

#include "platform/IClock.h"
#include "platform/ITimerHost.h"

namespace {

TEST(ManualTimerHost, FiresDueTimersInTimeOrderAndMovesTheClock)
{
    plat::ManualClock clock;
    plat::ManualTimerHost host(clock);
    std::vector<std::pair<char, uint32_t>> fired;
    auto a = host.CreateTimer([&] { fired.push_back({'a', clock.Milliseconds()}); });
    auto b = host.CreateTimer([&] { fired.push_back({'b', clock.Milliseconds()}); });
    a->Start(10);
    b->Start(25);
    host.Advance(30);
    std::vector<std::pair<char, uint32_t>> want{{'a', 10}, {'a', 20}, {'b', 25}, {'a', 30}};
    EXPECT_EQ(fired, want);
    EXPECT_EQ(clock.Milliseconds(), 30u);
}

TEST(ManualTimerHost, TimerDestroyedInsideItsCallbackStopsSafely)
{
    plat::ManualClock clock;
    plat::ManualTimerHost host(clock);
    int calls = 0;
    std::unique_ptr<plat::ITimer> t;
    t = host.CreateTimer([&] {
        ++calls;
        t.reset();
    });
    t->Start(10);
    host.Advance(50);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(host.ActiveCount(), 0);
}

}  // namespace

namespace {

// A callback that runs the timers itself, as a modal box lets them run.
TEST(ManualTimerHost, NestedAdvanceNeverMovesTheClockBack)
{
    plat::ManualClock clock;
    plat::ManualTimerHost host(clock);
    std::vector<uint32_t> times;
    bool nested = false;
    auto t = host.CreateTimer([&] {
        times.push_back(clock.Milliseconds());
        if (!nested) {
            nested = true;
            host.Advance(30);
        }
    });
    t->Start(10);
    host.Advance(20);
    for (size_t i = 1; i < times.size(); ++i)
        EXPECT_GE(times[i], times[i - 1]);
    EXPECT_EQ(clock.Milliseconds(), 40u);
    host.Advance(10);
    EXPECT_EQ(clock.Milliseconds(), 50u);
}

}  // namespace
