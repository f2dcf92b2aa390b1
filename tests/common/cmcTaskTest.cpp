#include <gtest/gtest.h>

#include <vector>

#include "common/cmcTask.h"
#include "common/cmcTick.h"
#include "support/TestServices.h"

namespace {

struct Probe {
    int calls = 0;
    std::vector<uint32_t> times;
    bool releaseInside = false;
    bool stepTimeInside = false;  // lets timers run inside the handler, like a modal box
    bool* destroyedDuringHandler = nullptr;
};

void Record(void* context, cmcTask* task)
{
    auto* p = static_cast<Probe*>(context);
    ++p->calls;
    p->times.push_back(qvtest::Services().clock.Milliseconds());
    if (p->releaseInside)
        task->Release();
    if (p->stepTimeInside && p->calls == 1) {
        qvtest::Services().timers.Advance(50);
        // Still ours: touching the task here would fault under the sanitizers if freed.
        EXPECT_TRUE(task->IsBusy());
    }
}

TEST(cmcTask, RunsItsHandlerEveryIntervalUntilDisabled)
{
    auto& clock = qvtest::Services().clock;
    auto& timers = qvtest::Services().timers;
    Probe probe;
    auto* task = new cmcTask;
    EXPECT_TRUE(task->IsStopped());
    task->SetHandler(&Record, &probe);
    task->SetInterval(10);
    EXPECT_FALSE(task->IsStopped());
    timers.Advance(30);
    EXPECT_EQ(probe.times, (std::vector<uint32_t>{10, 20, 30}));

    task->SetInterval(-1);
    EXPECT_TRUE(task->IsStopped());
    timers.Advance(30);
    EXPECT_EQ(probe.calls, 3);

    task->SetInterval(0);  // 0 runs at the shortest interval, 1 ms
    const uint32_t before = clock.Milliseconds();
    timers.Advance(3);
    EXPECT_EQ(probe.times.back(), before + 3);
    EXPECT_EQ(probe.calls, 6);

    task->Stop();
    timers.Advance(10);
    EXPECT_EQ(probe.calls, 6);
    cmcTask::Dispose(task);
    EXPECT_EQ(task, nullptr);
    EXPECT_EQ(timers.ActiveCount(), 0);
}

TEST(cmcTask, ReleaseInsideItsHandlerDestroysAtTheNextTick)
{
    auto& timers = qvtest::Services().timers;
    Probe probe;
    probe.releaseInside = true;
    auto* task = new cmcTask;
    task->SetHandler(&Record, &probe);
    task->SetInterval(10);
    timers.Advance(10);
    EXPECT_EQ(probe.calls, 1);
    EXPECT_EQ(timers.ActiveCount(), 1);  // still there, due in 1 ms
    timers.Advance(1);
    EXPECT_EQ(timers.ActiveCount(), 0);
    timers.Advance(50);
    EXPECT_EQ(probe.calls, 1);
}

TEST(cmcTask, TicksDuringARunningHandlerNeitherReenterNorDestroyIt)
{
    auto& timers = qvtest::Services().timers;
    Probe probe;
    probe.releaseInside = true;
    probe.stepTimeInside = true;
    auto* task = new cmcTask;
    task->SetHandler(&Record, &probe);
    task->SetInterval(10);
    timers.Advance(10);  // the handler releases, then 50 ms of ticks run inside it
    EXPECT_EQ(probe.calls, 1);
    EXPECT_EQ(timers.ActiveCount(), 1);
    timers.Advance(100);  // a tick after the handler returned frees it
    EXPECT_EQ(timers.ActiveCount(), 0);
    EXPECT_EQ(probe.calls, 1);
}

TEST(cmcTask, DisposeOfABusyTaskDefersToTheNextTick)
{
    struct Owner {
        cmcTask* task = nullptr;
        int calls = 0;
    } owner;
    auto& timers = qvtest::Services().timers;
    owner.task = new cmcTask;
    owner.task->SetHandler(
        [](void* c, cmcTask*) {
            auto* o = static_cast<Owner*>(c);
            ++o->calls;
            cmcTask::Dispose(o->task);
        },
        &owner);
    owner.task->SetInterval(10);
    timers.Advance(10);
    EXPECT_EQ(owner.task, nullptr);
    EXPECT_EQ(timers.ActiveCount(), 1);
    timers.Advance(20);
    EXPECT_EQ(owner.calls, 1);
    EXPECT_EQ(timers.ActiveCount(), 0);
}

TEST(cmcTick, RemainingCountsDownThenStaysZeroUntilRestarted)
{
    auto& clock = qvtest::Services().clock;
    cmcTick tick;
    EXPECT_EQ(tick.Remaining(), 0u);
    tick.Start(100);
    clock.Advance(40);
    EXPECT_EQ(tick.Remaining(), 60u);
    clock.Advance(60);
    EXPECT_EQ(tick.Remaining(), 0u);
    EXPECT_FALSE(tick.IsRunning());
    clock.Set(0);  // even a clock that looks earlier does not revive it
    EXPECT_EQ(tick.Remaining(), 0u);
    tick.Start(5);
    EXPECT_EQ(tick.Remaining(), 5u);
}

TEST(cmcTick, SurvivesTheWrapOfTheMillisecondCounter)
{
    auto& clock = qvtest::Services().clock;
    clock.Set(0xFFFFFFF0u);
    cmcTick tick;
    tick.Start(100);
    clock.Advance(0x20);  // now 0x10, past the wrap
    EXPECT_EQ(tick.Elapsed(), 0x20u);
    EXPECT_EQ(tick.Remaining(), 100u - 0x20u);
    clock.Advance(100);
    EXPECT_EQ(tick.Remaining(), 0u);
}

}  // namespace
