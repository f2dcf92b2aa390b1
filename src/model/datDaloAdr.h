#pragma once
#include <cstdint>

#include "model/indMemMap.h"

// Address ranges of the digital addressing, derived from one stored boundary value: the
// individual addresses are 0 to boundary - 1, the group addresses boundary to 4095.
class datDaloAdr {
public:
    static constexpr int32_t kRanges = 46;
    static constexpr int32_t kMaxAddress = 4095;

    // Reads the boundary from the image and computes the ranges. An image shorter than
    // indMemMap::kImageSize reads as boundary 0 and is not written.
    explicit datDaloAdr(indMemMap::Image image);

    int32_t GetBoundary() const { return m_boundary; }
    // Limits the value to 0 to 4095, writes it to the image and recomputes the ranges.
    void SetBoundary(int32_t value);
    // Reads the boundary from the image again.
    void Refresh();

    // Range n (0 to kRanges - 1); an empty range (1, 0) for any other n.
    int32_t Lowest(int32_t n) const;
    int32_t Highest(int32_t n) const;
    bool InRange(int32_t n, int32_t address) const
    {
        return address >= Lowest(n) && address <= Highest(n);
    }

private:
    void Compute();

    indMemMap::Image m_image;
    int32_t m_boundary = 0;
    int32_t m_low[kRanges] = {};
    int32_t m_high[kRanges] = {};
};
