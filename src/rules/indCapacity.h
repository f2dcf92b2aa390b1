#pragma once
#include <cstdint>

#include "model/indMemMap.h"

// Whether more records fit into the radio's EEPROM once the working area is packed: memory
// channels take 14 bytes each and MDC aliases 12, and the packed data must end below 077F.
class indCapacity {
public:
    // kind: a memory channel kind (1 to 4) or the MDC alias kind 20.
    static bool Fits(indMemMap::ConstImage image, int32_t kind, int32_t n);
    // The largest m from n downwards that fits (0 when none does).
    static int32_t LargestFit(indMemMap::ConstImage image, int32_t kind, int32_t n);
};
