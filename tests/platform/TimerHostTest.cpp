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
