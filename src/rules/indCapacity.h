#pragma once
#include <cstdint>

// Whether more records fit into the radio's EEPROM once the working area is packed: memory
// channels take 14 bytes each and MDC aliases 12, and the packed data must end below 077F.
class indCapacity {
public:
    // kind: a memory channel kind (1 to 4) or the MDC alias kind 20.
    static bool Fits(const uint8_t* image, int32_t kind, int32_t n);
    // The largest m from n downwards that fits (0 when none does).
    static int32_t LargestFit(const uint8_t* image, int32_t kind, int32_t n);
};
