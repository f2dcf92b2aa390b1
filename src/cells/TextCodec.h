#pragma once
#include <cstdint>

#include "cells/cmcCellCapsule.h"

// A fixed-length text of printable characters (comments, passwords). Typed text is cut to
// the length in bytes, never inside a double-byte character; every byte that is not
// printable becomes the fill byte.
class TextCodec {
public:
    static constexpr int kSpaceFilled = 0;
    static constexpr int kZeroFilled = 1;  // spaces become 0 as well
    static constexpr int kZeroFilledLower = 2;
    static constexpr int kZeroFilledKeepSpaces = 3;

    int length = 16;
    int variant = kSpaceFilled;

    // The stored bytes are cleaned on every request (see above).
    int Run(cmcCellCapsule& capsule, uint8_t* value, int& repaint, int& opened) const;
};
