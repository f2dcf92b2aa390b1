#include "platform/ITimerHost.h"

#include <algorithm>

#include "platform/IClock.h"

namespace plat {

struct ManualTimerHost::State {
    std::function<void()> callback;
    bool active = false;
    bool alive = true;
    int interval = 0;
    uint64_t due = 0;
    uint64_t serial = 0;
};

class ManualTimer : public ITimer {
public:
    ManualTimer(ManualTimerHost& host, std::shared_ptr<ManualTimerHost::State> st)
        : m_host(host), m_st(std::move(st))
    {
    }
    ~ManualTimer() override
    {
        m_st->alive = false;
        m_st->active = false;
    }
    void Start(int intervalMs) override
    {
        m_st->interval = std::max(1, intervalMs);
        m_st->active = true;
        m_st->due = m_host.m_now + static_cast<uint64_t>(m_st->interval);
    }
    void Stop() override { m_st->active = false; }
    bool IsActive() const override { return m_st->active; }
    int Interval() const override { return m_st->interval; }

private:
    ManualTimerHost& m_host;
    std::shared_ptr<ManualTimerHost::State> m_st;
};

ManualTimerHost::~ManualTimerHost() = default;

std::unique_ptr<ITimer> ManualTimerHost::CreateTimer(std::function<void()> onTimeout)
{
    auto st = std::make_shared<State>();
    st->callback = std::move(onTimeout);
    st->serial = m_serial++;
    m_timers.push_back(st);
    return std::make_unique<ManualTimer>(*this, st);
}

void ManualTimerHost::Advance(uint32_t ms)
{
    const uint64_t end = m_now + ms;
    for (;;) {
        std::erase_if(m_timers, [](const auto& t) { return !t->alive; });
        std::shared_ptr<State> next;
        for (const auto& t : m_timers) {
            if (!t->active || t->due > end)
                continue;
            if (!next || t->due < next->due || (t->due == next->due && t->serial < next->serial))
                next = t;
        }
        if (!next)
            break;
        // A nested Advance (a modal box in a test) may already have moved past this time.
        if (next->due > m_now) {
            m_clock.Advance(static_cast<uint32_t>(next->due - m_now));
            m_now = next->due;
        }
        next->due = m_now + static_cast<uint64_t>(next->interval);
        // Keep the callback alive even if the timer is destroyed from inside it.
        auto keep = next;
        auto cb = keep->callback;
        if (cb)
            cb();
    }
    if (end > m_now) {
        m_clock.Advance(static_cast<uint32_t>(end - m_now));
        m_now = end;
    }
}

int ManualTimerHost::ActiveCount() const
{
    return static_cast<int>(std::count_if(m_timers.begin(), m_timers.end(),
                                          [](const auto& t) { return t->alive && t->active; }));
}

}  // namespace plat
