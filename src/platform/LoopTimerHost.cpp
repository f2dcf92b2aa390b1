#include "platform/LoopTimerHost.h"

#include <time.h>

#include <algorithm>
#include <chrono>

namespace plat {

namespace {

int64_t NowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

struct LoopTimerHost::State {
    std::function<void()> callback;
    bool active = false;
    bool alive = true;
    int interval = 1;
    int64_t due = 0;
    uint64_t serial = 0;
};

class LoopTimer : public ITimer {
public:
    explicit LoopTimer(std::shared_ptr<LoopTimerHost::State> st) : m_st(std::move(st)) {}
    ~LoopTimer() override
    {
        m_st->alive = false;
        m_st->active = false;
    }
    void Start(int intervalMs) override
    {
        m_st->interval = std::max(1, intervalMs);
        m_st->active = true;
        m_st->due = NowMs() + m_st->interval;
    }
    void Stop() override { m_st->active = false; }
    bool IsActive() const override { return m_st->active; }
    int Interval() const override { return m_st->interval; }

private:
    std::shared_ptr<LoopTimerHost::State> m_st;
};

LoopTimerHost::LoopTimerHost() = default;
LoopTimerHost::~LoopTimerHost() = default;

std::unique_ptr<ITimer> LoopTimerHost::CreateTimer(std::function<void()> onTimeout)
{
    auto st = std::make_shared<State>();
    st->callback = std::move(onTimeout);
    st->serial = m_serial++;
    m_timers.push_back(st);
    return std::make_unique<LoopTimer>(st);
}

bool LoopTimerHost::RunUntil(const std::function<bool()>& done, uint32_t limitMs)
{
    const int64_t end = NowMs() + limitMs;
    for (;;) {
        if (done())
            return true;
        const int64_t now = NowMs();
        if (now >= end)
            return false;
        std::erase_if(m_timers, [](const auto& t) { return !t->alive; });
        std::shared_ptr<State> next;
        for (const auto& t : m_timers) {
            if (t->active &&
                (!next || t->due < next->due || (t->due == next->due && t->serial < next->serial)))
                next = t;
        }
        if (next && next->due <= now) {
            // Like a toolkit timer: the next firing counts from now, so a long handler
            // does not make the timer fire in bursts.
            next->due = now + next->interval;
            auto keep = next;
            if (keep->callback)
                keep->callback();
            continue;
        }
        const int64_t wait =
            std::min<int64_t>(next ? next->due - now : 5, std::min<int64_t>(end - now, 5));
        const timespec pause{0, static_cast<long>(std::max<int64_t>(wait, 1)) * 1000000L};
        nanosleep(&pause, nullptr);
    }
}

}  // namespace plat
