#include "model/indBlockMap.h"

#include <algorithm>
#include <cstring>

namespace {

struct Slot {
    int id;
    int32_t work;  // working-area address
    int maxCount;
    int maxSize;
};

// Block slots of the working area, in unpack order.
constexpr Slot kSlots[] = {
    {2, 0x0780, 16, 14}, {5, 0x0860, 1, 8},    {12, 0x0868, 1, 2},   {15, 0x086A, 32, 4},
    {27, 0x0FC6, 32, 4}, {32, 0x1046, 8, 8},   {40, 0x08EA, 1, 4},   {3, 0x08EE, 16, 12},
    {6, 0x09AE, 1, 126}, {7, 0x0A2C, 1, 32},   {8, 0x1196, 16, 2},   {9, 0x0A4C, 1, 128},
    {10, 0x11B6, 8, 8},  {11, 0x11F6, 9, 4},   {13, 0x0ACC, 1, 10},  {14, 0x0AD6, 3, 14},
    {16, 0x0B00, 32, 2}, {17, 0x0B40, 11, 10}, {18, 0x0BAE, 1, 8},   {19, 0x121A, 2, 8},
    {20, 0x0BB6, 1, 10}, {28, 0x1278, 32, 2},  {29, 0x122A, 8, 8},   {26, 0x126A, 1, 14},
    {25, 0x12B8, 1, 24}, {24, 0x12D0, 1, 16},  {30, 0x12E0, 24, 12}, {31, 0x1400, 24, 12},
    {33, 0x1520, 8, 2},  {34, 0x1530, 32, 20}, {35, 0x17B0, 32, 20}, {36, 0x1A30, 1, 16},
    {37, 0x1A40, 1, 4},  {38, 0x1A44, 41, 8},  {41, 0x0BC0, 1, 4},   {42, 0x1B8C, 5, 26},
    {43, 0x1C0E, 5, 12}, {47, 0x1CA6, 1, 88},  {48, 0x0BC4, 1, 24},
};

const Slot& SlotOf(int id)
{
    for (const Slot& s : kSlots) {
        if (s.id == id) {
            return s;
        }
    }
    return kSlots[0];  // not reached: only ids of the table are asked for
}

using indMemMap::kDataBase;
using indMemMap::kEepromSize;
using indMemMap::kSpareSize;
using indMemMap::kSpareSlot;
using indMemMap::kStatusCount;
using indMemMap::kTrailer;
using indMemMap::kTrailerLength;
using indMemMap::kWorkDirectory;

int Get16(const uint8_t* p, int32_t a)
{
    return (p[a] << 8) | p[a + 1];
}

void Put16(uint8_t* p, int32_t a, int v)
{
    p[a] = static_cast<uint8_t>(v >> 8);
    p[a + 1] = static_cast<uint8_t>(v);
}

// True when [start, start + length) lies inside the packed data area 0180 to 077F.
bool InDataArea(int64_t start, int64_t length)
{
    return start >= kDataBase && length >= 0 && start + length <= kEepromSize;
}

}  // namespace

int indBlockMap::PackedChannelCount(indMemMap::ConstImage image)
{
    if (!indMemMap::IsWhole(image)) {
        return 0;
    }
    int total = 0;
    for (int b = 0; b < 8; ++b) {
        total += indMemMap::Get16(image, indMemMap::kBankSizes + 2 * b);
    }
    return std::min(total, 16);
}

void indBlockMap::DoUnpack(uint8_t* image, bool fixedBase)
{
    if (image[indMemMap::kDirectoryTag] != 0x00 || image[indMemMap::kDirectoryTag + 1] != 0x01) {
        return;
    }
    const int stride = Get16(image, indMemMap::kDirectoryStride);
    const int n = std::min(Get16(image, indMemMap::kDirectoryCount), kMaxEntries);
    const int32_t dir = Get16(image, indMemMap::kDirectoryAddress);
    const int copy = std::min(stride, kEntrySize);
    // A directory reaching past the EEPROM area is damaged; use none of it.
    if (n > 0 &&
        static_cast<int64_t>(dir) + static_cast<int64_t>(n - 1) * stride + copy > kEepromSize) {
        return;
    }
    for (int i = 0; i < n; ++i) {
        std::memmove(image + kWorkDirectory + kEntrySize * i, image + dir + i * stride,
                     static_cast<size_t>(copy));
    }
    const int32_t base = fixedBase ? kDataBase : Get16(image, indMemMap::kDataStart);

    for (const Slot& slot : kSlots) {
        if (slot.id == 6) {
            std::memset(image + slot.work, 0, static_cast<size_t>(slot.maxSize));
        }
        const uint8_t* entry = nullptr;
        for (int i = 0; i < n && !entry; ++i) {
            const uint8_t* e = image + kWorkDirectory + kEntrySize * i;
            if (Get16(e, 0) == slot.id) {
                entry = e;
            }
        }
        if (!entry) {
            continue;
        }
        const int entrySize = Get16(entry, 2);
        const int entryCount = Get16(entry, 4);
        const int64_t start = static_cast<int64_t>(Get16(entry, 6)) - base + kDataBase;
        const int step = fixedBase ? slot.maxSize : entrySize;
        const int count = fixedBase ? slot.maxCount : std::min(entryCount, slot.maxCount);
        const int size = fixedBase ? slot.maxSize : std::min(entrySize, slot.maxSize);
        const int declared = fixedBase ? slot.maxCount : entryCount;
        // A block that does not lie in the data area is damaged: treat it as absent.
        if (!InDataArea(start, static_cast<int64_t>(step) * declared)) {
            continue;
        }
        for (int k = 0; k < count; ++k) {
            std::memmove(image + slot.work + k * slot.maxSize, image + start + k * step,
                         static_cast<size_t>(size));
        }
        if (slot.id == 43) {
            Put16(image, kStatusCount, std::min(entryCount, slot.maxCount));
        }
    }
}

void indBlockMap::Unpack(indMemMap::Image image)
{
    if (indMemMap::IsWhole(image)) {
        DoUnpack(image.data(), false);
    }
}

void indBlockMap::UnpackFixedBase(indMemMap::Image image)
{
    if (indMemMap::IsWhole(image)) {
        DoUnpack(image.data(), true);
    }
}

bool indBlockMap::Pack(indMemMap::Image image, bool /*withSpareBlock*/)
{
    if (!indMemMap::IsWhole(image)) {
        return true;
    }
    return DoPack(image.data());
}

bool indBlockMap::DoPack(uint8_t* image)
{
    std::memset(image + kDataBase, 0, static_cast<size_t>(kEepromSize - kDataBase));
    std::memset(image + kSpareSlot, 0, kSpareSize);
    Put16(image, indMemMap::kDataStart, kDataBase);

    int32_t b = 0;
    int n = 0;
    bool failed = false;
    // Places one block at 0180 + b with its directory entry; false when it does not fit.
    auto place = [&](int id, int size, int count) {
        const int32_t length = size * count;
        if (kDataBase + b + length > kEepromSize - 1 || n >= kMaxEntries) {
            return false;
        }
        uint8_t* e = image + kWorkDirectory + kEntrySize * n;
        Put16(e, 0, id);
        Put16(e, 2, size);
        Put16(e, 4, count);
        Put16(e, 6, kDataBase + b);
        std::memmove(image + kDataBase + b, image + SlotOf(id).work, static_cast<size_t>(length));
        b += length;
        ++n;
        return true;
    };
    auto placeMain = [&](int id, int size, int count) {
        if (!failed && !place(id, size, count)) {
            failed = true;
        }
    };

    const int channels = PackedChannelCount(indMemMap::ConstImage(image, indMemMap::kImageSize));
    placeMain(2, 14, channels);
    placeMain(5, 8, 1);
    placeMain(12, 2, 1);
    placeMain(15, 4, 32);
    placeMain(40, 4, 1);
    if (!failed) {
        Put16(image, indMemMap::kFirstBlockEnd, kDataBase + b);
    }
    placeMain(3, 12, channels);
    placeMain(6, 126, 1);
    placeMain(7, 32, 1);
    placeMain(9, 128, 1);
    placeMain(13, 10, 1);
    placeMain(14, 14, 3);
    placeMain(16, 2, 32);
    placeMain(17, 10, 11);
    placeMain(18, 8, 1);
    placeMain(19, 8, 2);
    placeMain(20, 10, 1);
    placeMain(41, 4, 1);
    if (!failed) {
        const int32_t value = kDataBase + b + kEntrySize * n + 8;
        if (value <= kEepromSize - 1) {
            Put16(image, indMemMap::kMainEnd, value);
        } else {
            failed = true;
        }
    }
    place(48, 24, 1);
    if (!failed) {
        if (kDataBase + b + kEntrySize * n <= kEepromSize - 1) {
            const int32_t dir = kDataBase + b;
            image[indMemMap::kDirectoryTag] = 0x00;
            image[indMemMap::kDirectoryTag + 1] = 0x01;
            Put16(image, indMemMap::kDirectoryStride, kEntrySize);
            Put16(image, indMemMap::kDirectoryCount, n);
            Put16(image, indMemMap::kDirectoryAddress, dir);
            std::memmove(image + dir, image + kWorkDirectory, static_cast<size_t>(kEntrySize * n));
            b += kEntrySize * n;
        } else {
            failed = true;
        }
    }
    if (!failed) {
        if (kDataBase + b + kTrailerLength <= kEepromSize - 1) {
            std::memcpy(image + kDataBase + b, kTrailer, kTrailerLength);
            b += kTrailerLength;
        } else {
            failed = true;
        }
    }
    if (!failed) {
        Put16(image, indMemMap::kDataEnd, kDataBase + b);
    }
    return failed;
}
