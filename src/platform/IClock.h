#pragma once
#include <cstdint>

namespace plat {

// Millisecond clock. The value wraps at 32 bits, as the time-outs expect.
class IClock {
public:
    virtual ~IClock() = default;
    virtual uint32_t Milliseconds() = 0;
};

// The real clock of the running program.
class SteadyClock : public IClock {
public:
    uint32_t Milliseconds() override;
};

// A clock that only moves when a test moves it.
class ManualClock : public IClock {
public:
    uint32_t Milliseconds() override { return m_now; }
    void Set(uint32_t ms) { m_now = ms; }
    void Advance(uint32_t ms) { m_now += ms; }

private:
    uint32_t m_now = 0;
};

}  // namespace plat
