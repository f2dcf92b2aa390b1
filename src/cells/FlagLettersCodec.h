#pragma once
#include <cstdint>
#include <string>

#include "cells/cmcCellCapsule.h"

// The attribute flags of a channel as letters: "A" (bit 0), "B" (bit 1), "E" (bit 2 set
// and bit 3 clear). They are changed by the choices of a list (identifier Flex0): 1 sets
// bit 0, 2 sets bit 1, 3 sets bit 2 and clears bit 3, 4 does the opposite, 5 toggles
// bit 4. A change tells the tree to refresh its bank icons.
class FlagLettersCodec {
public:
    std::string listName{};

    int Run(cmcCellCapsule& capsule, uint8_t* value, int& repaint, int& opened) const;

    static std::string Letters(uint8_t flags);
};
