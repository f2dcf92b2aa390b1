#pragma once
#include <cstdint>

#include "cells/cmcCellCapsule.h"

// The "ABC" code numbers of the 2-tone and 5-tone receive lists: 0 to 32. The selection list
// names the values that are not numbers, and one of its items (value 1) stands for "a code
// number", which is then picked from the number list.
class CodeNumberCodec {
public:
    static constexpr const char* kSelList = "GI_Sheet_Sel_RxC_AbcSel";
    static constexpr const char* kCodeList = "GI_Sheet_Sel_RxC_AbcCode";
    static constexpr int32_t kSelId = 1;   // Flex0
    static constexpr int32_t kCodeId = 2;  // Flex1
    static constexpr int32_t kMax = 32;

    int Run(cmcCellCapsule& capsule, int32_t* value, int& repaint, int& opened) const;
};
