#pragma once
#include <cstdint>
#include <string>

#include "cells/cmcCellCapsule.h"

// A whole number shown as value + offset. Typed text is read as a decimal number, rounded,
// taken to the nearest multiple of step and limited to min..max; space and backspace add
// or subtract one step, wrapping at the ends (or stopping there with saturate).
class IntCodec {
public:
    int32_t min = 0;
    int32_t max = 0;
    int32_t offset = 0;
    int32_t step = 1;
    std::string fixedText{};  // shown instead of the number when not empty
    bool clamp = false;       // also limit a stored value that lies outside min..max
    bool saturate = false;

    int Run(cmcCellCapsule& capsule, int32_t* value, int& repaint, int& opened) const;
    // The value is the byte, read as signed when min is negative; saturate is off, and the
    // byte is written back only on a change.
    int RunByte(cmcCellCapsule& capsule, uint8_t* value, int& repaint, int& opened) const;

    // Helpers shared with AdjustCodec.
    // Reads typed text; false (value unchanged) when it holds no digit and no ".".
    static bool ReadTyped(const std::string& text, int32_t offset, int32_t step, int32_t min,
                          int32_t max, int32_t* value);
    // Limits the value to min..max; true when it was outside.
    static bool ClampValue(int32_t min, int32_t max, int32_t* value);
    static std::string Display(int32_t value, int32_t offset, const std::string& fixedText);
};
