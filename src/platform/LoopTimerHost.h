#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/ITimerHost.h"

namespace plat {

// Timers on the real clock without a toolkit: a loop that the caller runs fires them when
// they fall due and sleeps in between. For the command line, the link tests against the
// simulated radio and the benchmarks.
class LoopTimerHost : public ITimerHost {
public:
    LoopTimerHost();
    ~LoopTimerHost() override;
    std::unique_ptr<ITimer> CreateTimer(std::function<void()> onTimeout) override;

    // Fires due timers until done answers true or limitMs have passed; true when done.
    bool RunUntil(const std::function<bool()>& done, uint32_t limitMs);

    struct State;

private:
    friend class LoopTimer;
    std::vector<std::shared_ptr<State>> m_timers;
    uint64_t m_serial = 0;
};

}  // namespace plat
