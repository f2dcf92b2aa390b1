#pragma once
#include <cstdint>
#include <string>

#include "cells/cmcCellCapsule.h"

// A real number stored as a whole number of units of 10^-storedDecimals and shown with
// shownDecimals places ("%3d.%02d" and the like). Typed text is limited to min..max and
// taken to a multiple of step (in stored units, toward zero).
class FixedPointCodec {
public:
    int storedDecimals = 2;
    int shownDecimals = 2;  // 0 to 6
    double min = 0;
    double max = 0;
    int32_t step = 1;
    bool steppingAllowed = true;  // space and backspace add or subtract a step
    bool emptyEditor = false;     // Enter opens an empty editor

    int Run(cmcCellCapsule& capsule, int32_t* value, int& repaint, int& opened) const;

    // The bounds in stored units.
    int32_t Low() const;
    int32_t High() const;
    // The presentation of a stored value.
    std::string Display(int32_t value) const;
};
