// The clone driver fed arbitrary radio bytes: every operation must end, through exactly
// one callback, with the port closed, whatever the radio sends.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <vector>

#include "link/IPort.h"
#include "link/cmcCloneDrv.h"
#include "platform/IClock.h"
#include "platform/ITimerHost.h"
#include "platform/Services.h"

namespace {

// The radio: answers every piece the program sends with the next bytes of the input.
class FuzzPort : public IPort {
public:
    FuzzPort(const uint8_t* data, size_t size, size_t chunk)
        : m_data(data), m_size(size), m_chunk(chunk)
    {
    }
    bool Open(int, const std::string&) override { return Opened(); }
    bool OpenDevice(const std::string&, const std::string&) override { return Opened(); }
    void Close() override { m_open = false; }
    bool IsOpen() const override { return m_open; }
    int Send(const void*, int32_t) override
    {
        if (!m_open)
            return -1;
        for (size_t i = 0; i < m_chunk && m_at < m_size; ++i)
            m_in.push_back(m_data[m_at++]);
        return 0;
    }
    int32_t Read(void* buffer, int32_t length) override
    {
        if (!m_open)
            return 0;
        int32_t n = 0;
        auto* out = static_cast<uint8_t*>(buffer);
        while (n < length && !m_in.empty()) {
            out[n++] = m_in.front();
            m_in.pop_front();
        }
        // A talkative radio: more of the input arrives on its own.
        for (size_t i = 0; i < m_chunk && m_at < m_size; ++i)
            m_in.push_back(m_data[m_at++]);
        return n;
    }
    void PurgeInput() override { m_in.clear(); }
    int32_t InputCount() const override { return static_cast<int32_t>(m_in.size()); }
    int32_t PendingCount() const override { return 0; }
    void SetRtsMode(int) override {}
    bool WriteError() const override { return false; }

private:
    bool Opened()
    {
        if (m_open)
            return false;
        m_open = true;
        return true;
    }
    const uint8_t* m_data;
    size_t m_size;
    size_t m_chunk;
    size_t m_at = 0;
    std::deque<uint8_t> m_in;
    bool m_open = false;
};

int g_calls = 0;
void Count(void*, dst_CDrv_Result* r)
{
    ++g_calls;
    if (r->result < 0 || r->result > 17)
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const int operation = data[0] % 3 + 1;
    const bool echo = (data[0] & 0x04) != 0;
    const size_t chunk = data[1] % 64 + 1;
    data += 2;
    size -= 2;

    plat::ManualClock clock;
    plat::ManualTimerHost timers(clock);
    plat::Get().clock = &clock;
    plat::Get().timers = &timers;
    {
        FuzzPort port(data, size, chunk);
        cmcCloneDrv drv(&port);
        drv.SetWaiter([&](uint32_t ms) { clock.Advance(ms); });
        drv.SetImageSize(0x1D00);
        drv.SetEchoDetection(echo);
        drv.SetWaitReady(true);
        drv.SetPageSize(128);
        drv.SetScript("(38400,N,8,1)FEFE EEEF E8 00000000 01 3237 FD(9600,N,8,1)");
        cmcEeprom image;
        image.SetSize(0x1D00);
        const int32_t ranges[] = {0x0000, 0x01FF, 0x0700, 0x077F, 1, 0};
        g_calls = 0;
        bool started = false;
        if (operation == 1)
            started = drv.StartInfo(&Count, nullptr);
        else if (operation == 2)
            started = drv.StartRead(ranges, &Count, nullptr);
        else
            started = drv.StartWrite(image, ranges, &Count, nullptr);
        if (!started)
            __builtin_trap();
        // Every state times out within seconds; ten minutes of silence would be a hang.
        for (int t = 0; t < 60000 && drv.IsBusy(); ++t)
            timers.Advance(10);
        if (drv.IsBusy() || g_calls != 1 || port.IsOpen())
            __builtin_trap();
    }
    plat::Get().clock = nullptr;
    plat::Get().timers = nullptr;
    return 0;
}
