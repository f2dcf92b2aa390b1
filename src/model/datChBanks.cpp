#include "model/datChBanks.h"

#include "model/datCh.h"

namespace {

using indMemMap::kBankBitmap;
using indMemMap::kBankSizes;
using indMemMap::kStatusCount;

int32_t GetU16(indMemMap::ConstImage image, int32_t a)
{
    return indMemMap::IsWhole(image) ? indMemMap::Get16(image, a) : 0;
}

void SetU16(indMemMap::Image image, int32_t a, int32_t v)
{
    if (indMemMap::IsWhole(image))
        indMemMap::Put16(image, a, v);
}

bool IsBank(int32_t b)
{
    return b >= 0 && b < kDatBanks;
}

}  // namespace

int32_t datBankSize(indMemMap::ConstImage image, int32_t b)
{
    return IsBank(b) ? GetU16(image, kBankSizes + 2 * b) : 0;
}

int32_t datSetBankSize(indMemMap::Image image, int32_t b, int32_t n)
{
    if (!IsBank(b))
        return 0;
    SetU16(image, kBankSizes + 2 * b, n < 0 ? 0 : (n > 0xFFFF ? 0xFFFF : n));
    return datBankSize(image, b);
}

int32_t datChannelsBefore(indMemMap::ConstImage image, int32_t n)
{
    int32_t sum = 0;
    for (int32_t b = 0; b < n && b < kDatBanks; ++b)
        sum += datBankSize(image, b);
    return sum;
}

int32_t datLastChannelOfBank(indMemMap::ConstImage image, int32_t b)
{
    int32_t last = datChannelsBefore(image, b + 1) - 1;
    return last < 0 ? 0 : last;
}

int32_t datTotalChannels(indMemMap::ConstImage image)
{
    return datChannelsBefore(image, kDatBanks);
}

int32_t datBankOfChannel(indMemMap::ConstImage image, int32_t c)
{
    int32_t first = 0;
    for (int32_t b = 0; b < kDatBanks; ++b) {
        int32_t next = first + datBankSize(image, b);
        if (c >= first && c < next)
            return b;
        first = next;
    }
    return kDatBanks;
}

int32_t datCountKind(int32_t modelType)
{
    // Model types 1 and 2 share the PMR channel records for counting.
    switch (indModelTypeOf(modelType)) {
        case indModelType::Lmr:
            return datKindNumber(datKind::LmrChannel);
        case indModelType::Pmr446Digital:
            return datKindNumber(datKind::Pmr446Channel);
        default:
            return datKindNumber(datKind::PmrChannel);
    }
}

namespace {

int32_t CountUsed(indMemMap::ConstImage image, int32_t first, int32_t last, int32_t modelType)
{
    if (first < 0)
        first = 0;
    if (last > kDatChannelSlots - 1)
        last = kDatChannelSlots - 1;
    // The record accessor writes only on Store; loading through a const image is safe.
    datCh ch(indMemMap::Image(const_cast<uint8_t*>(image.data()), image.size()));
    int32_t kind = datCountKind(modelType);
    int32_t used = 0;
    for (int32_t c = first; c <= last; ++c) {
        ch.Load(kind, c);
        if (ch.InUse())
            ++used;
    }
    return used;
}

}  // namespace

int32_t datUsedChannelsInBank(indMemMap::ConstImage image, int32_t b, int32_t modelType)
{
    if (!IsBank(b))
        return 0;
    return CountUsed(image, datChannelsBefore(image, b), datChannelsBefore(image, b + 1) - 1,
                     modelType);
}

int32_t datUsedChannels(indMemMap::ConstImage image, int32_t modelType)
{
    int32_t sum = 0;
    for (int32_t b = 0; b < kDatBanks; ++b)
        sum += datUsedChannelsInBank(image, b, modelType);
    return sum;
}

int32_t datUsedChannels16(indMemMap::ConstImage image, int32_t modelType)
{
    return CountUsed(image, 0, kDatChannelSlots - 1, modelType);
}

bool datBankFlag(indMemMap::ConstImage image, int32_t b)
{
    if (!IsBank(b) || !indMemMap::IsWhole(image))
        return false;
    return (image[kBankBitmap + b / 8] & (0x80 >> (b % 8))) != 0;
}

void datSetBankFlag(indMemMap::Image image, int32_t b, bool on)
{
    if (!IsBank(b) || !indMemMap::IsWhole(image))
        return;
    uint8_t mask = static_cast<uint8_t>(0x80 >> (b % 8));
    uint8_t& byte = image[kBankBitmap + b / 8];
    byte = on ? (byte | mask) : (byte & ~mask);
}

std::string datBankName(int32_t)
{
    return "Free";
}

int32_t datStatusCount(indMemMap::ConstImage image)
{
    return GetU16(image, kStatusCount);
}

int32_t datStatusIncrement(indMemMap::Image image)
{
    int32_t n = datStatusCount(image);
    if (n < 0xFFFF)
        SetU16(image, kStatusCount, n + 1);
    return datStatusCount(image);
}

int32_t datStatusDecrement(indMemMap::Image image)
{
    int32_t n = datStatusCount(image);
    if (n > 0)
        SetU16(image, kStatusCount, n - 1);
    return datStatusCount(image);
}
