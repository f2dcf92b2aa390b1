#pragma once
#include <cstdint>

#include "cells/cmcCellCapsule.h"

// A 5-tone code of up to 8 digits packed two per byte in 4 bytes (the first digit in the
// high nibble; digit 15 ends the code), with a byte of group marks (bit 7 for the first
// digit, bit 6 for the second, ...). A group mark is typed and shown as "+" (receive codes
// only); the list's repeat-tone digit is typed as "*" or "G" and shown as "*".
class FiveToneCodeCodec {
public:
    static constexpr int kDigits = 8;

    bool receive = true;  // receive codes allow group marks
    int repeatDigit = 14;

    int Run(cmcCellCapsule& capsule, uint8_t* code, uint8_t* groupMarks, int& repaint,
            int& opened) const;
};
