#include "model/CheckImageIdentity.h"

#include <cstring>

#include "common/cmcEeprom.h"
#include "model/indMemMap.h"

namespace {

using indMemMap::Get16;
using indMemMap::kDataBase;
using indMemMap::kEepromSize;
using indMemMap::kTrailer;
using indMemMap::kTrailerLength;

}  // namespace

indIdentity CheckImageIdentity(const cmcEeprom& image, bool full)
{
    if (image.GetSize() < kEepromSize) {
        return indIdentity::Rejected;
    }
    const indMemMap::ConstImage p = image;
    if (Get16(p, indMemMap::kModelCode) != 0x3285 || p[indMemMap::kFixedOne] != 1 ||
        p[indMemMap::kHeaderFlag] > 1) {
        return indIdentity::Rejected;
    }
    if (!full) {
        return indIdentity::Accepted;
    }
    if (std::memcmp(p.data() + indMemMap::kMaker, kTrailer, kTrailerLength) != 0) {
        return indIdentity::Rejected;
    }
    const int model = Get16(p, indMemMap::kModelCode2);
    if (model != 0x3285 && model != 0x3179) {
        return indIdentity::Rejected;
    }
    // The trailer lies just before the end of the packed data; a damaged end or base
    // address must not send the test outside the EEPROM area.
    const int trailer = kDataBase + Get16(p, indMemMap::kDataEnd) -
                        Get16(p, indMemMap::kDataStart) - kTrailerLength;
    if (trailer < 0 || trailer + kTrailerLength > kEepromSize) {
        return indIdentity::Rejected;
    }
    return std::memcmp(p.data() + trailer, kTrailer, kTrailerLength) != 0 ? indIdentity::Rejected
                                                                          : indIdentity::Accepted;
}
