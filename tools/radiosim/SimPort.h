#pragma once
#include <deque>
#include <string>
#include <vector>

#include "RadioSim.h"
#include "common/cmcTick.h"
#include "link/IPort.h"

// The simulated radio behind the port interface, without any device: what the program
// sends reaches the radio at once and its answer waits to be read. For fast tests on a
// manual clock; it records every opening and every byte for them.
class SimPort : public IPort {
public:
    explicit SimPort(RadioSim& sim) : m_sim(sim) {}

    bool Open(int portNumber, const std::string& settings) override;
    bool OpenDevice(const std::string& path, const std::string& settings) override;
    void Close() override;
    bool IsOpen() const override { return m_open; }
    int Send(const void* bytes, int32_t length) override;
    int32_t Read(void* buffer, int32_t length) override;
    void PurgeInput() override { m_input.clear(); }
    int32_t InputCount() const override { return static_cast<int32_t>(m_input.size()); }
    // Answers the radio delays (its answer delay) arrive once their time has come.
    int32_t PendingCount() const override { return 0; }
    void SetRtsMode(int mode) override { rtsMode = mode; }
    bool WriteError() const override { return m_writeError; }
    std::string OpenFailure() const override { return available ? "" : "No such device."; }

    // Bytes that wait at every opening, as a radio being switched on might send.
    std::vector<uint8_t> garbageOnOpen;
    bool available = true;  // false: every opening fails
    int rtsMode = 1;
    int opens = 0;
    int closes = 0;
    // Each opening's settings and the bytes sent while it was open.
    struct Session {
        std::string settings;
        std::vector<uint8_t> sent;
    };
    std::vector<Session> sessions;

private:
    bool DoOpen(const std::string& settings);

    void Arrive();

    RadioSim& m_sim;
    std::deque<uint8_t> m_input;
    struct Delayed {
        cmcTick due;
        std::vector<uint8_t> bytes;
    };
    std::deque<Delayed> m_delayed;
    bool m_open = false;
    bool m_writeError = false;
};
