#pragma once
#include <cstdint>

// Four-digit packed BCD numbers of the call lists.

// The four digits of two bytes, high nibble first; 65535 when any nibble is above 9.
int32_t datBcdDecode(const uint8_t* bytes);
// Fills length bytes with FF, then writes the four lowest decimal digits of the number into
// the first two bytes (a negative number writes 0000). Writes nothing beyond length.
void datBcdEncode(int32_t number, uint8_t* buffer, int32_t length);
