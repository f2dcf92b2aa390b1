#include "model/CheckImageIdentity.h"

#include <cstring>

#include "common/cmcEeprom.h"
#include "model/indBlockMap.h"

namespace {

int Get16(const uint8_t* p, int a)
{
    return (p[a] << 8) | p[a + 1];
}

}  // namespace

int CheckImageIdentity(const cmcEeprom& image, bool full)
{
    if (image.GetSize() < indBlockMap::kEepromSize) {
        return 1;
    }
    const uint8_t* p = image.Data();
    if (Get16(p, 0x0000) != 0x3285 || p[0x0002] != 1 || p[0x0108] > 1) {
        return 1;
    }
    if (!full) {
        return 0;
    }
    if (std::memcmp(p + 0x0100, indBlockMap::kTrailer, 8) != 0) {
        return 1;
    }
    const int model = Get16(p, 0x010A);
    if (model != 0x3285 && model != 0x3179) {
        return 1;
    }
    // The trailer lies just before the end of the packed data; a damaged end or base
    // address must not send the test outside the EEPROM area.
    const int trailer = indBlockMap::kDataBase + Get16(p, 0x0112) - Get16(p, 0x0114) - 8;
    if (trailer < 0 || trailer + 8 > indBlockMap::kEepromSize) {
        return 1;
    }
    return std::memcmp(p + trailer, indBlockMap::kTrailer, 8) != 0 ? 1 : 0;
}
