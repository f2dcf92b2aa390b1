#include "rules/indCapacity.h"

#include <algorithm>
#include <vector>

#include "model/datChKinds.h"
#include "model/indBlockMap.h"

namespace {

constexpr int32_t kEepromEnd = indMemMap::kEepromSize - 1;

// How many more records of the kind fit after the packed data.
int32_t Room(indMemMap::ConstImage image, int32_t kind)
{
    if (!indMemMap::IsWhole(image))
        return 0;
    // Pack a copy: the working image itself is packed only when a command changed it.
    std::vector<uint8_t> copy(image.begin(), image.end());
    if (indBlockMap::Pack(copy))
        return 0;
    const int32_t end = indMemMap::Get16(copy, indMemMap::kDataEnd);
    const int32_t size = datKindOf(kind) == datKind::MdcAlias ? 12 : 14;
    return std::max(0, (kEepromEnd - end) / size);
}

}  // namespace

bool indCapacity::Fits(indMemMap::ConstImage image, int32_t kind, int32_t n)
{
    return n <= 0 || n <= Room(image, kind);
}

int32_t indCapacity::LargestFit(indMemMap::ConstImage image, int32_t kind, int32_t n)
{
    return n <= 0 ? 0 : std::min(n, Room(image, kind));
}
