#pragma once
#include <cstdint>

#include "cells/cmcCellCapsule.h"

// A row of hexadecimal (or decimal) digits: sync words, self IDs, passwords. The digits are
// stored one per element, or packed into the nibbles of one number with the first digit
// highest. Typed text is filled on the left with zeros; text without a single valid digit
// leaves the value as it was.
class HexDigitsCodec {
public:
    int digitCount = 4;
    bool lettersAllowed = true;  // "A".."F" as digits

    // digits holds digitCount values 0..15.
    int Run(cmcCellCapsule& capsule, uint8_t* digits, int& repaint, int& opened) const;
    // value holds the digits in its lowest digitCount nibbles (at most 8).
    int RunPacked(cmcCellCapsule& capsule, int32_t* value, int& repaint, int& opened) const;

private:
    int RunDigits(cmcCellCapsule& capsule, int n, uint8_t* digits, int& opened) const;
};
