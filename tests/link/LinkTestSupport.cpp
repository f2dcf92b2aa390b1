#include "LinkTestSupport.h"

#include <algorithm>

namespace linktest {

OverlayInstalled::OverlayInstalled()
{
    m_store.Open(std::string(QV_BIN_DIR) + "/TM5150QE.OVL");
    m_global.Set(&m_store);
}

OverlayInstalled::~OverlayInstalled() = default;

bool RunManual(const std::function<bool()>& done, uint32_t limitMs)
{
    for (uint32_t t = 0; t < limitMs; t += 10) {
        if (done())
            return true;
        qvtest::Services().timers.Advance(10);
    }
    return done();
}

std::function<void(uint32_t)> ManualWaiter()
{
    return [](uint32_t ms) { qvtest::Services().clock.Advance(ms); };
}

bool ScriptedPort::DoOpen(const std::string& settings)
{
    if (open || !canOpen)
        return false;
    open = true;
    openings.push_back(settings);
    return true;
}

int ScriptedPort::Send(const void* bytes, int32_t length)
{
    if (!open)
        return -1;
    const auto* b = static_cast<const uint8_t*>(bytes);
    std::vector<uint8_t> piece(b, b + length);
    sent.insert(sent.end(), piece.begin(), piece.end());
    if (onSend)
        onSend(piece);
    return 0;
}

int32_t ScriptedPort::Read(void* buffer, int32_t length)
{
    if (!open || length <= 0)
        return 0;
    const int32_t n = std::min<int32_t>(length, static_cast<int32_t>(input.size()));
    std::copy_n(input.begin(), n, static_cast<uint8_t*>(buffer));
    input.erase(input.begin(), input.begin() + n);
    return n;
}

long Find(const std::vector<uint8_t>& hay, const std::vector<uint8_t>& needle, size_t from)
{
    if (from > hay.size())
        return -1;
    auto it =
        std::search(hay.begin() + static_cast<long>(from), hay.end(), needle.begin(), needle.end());
    return it == hay.end() ? -1 : static_cast<long>(it - hay.begin());
}

}  // namespace linktest
