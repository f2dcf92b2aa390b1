#include "model/datDaloAdr.h"

namespace {
constexpr int32_t kBoundary = indMemMap::kDaloBoundary;
}

datDaloAdr::datDaloAdr(indMemMap::Image image) : m_image(image)
{
    Refresh();
}

void datDaloAdr::Refresh()
{
    m_boundary = indMemMap::IsWhole(m_image) ? indMemMap::Get16(m_image, kBoundary) : 0;
    Compute();
}

void datDaloAdr::SetBoundary(int32_t value)
{
    if (value < 0)
        value = 0;
    if (value > kMaxAddress)
        value = kMaxAddress;
    if (indMemMap::IsWhole(m_image))
        indMemMap::Put16(m_image, kBoundary, value);
    m_boundary = value;
    Compute();
}

void datDaloAdr::Compute()
{
    const int32_t b = m_boundary;
    const int32_t top = kMaxAddress;
    const int32_t fixed[7][2] = {{0, 0},   {0, top},   {b, top},  {top, top},
                                 {0, top}, {0, b - 1}, {0, b - 1}};
    int n = 0;
    for (const auto& r : fixed) {
        m_low[n] = r[0];
        m_high[n++] = r[1];
    }
    for (int k = 0; k < 7; ++k) {
        m_low[n] = b;
        m_high[n++] = top;
    }
    while (n < kRanges) {
        m_low[n] = 0;
        m_high[n++] = top;
    }
}

int32_t datDaloAdr::Lowest(int32_t n) const
{
    return n >= 0 && n < kRanges ? m_low[n] : 1;
}

int32_t datDaloAdr::Highest(int32_t n) const
{
    return n >= 0 && n < kRanges ? m_high[n] : 0;
}
