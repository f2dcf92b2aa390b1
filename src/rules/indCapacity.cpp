#include "rules/indCapacity.h"

#include <algorithm>
#include <vector>

#include "model/indBlockMap.h"

namespace {

constexpr int32_t kPackedEnd = 0x0112;  // where the pack writes the end of the packed data
constexpr int32_t kEepromEnd = 0x077F;

// How many more records of the kind fit after the packed data.
int32_t Room(const uint8_t* image, int32_t kind)
{
    // Pack a copy: the working image itself is packed only when a command changed it.
    std::vector<uint8_t> copy(image, image + indBlockMap::kImageSize);
    if (indBlockMap::Pack(copy.data()))
        return 0;
    const int32_t end = (copy[kPackedEnd] << 8) | copy[kPackedEnd + 1];
    const int32_t size = kind == 20 ? 12 : 14;
    return std::max(0, (kEepromEnd - end) / size);
}

}  // namespace

bool indCapacity::Fits(const uint8_t* image, int32_t kind, int32_t n)
{
    return n <= 0 || n <= Room(image, kind);
}

int32_t indCapacity::LargestFit(const uint8_t* image, int32_t kind, int32_t n)
{
    return n <= 0 ? 0 : std::min(n, Room(image, kind));
}
