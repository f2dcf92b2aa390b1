#include "PtyLine.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <vector>

PtyLine::~PtyLine()
{
    if (m_master >= 0)
        close(m_master);
}

bool PtyLine::Open()
{
    m_master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_master < 0)
        return false;
    if (grantpt(m_master) != 0 || unlockpt(m_master) != 0 || !ptsname(m_master))
        return false;
    m_path = ptsname(m_master);
    return true;
}

void PtyLine::Detach()
{
    if (m_master >= 0)
        close(m_master);
    m_master = -1;
}

int64_t PtyLine::NowUs() const
{
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

int64_t PtyLine::ByteUs() const
{
    return m_pace ? 10'000'000 / std::max(m_sim.Baud(), 1) : 0;
}

void PtyLine::Pump(int waitMs)
{
    if (m_master < 0)
        return;
    const int64_t now = NowUs();
    // Deliver what has crossed the line to the radio; queue its answers behind each other.
    std::vector<uint8_t> answer;
    while (!m_in.empty() && m_in.front().at <= now) {
        const uint8_t b = m_in.front().byte;
        m_in.pop_front();
        answer.clear();
        const int before = m_sim.writesCompleted;
        m_sim.Receive(&b, 1, answer);
        // The radio thinks before it answers.
        const int64_t ready = now + int64_t{m_sim.config().answerDelayMs} * 1000;
        for (uint8_t a : answer) {
            m_outFree = std::max(m_outFree, ready) + ByteUs();
            m_out.push_back({a, m_outFree});
        }
        if (m_sim.writesCompleted != before && onWrite)
            onWrite();
    }
    if (m_sim.Disconnected()) {
        close(m_master);
        m_master = -1;
        return;
    }
    // Hand over what has arrived at the program's end.
    std::vector<uint8_t> ready;
    for (const Timed& t : m_out) {
        if (t.at > now)
            break;
        ready.push_back(t.byte);
    }
    if (!ready.empty()) {
        const ssize_t w = write(m_master, ready.data(), ready.size());
        if (w > 0)
            m_out.erase(m_out.begin(), m_out.begin() + w);
    }
    // Wait for input or for the next byte due, whichever comes first.
    int64_t due = now + int64_t{waitMs} * 1000;
    if (!m_in.empty())
        due = std::min(due, m_in.front().at);
    if (!m_out.empty())
        due = std::min(due, m_out.front().at);
    const int timeout = static_cast<int>(std::max<int64_t>(0, (due - now + 999) / 1000));
    pollfd pfd{m_master, POLLIN, 0};
    const int r = poll(&pfd, 1, timeout);
    if (r > 0 && (pfd.revents & POLLIN)) {
        uint8_t buf[4096];
        const ssize_t n = read(m_master, buf, sizeof buf);
        const int64_t at = NowUs();
        for (ssize_t i = 0; i < n; ++i) {
            m_inFree = std::max(m_inFree, at) + ByteUs();
            m_in.push_back({buf[i], m_pace ? m_inFree : at});
        }
    } else if (r > 0) {
        // No program has the device open: nothing to read until one does.
        const timespec pause{0, 1000000};
        nanosleep(&pause, nullptr);
    }
}

void PtyLine::Run(const std::function<bool()>& keepGoing)
{
    while (keepGoing() && m_master >= 0)
        Pump(20);
}
