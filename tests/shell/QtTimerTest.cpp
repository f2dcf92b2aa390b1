// Timer tasks on the toolkit's timers, as the running program has them.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTemporaryDir>

#include "common/cmcTask.h"
#include "platform/qt/QtServices.h"
#include "shell/QtTestApp.h"

namespace {

struct Counter {
    int ticks = 0;
    bool releaseAtThird = false;
};

void OnTick(void* context, cmcTask* task)
{
    auto* c = static_cast<Counter*>(context);
    if (++c->ticks == 3 && c->releaseAtThird)
        task->Release();  // freed on a later tick, never under this handler
}

// Runs the event loop until done() or ms have passed.
template <typename Done>
bool RunUntil(Done done, int ms = 2000)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

TEST(QtTimerTask, TicksOnTheEventLoopAndReleasesItselfSafely)
{
    QtTestApp();
    QTemporaryDir dir;
    plat::QtServices services(dir.path() + QStringLiteral("/u.conf"),
                              dir.path() + QStringLiteral("/m.conf"));
    Counter counter;
    auto* task = new cmcTask;
    task->SetHandler(&OnTick, &counter);
    task->SetInterval(10);
    ASSERT_TRUE(RunUntil([&] { return counter.ticks >= 3; }));

    Counter second{0, true};
    task->SetHandler(&OnTick, &second);
    ASSERT_TRUE(RunUntil([&] { return second.ticks >= 3; }));
    // After its release the task runs no handler again (ASan checks the freeing).
    const int ticks = second.ticks;
    RunUntil([] { return false; }, 200);
    EXPECT_EQ(second.ticks, ticks);
}

}  // namespace
