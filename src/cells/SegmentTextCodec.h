#pragma once
#include <cstdint>

#include "cells/cmcCellCapsule.h"

// A fixed-length text of the radio's segment display (channel and list names, opening
// texts). The user types it in the escaped form of SegmentText.h; it is edited in the
// segment text window and drawn as segment glyphs.
class SegmentTextCodec {
public:
    int length = 8;
    const uint8_t* userChars = nullptr;  // the 16 user character patterns, big-endian pairs
    bool zeroFill = false;               // fill with 0 rather than spaces

    int Run(cmcCellCapsule& capsule, uint8_t* value, int& repaint, int& opened) const;
};
