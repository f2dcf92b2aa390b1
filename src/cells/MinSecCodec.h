#pragma once
#include <cstdint>

#include "cells/cmcCellCapsule.h"

// A time counted in steps of stepSeconds, shown and typed as minutes and seconds
// ("%2d:%02d"), limited to minSeconds..maxSeconds.
class MinSecCodec {
public:
    int32_t minSeconds = 0;
    int32_t maxSeconds = 3570;
    int32_t stepSeconds = 30;

    int Run(cmcCellCapsule& capsule, int32_t* value, int& repaint, int& opened) const;
};
