#pragma once
#include <cstdint>

// A millisecond time-out on the program's clock; survives the wrap of the 32-bit counter.
class cmcTick {
public:
    cmcTick() = default;

    void Start(uint32_t ms);
    // Milliseconds left; 0 when not running. Once the time is up it stops running and
    // keeps answering 0 until the next Start.
    uint32_t Remaining();
    bool IsRunning() const { return m_running; }
    // Milliseconds since Start (wrap-safe).
    uint32_t Elapsed() const;
    // The clock's resolution in milliseconds.
    uint32_t Resolution() const { return 1; }

private:
    uint32_t m_duration = 0;
    uint32_t m_start = 0;
    bool m_running = false;
};
