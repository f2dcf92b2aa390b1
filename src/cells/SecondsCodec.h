#pragma once
#include <cstdint>
#include <string>

#include "cells/cmcCellCapsule.h"

// A time stored in units of 1/unitsPerSecond second and shown in seconds with three
// decimals ("%3d.%03d"), dropping up to zerosToStrip trailing zeros. Where the cell allows
// it, 0 is shown as the overlay's off text and a typed "off" stores 0.
class SecondsCodec {
public:
    int32_t unitsPerSecond = 10;
    int32_t min = 0;
    int32_t max = 255;
    bool offTextAllowed = false;
    int zerosToStrip = 0;

    int Run(cmcCellCapsule& capsule, int32_t* value, int& repaint, int& opened) const;
    // The value is the byte: the range is 0..255 and no zeros are stripped, whatever min,
    // max and zerosToStrip say. Written back only on a change.
    int RunByte(cmcCellCapsule& capsule, uint8_t* value, int& repaint, int& opened) const;

    // The presentation of a value while a key is handled (never the off text).
    std::string Seconds(int32_t value) const;
};
