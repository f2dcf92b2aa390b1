#pragma once
#include <functional>
#include <memory>
#include <vector>

namespace plat {

class ManualClock;

// A periodic toolkit timer. It calls its callback every interval while it is active.
class ITimer {
public:
    virtual ~ITimer() = default;
    virtual void Start(int intervalMs) = 0;  // (re)starts with this interval
    virtual void Stop() = 0;
    virtual bool IsActive() const = 0;
    virtual int Interval() const = 0;
};

class ITimerHost {
public:
    virtual ~ITimerHost() = default;
    // The timer is created stopped.
    virtual std::unique_ptr<ITimer> CreateTimer(std::function<void()> onTimeout) = 0;
};

// Timers that fire only when a test advances time. Due timers fire in the order of their
// due time, then of their creation; the clock is moved to each firing time first.
class ManualTimerHost : public ITimerHost {
public:
    explicit ManualTimerHost(ManualClock& clock) : m_clock(clock) {}
    ~ManualTimerHost() override;
    std::unique_ptr<ITimer> CreateTimer(std::function<void()> onTimeout) override;

    // Moves time forward by ms, firing every timer that falls due on the way.
    void Advance(uint32_t ms);
    // Number of timers that exist and are active.
    int ActiveCount() const;

    struct State;

private:
    friend class ManualTimer;
    ManualClock& m_clock;
    uint64_t m_now = 0;
    uint64_t m_serial = 0;
    std::vector<std::shared_ptr<State>> m_timers;
};

}  // namespace plat
