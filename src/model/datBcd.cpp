#include "model/datBcd.h"

int32_t datBcdDecode(const uint8_t* bytes)
{
    int32_t value = 0;
    for (int k = 0; k < 4; ++k) {
        int nibble = (k % 2 == 0) ? bytes[k / 2] >> 4 : bytes[k / 2] & 0x0F;
        if (nibble > 9)
            return 65535;
        value = value * 10 + nibble;
    }
    return value;
}

void datBcdEncode(int32_t number, uint8_t* buffer, int32_t length)
{
    for (int32_t i = 0; i < length; ++i)
        buffer[i] = 0xFF;
    int32_t n = number < 0 ? 0 : number % 10000;
    uint8_t digits[2] = {static_cast<uint8_t>(((n / 1000) << 4) | (n / 100 % 10)),
                         static_cast<uint8_t>(((n / 10 % 10) << 4) | (n % 10))};
    for (int32_t i = 0; i < length && i < 2; ++i)
        buffer[i] = digits[i];
}
