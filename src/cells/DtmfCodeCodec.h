#pragma once
#include <cstdint>

#include "cells/cmcCellCapsule.h"

// A DTMF code of up to maxDigits digits, packed two per byte (the first digit in the high
// nibble), with its digit count byte. Digits 10 to 13 are shown as A to D, 14 as "*" and
// 15 as "#".
class DtmfCodeCodec {
public:
    int maxDigits = 16;

    int Run(cmcCellCapsule& capsule, uint8_t* digits, uint8_t* count, int& repaint,
            int& opened) const;
};
