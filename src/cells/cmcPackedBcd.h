#pragma once
#include <cstdint>

#include "common/cmcBuff.h"

// Collects digit values (0 to 15), one per element, and writes them into a byte array as
// nibbles: digit i into nibble i (the high nibble of byte i / 2 for even i), leaving the
// other nibble of each byte as it was. The DTMF and 5-tone codecs build codes with it.
class cmcPackedBcd : public cmcBuff {
public:
    void AddDigit(int value) { AppendByte(static_cast<uint8_t>(value & 0x0F)); }
    int32_t Count() const { return Size(); }
    int Digit(int32_t i) const { return i >= 0 && i < Size() ? Data()[i] : 0; }
    // Writes the digits into nibbles 0 .. Count() - 1 of bytes.
    void WriteTo(uint8_t* bytes) const;
};
