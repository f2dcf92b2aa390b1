#pragma once
#include <cstdint>

#include "cells/cmcCellCapsule.h"

// One digit 0..15 shown as "0".."9", "A".."F"; "F" can be refused (where 15 means none).
class DigitCodec {
public:
    bool fAllowed = false;

    int Run(cmcCellCapsule& capsule, int32_t* value, int& repaint, int& opened) const;
    int RunByte(cmcCellCapsule& capsule, uint8_t* value, int& repaint, int& opened) const;

    // The digit value of a typed character, or -1 when this codec does not take it.
    int DigitOf(char c) const;
};
