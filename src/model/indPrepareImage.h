#pragma once
#include <cstdint>

#include "model/indMemMap.h"

class datCh;

// The repairs an image gets against the reference image of its model type: after every
// load (purpose 0), before saving (1) and before a clone write (2). Identity fields are
// forced to the reference, inconsistent settings reset, first-channel indices recomputed and
// the bits the editors cannot touch taken from the reference. Unpacking before and packing
// after are the caller's (the document's), as are the flags it keeps.
class indPrepareImage {
public:
    // Every repair, in order; the newer-data byte is the caller's.
    static void Repair(indMemMap::Image image, indMemMap::ConstImage reference, int modelType,
                       int purpose);

    // The eleven elements of block 17 (records of kind 9 or 12, indexes 0 to 10).
    static constexpr int kBlock17Records = 11;
    // The block-17 record kind of a model type: 9 for the PMR types, 12 for the others.
    static int32_t Block17Kind(int modelType);
    // A two-tone decode record (kind 12, index 1 on): the two tone frequencies in tenths of
    // hertz are the 16-bit values at bytes 0 and 2; the four limits of their decode windows
    // lie in part 1: upper and lower limit of the first tone, then of the second, each
    // 1.02 and 0.98 times the frequency, rounded half up.
    static void SetDecodeWindow(datCh& record);
    static int32_t UpperLimit(int32_t tenthsHz) { return (tenthsHz * 102 + 50) / 100; }
    static int32_t LowerLimit(int32_t tenthsHz) { return (tenthsHz * 98 + 50) / 100; }
};
