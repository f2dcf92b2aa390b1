#pragma once
#include <cstdint>

#include "cells/cmcCellCapsule.h"

class datCh;

// The receive or transmit frequency of a memory channel, shown and typed in megahertz. A
// typed frequency is completed to the channel grid (a multiple of 2500 or 3125 Hz); a
// receive frequency typed on a channel not in use brings the channel into use with the same
// transmit frequency.
class FrequencyCodec {
public:
    bool receive = true;

    int Run(cmcCellCapsule& capsule, datCh* channel, int& repaint, int& opened) const;

    // The first grid frequency that the typed digits can begin, or 0 when there is none.
    // The grid is 2500 / 3125 Hz in steps of 625 Hz, or the 5000 / 6250 Hz variant in steps
    // of 1250 Hz.
    static uint32_t CompleteToGrid(uint32_t f, bool wideGrid = false);
    // "%d.%06d" megahertz.
    static std::string Text(uint32_t hertz);
};
