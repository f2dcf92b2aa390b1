#pragma once
#include <cstdint>

#include "cells/cmcCellCapsule.h"

// A whole number shown filled on the left with zeros to a width (4-digit addresses
// "0000" to "4095"). A typed number outside min..max is refused; space and backspace add
// or subtract 1, wrapping.
class PaddedIntCodec {
public:
    int width = 4;
    int32_t min = 0;
    int32_t max = 0;
    bool noFill = false;

    int Run(cmcCellCapsule& capsule, int32_t* value, int& repaint, int& opened) const;
};
