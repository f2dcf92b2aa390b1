#pragma once
#include <cstdint>
#include <string>

#include "cells/cmcCellCapsule.h"
#include "cells/cmcCellIds.h"

// A choice from list A one of whose items (the last one, with index L) stands for a number
// chosen from list B, up to B's highest index H. Values L..H show as numbers, others by
// their name in list A. Picking the number item opens list B.
class NumberedChoiceCodec {
public:
    std::string listA{};
    std::string listB{};
    int32_t idA = Flex0;
    int32_t idB = Flex1;
    bool offAllowed = false;  // a typed "off" or 0 stores 0

    int Run(cmcCellCapsule& capsule, int32_t* value, int& repaint, int& opened) const;

    // The bounds, read from the overlay on every request: L is the index of the first
    // identifier-A cell of the last line of A that has one; H the highest identifier-B
    // index met going down B (the first cell of a line above the highest so far).
    int32_t LowBound() const;
    int32_t HighBound() const;
};
