#pragma once
#include <cstdint>

#include "cells/cmcCellCapsule.h"

// One user-defined character of the segment display: a 16-bit segment pattern stored as
// two bytes, high byte first. It is drawn as a glyph and edited in the character editor.
class UserCharCodec {
public:
    int Run(cmcCellCapsule& capsule, uint8_t* value, int& repaint, int& opened) const;
};
