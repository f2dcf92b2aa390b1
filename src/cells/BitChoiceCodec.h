#pragma once
#include <cstdint>

#include "cells/cmcCellCapsule.h"

// One bit of a bit array (bit 0 = most significant bit of the first byte) offered as the
// choice list "GI_Sheet_Sel_UserSetEnable" (0 and 1).
class BitChoiceCodec {
public:
    int bitNumber = 0;

    // A bit number beyond the byteCount bytes is ignored.
    int Run(cmcCellCapsule& capsule, uint8_t* bytes, int byteCount, int& repaint,
            int& opened) const;
};
