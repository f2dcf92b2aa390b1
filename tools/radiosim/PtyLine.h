#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <string>

#include "RadioSim.h"

// The simulated radio on a pseudo-terminal: the program opens the slave device; the line
// moves bytes between it and the radio, and when pacing is on it lets each byte take the
// time it needs on a serial line (10 bits at the radio's current speed) in each direction.
class PtyLine {
public:
    PtyLine(RadioSim& sim, bool pace) : m_sim(sim), m_pace(pace) {}
    ~PtyLine();
    PtyLine(const PtyLine&) = delete;
    PtyLine& operator=(const PtyLine&) = delete;

    // Creates the pseudo-terminal; false on failure.
    bool Open();
    // The device the program is to open.
    const std::string& DevicePath() const { return m_path; }
    // Moves bytes for at most waitMs milliseconds.
    void Pump(int waitMs);
    // Closes this process's hold on the line (a parent that left the radio to a child).
    void Detach();
    // Pumps until keepGoing answers false.
    void Run(const std::function<bool()>& keepGoing);
    // Called after each completed clone write (to save the EEPROM).
    std::function<void()> onWrite;

private:
    int64_t NowUs() const;
    int64_t ByteUs() const;

    RadioSim& m_sim;
    bool m_pace;
    int m_master = -1;
    std::string m_path;
    struct Timed {
        uint8_t byte;
        int64_t at;  // when it has crossed the line, in microseconds
    };
    std::deque<Timed> m_in;   // from the program, on its way to the radio
    std::deque<Timed> m_out;  // from the radio, on its way to the program
    int64_t m_inFree = 0;     // when the line towards the radio is free again
    int64_t m_outFree = 0;
    int m_writes = 0;
};
