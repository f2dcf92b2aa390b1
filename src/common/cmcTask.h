#pragma once
#include <memory>

namespace plat {
class ITimer;
}

// A timer-driven task: calls one handler with one context every interval, never re-entering
// the handler (a handler that shows a modal box lets timers run inside it). A task can ask
// to be destroyed from inside its own handler; it is then freed on a later tick, after the
// handler has returned.
class cmcTask {
public:
    using Handler = void (*)(void* context, cmcTask* task);

    cmcTask();
    ~cmcTask();
    cmcTask(const cmcTask&) = delete;
    cmcTask& operator=(const cmcTask&) = delete;

    void SetHandler(Handler handler, void* context);
    // Below 0 disables the timer; otherwise enables it with ms, at least 1 ms.
    void SetInterval(int ms);
    int Interval() const { return m_interval; }
    // Clears handler and context and disables the timer.
    void Stop();
    // Asks the task to destroy itself on its next tick. The caller must not touch it again.
    void Release();

    bool IsStopped() const { return m_stopped; }
    bool IsBusy() const { return m_busy; }
    bool IsReleased() const { return m_destroyRequested; }

    // How owners let go of a task: an idle task is deleted at once; one whose handler is
    // running is stopped and released, so the handler never loses its task. Nulls the pointer.
    static void Dispose(cmcTask*& task);

    // The timer event; public for the timer callback only.
    void OnTimer();

private:
    std::unique_ptr<plat::ITimer> m_timer;
    Handler m_handler = nullptr;
    void* m_context = nullptr;
    int m_interval = -1;
    bool m_busy = false;
    bool m_stopped = true;
    bool m_destroyRequested = false;
};
