#pragma once
#include <sys/types.h>

#include <string>
#include <vector>

#include "PtyLine.h"
#include "RadioSim.h"

// The simulated radio in a child process, as the radiosim program runs it, for tests and
// benchmarks that drive the real serial port. Its EEPROM is saved to a clone file after
// every completed write.
class SimProcess {
public:
    // eeprom, when given, is what the radio holds at the start (else its default content).
    SimProcess(const RadioSim::Config& config, bool pace, const std::string& file,
               const std::vector<uint8_t>& eeprom = {});
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    bool ok() const { return m_child > 0; }
    const std::string& path() const { return m_path; }
    // Ends the child (the device goes away with it).
    void Stop();
    // The EEPROM saved after the last completed write; empty when none completed.
    std::vector<uint8_t> Written() const;

private:
    RadioSim m_sim;
    PtyLine m_line;
    std::string m_path;
    std::string m_file;
    pid_t m_child = -1;
};
