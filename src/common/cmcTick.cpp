#include "common/cmcTick.h"

#include "platform/Fatal.h"
#include "platform/IClock.h"
#include "platform/Services.h"

namespace {
uint32_t Now()
{
    plat::IClock* clock = plat::Get().clock;
    if (!clock)
        plat::FatalError("No clock service is installed.");
    return clock->Milliseconds();
}
}  // namespace

void cmcTick::Start(uint32_t ms)
{
    m_duration = ms;
    m_start = Now();
    m_running = true;
}

uint32_t cmcTick::Elapsed() const
{
    // Unsigned subtraction gives the right span across the counter's wrap.
    return Now() - m_start;
}

uint32_t cmcTick::Remaining()
{
    if (!m_running)
        return 0;
    const uint32_t elapsed = Elapsed();
    if (elapsed < m_duration)
        return m_duration - elapsed;
    m_running = false;
    return 0;
}
