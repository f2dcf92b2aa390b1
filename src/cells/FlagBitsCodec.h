#pragma once
#include <cstdint>
#include <string>

#include "cells/cmcCellCapsule.h"

// A set of on/off flags packed into a bit field of a number (scan membership, code number
// masks), shown as the labels of the set flags ("1_3_____"). The digit keys toggle single
// flags, space sets or clears all of them, backspace inverts them, Enter opens the
// flag-bits window. Only the field's own bits are ever changed.
//
// Positions firstBit..lastBit (w of them) are flags 0..w-1. For the window the value is
// shifted so that flag k is bit 25 - k: by 18 bits when w is at most 8 (flag k is then
// bit 7 - k of the value), else by 25 - w bits (flag k is bit w - k).
class FlagBitsCodec {
public:
    int firstBit = 1;
    int lastBit = 8;
    // The flag-bits window's list parameters.
    int labelKind = 0;
    int displayKind = 0;
    std::string entryName{};  // empty: the window's own sheet

    int Run(cmcCellCapsule& capsule, int32_t* value, int& repaint, int& opened) const;

    int Width() const;
    int Shift() const;
    // The field's bits in the shifted value and in the stored value.
    uint32_t ShiftedMask() const;
    uint32_t ValueMask() const;
};
