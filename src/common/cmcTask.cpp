#include "common/cmcTask.h"

#include "platform/Fatal.h"
#include "platform/ITimerHost.h"
#include "platform/Services.h"

cmcTask::cmcTask()
{
    plat::ITimerHost* host = plat::Get().timers;
    if (!host)
        plat::FatalError("No timer service is installed.");
    m_timer = host->CreateTimer([this] { OnTimer(); });
}

cmcTask::~cmcTask() = default;

void cmcTask::SetHandler(Handler handler, void* context)
{
    m_handler = handler;
    m_context = context;
}

void cmcTask::SetInterval(int ms)
{
    m_interval = ms;
    if (ms < 0) {
        m_timer->Stop();
        m_stopped = true;
    } else {
        m_timer->Start(ms < 1 ? 1 : ms);
        m_stopped = false;
    }
}

void cmcTask::Stop()
{
    m_handler = nullptr;
    m_context = nullptr;
    SetInterval(-1);
}

void cmcTask::Release()
{
    m_destroyRequested = true;
    SetInterval(1);
}

void cmcTask::Dispose(cmcTask*& task)
{
    if (!task)
        return;
    // Deleting is safe whenever the handler is not on the stack; a running timer goes with
    // the task. A busy task finishes its handler and frees itself on a later tick.
    if (!task->IsBusy() && !task->IsReleased()) {
        delete task;
    } else if (!task->IsReleased()) {
        task->Stop();
        task->Release();
    }
    task = nullptr;
}

void cmcTask::OnTimer()
{
    // A running handler keeps its task alive even when it asked for destruction: the
    // tick that comes while it pumps messages must not free it under its feet.
    if (m_busy)
        return;
    if (m_destroyRequested) {
        delete this;
        return;
    }
    if (!m_handler)
        return;
    m_busy = true;
    m_handler(m_context, this);
    m_busy = false;
}
