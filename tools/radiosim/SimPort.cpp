#include "SimPort.h"

#include <algorithm>
#include <utility>

bool SimPort::DoOpen(const std::string& settings)
{
    if (m_open || !available || m_sim.Disconnected())
        return false;
    m_open = true;
    m_writeError = false;
    ++opens;
    sessions.push_back({settings, {}});
    m_input.insert(m_input.end(), garbageOnOpen.begin(), garbageOnOpen.end());
    return true;
}

bool SimPort::Open(int, const std::string& settings)
{
    return DoOpen(settings);
}

bool SimPort::OpenDevice(const std::string&, const std::string& settings)
{
    return DoOpen(settings);
}

void SimPort::Close()
{
    // What was on its way is lost with the line.
    m_delayed.clear();
    if (m_open)
        ++closes;
    m_open = false;
    m_writeError = false;
}

int SimPort::Send(const void* bytes, int32_t length)
{
    if (!m_open)
        return -1;
    if (m_sim.Disconnected()) {
        m_writeError = true;
        return 0;
    }
    const auto* b = static_cast<const uint8_t*>(bytes);
    sessions.back().sent.insert(sessions.back().sent.end(), b, b + length);
    std::vector<uint8_t> out;
    m_sim.Receive(b, static_cast<size_t>(length), out);
    if (m_sim.config().answerDelayMs > 0 && !out.empty()) {
        Delayed d;
        d.due.Start(static_cast<uint32_t>(m_sim.config().answerDelayMs));
        d.bytes = std::move(out);
        m_delayed.push_back(std::move(d));
    } else {
        m_input.insert(m_input.end(), out.begin(), out.end());
    }
    return 0;
}

void SimPort::Arrive()
{
    while (!m_delayed.empty() && m_delayed.front().due.Remaining() == 0) {
        m_input.insert(m_input.end(), m_delayed.front().bytes.begin(),
                       m_delayed.front().bytes.end());
        m_delayed.pop_front();
    }
}

int32_t SimPort::Read(void* buffer, int32_t length)
{
    Arrive();
    if (!m_open || length <= 0)
        return 0;
    const int32_t n = std::min<int32_t>(length, static_cast<int32_t>(m_input.size()));
    std::copy_n(m_input.begin(), n, static_cast<uint8_t*>(buffer));
    m_input.erase(m_input.begin(), m_input.begin() + n);
    return n;
}
