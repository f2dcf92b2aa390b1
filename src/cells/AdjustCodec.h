#pragma once
#include <cstdint>
#include <string>

#include "cells/cmcCellCapsule.h"

// An adjustment value of the maker's alignment cells: typed and shown like IntCodec, and
// changed by the arrow keys at the sheet's edge by 1, or by 5 while Shift is held.
class AdjustCodec {
public:
    static constexpr int kEnterEditor = 0;
    static constexpr int kEnterPopup = 1;  // Enter is left to the adjustment window

    int32_t min = 0;
    int32_t max = 255;
    int32_t offset = 0;
    std::string fixedText{};
    bool clamp = false;
    bool shiftDown = false;  // the caller tells whether Shift is held
    int enterBehaviour = kEnterEditor;

    int Run(cmcCellCapsule& capsule, int32_t* value, int& repaint, int& opened) const;

    // The bar of the bar cells: "[" + 20 characters + "]", the first
    // (value - low) * 20 / (high - low) of them "#", the rest "-".
    static std::string Bar(int32_t value, int32_t low, int32_t high);
};
