#include "rules/indMemMapStorage.h"

#include "model/datChKinds.h"
#include "model/indMemMap.h"
#include "rules/indMemMapTable.h"

namespace {

constexpr int32_t kImageSize = indMemMap::kImageSize;

// The working slots that the block map packs, as [first, last] address ranges. Everything
// else of the working area is unpacked on load but never written back.
const int32_t kPackedSlots[][2] = {
    {0x0780, 0x07FF},  // block 2: memory channels, record A
    {0x0860, 0x0867},  // block 5
    {0x0868, 0x0869},  // block 12: scan bitmap
    {0x086A, 0x08E9},  // block 15
    {0x08EA, 0x08ED},  // block 40
    {0x08EE, 0x09AD},  // block 3: memory channels, record B
    {0x09AE, 0x0A2B},  // block 6
    {0x0A2C, 0x0A4B},  // block 7
    {0x0A4C, 0x0ACB},  // block 9
    {0x0ACC, 0x0AD5},  // block 13
    {0x0AD6, 0x0AFF},  // block 14
    {0x0B00, 0x0B3F},  // block 16
    {0x0B40, 0x0BAD},  // block 17
    {0x0BAE, 0x0BB5},  // block 18
    {0x0BB6, 0x0BBF},  // block 20
    {0x0BC0, 0x0BC3},  // block 41
    {0x0BC4, 0x0BDB},  // block 48
    {0x121A, 0x1229},  // block 19
};

}  // namespace

int32_t indMemMapStorage::Address(const indMemMapRow& row, int p, int32_t index)
{
    if (p < 0 || p >= row.partCount)
        return -1;
    const int32_t first = row.firstIndex;
    if (index < first || index >= first + row.count)
        return -1;
    int32_t base = row.parts[p].addr;
    int32_t stride = row.stride;
    if (row.kind != 0) {
        const datKindPart* kp = nullptr;
        const int n = datKindParts(row.kind, &kp);
        if (row.recordPart >= n || !datKindHasStorage(row.kind, index) ||
            index < kp[row.recordPart].fromIndex)
            return -1;
        base += kp[row.recordPart].base;
        stride = kp[row.recordPart].stride;
    }
    const int32_t addr = base + stride * index;
    if (addr < 0 || addr + PartBytes(row.parts[p]) > kImageSize)
        return -1;
    return addr;
}

int indMemMapStorage::PartBytes(const mmPart& part)
{
    if (part.width > 8)
        return part.width / 8;
    return 1;
}

uint8_t indMemMapStorage::PartMask(const mmPart& part, int k)
{
    if (part.width >= 8)
        return k < PartBytes(part) ? 0xFF : 0;
    if (k != 0)
        return 0;
    return static_cast<uint8_t>(((1u << part.width) - 1u) << part.bit);
}

namespace {

uint32_t ReadPart(const uint8_t* image, int32_t addr, const mmPart& part)
{
    if (part.width < 8)
        return (image[addr] >> part.bit) & ((1u << part.width) - 1u);
    uint32_t v = 0;
    for (int k = 0; k < indMemMapStorage::PartBytes(part); ++k)
        v = (v << 8) | image[addr + k];
    return v;
}

void WritePart(uint8_t* image, int32_t addr, const mmPart& part, uint32_t v)
{
    if (part.width < 8) {
        const uint8_t mask = indMemMapStorage::PartMask(part, 0);
        image[addr] = static_cast<uint8_t>((image[addr] & ~mask) | ((v << part.bit) & mask));
        return;
    }
    const int n = indMemMapStorage::PartBytes(part);
    for (int k = n - 1; k >= 0; --k) {
        image[addr + k] = static_cast<uint8_t>(v & 0xFF);
        v >>= 8;
    }
}

}  // namespace

int32_t indMemMapStorage::Read(const uint8_t* image, const indMemMapRow& row, int32_t index)
{
    int64_t value = 0;
    for (int p = 0; p < row.partCount; ++p) {
        const int32_t addr = Address(row, p, index);
        if (addr < 0)
            return 0;
        const mmPart& part = row.parts[p];
        uint32_t v = ReadPart(image, addr, part);
        // A byte whose codec range is negative is a signed byte.
        if (part.width == 8 && row.partCount == 1 && row.codec == mmCodec::Int && row.a < 0)
            v = static_cast<uint32_t>(static_cast<int8_t>(v));
        value += static_cast<int64_t>(static_cast<int32_t>(v)) * part.weight;
    }
    return static_cast<int32_t>(value);
}

void indMemMapStorage::Write(uint8_t* image, const indMemMapRow& row, int32_t index, int32_t value)
{
    // Each part takes its place of the value: the remainder below the weight of the part
    // before it, divided by its own weight, cut to its width.
    int64_t above = 0;
    for (int p = 0; p < row.partCount; ++p) {
        const int32_t addr = Address(row, p, index);
        if (addr < 0)
            return;
        const mmPart& part = row.parts[p];
        int64_t v = value;
        if (above > 0)
            v %= above;
        v /= part.weight;
        const uint32_t mask = part.width >= 32 ? 0xFFFFFFFFu : ((1u << part.width) - 1u);
        WritePart(image, addr, part, static_cast<uint32_t>(v) & mask);
        above = part.weight;
    }
}

std::vector<std::pair<int32_t, uint8_t>> indMemMapStorage::Footprint(const indMemMapRow& row,
                                                                     int32_t index)
{
    std::vector<std::pair<int32_t, uint8_t>> out;
    for (int p = 0; p < row.partCount; ++p) {
        const int32_t addr = Address(row, p, index);
        if (addr < 0)
            continue;
        if (row.codec == mmCodec::BitChoice) {
            const int n = row.a;
            if (n / 8 < PartBytes(row.parts[p]))
                out.emplace_back(addr + n / 8, static_cast<uint8_t>(0x80 >> (n % 8)));
            continue;
        }
        for (int k = 0; k < PartBytes(row.parts[p]); ++k)
            out.emplace_back(addr + k, PartMask(row.parts[p], k));
    }
    return out;
}

bool indMemMapStorage::SurvivesSave(int32_t address)
{
    if (address >= 0 && address < 0x0180)
        return true;
    for (const auto& r : kPackedSlots)
        if (address >= r[0] && address <= r[1])
            return true;
    return false;
}

bool indMemMapStorage::RowSurvivesSave(const indMemMapRow& row)
{
    for (int i = row.firstIndex; i < row.firstIndex + row.count; ++i)
        for (int p = 0; p < row.partCount; ++p) {
            const int32_t addr = Address(row, p, i);
            if (addr < 0)
                continue;
            for (int k = 0; k < PartBytes(row.parts[p]); ++k)
                if (!SurvivesSave(addr + k))
                    return false;
        }
    return true;
}

std::vector<int32_t> indMemMapStorage::UnkeptEdits(const uint8_t* saved, const uint8_t* work)
{
    std::vector<int32_t> ids;
    for (const auto& row : indMemMapTable::Rows()) {
        if (row.pattern == mmPattern::Disabled || (row.flags & mmReadOnly) || RowSurvivesSave(row))
            continue;
        bool differs = false;
        for (int i = row.firstIndex; i < row.firstIndex + row.count && !differs; ++i)
            for (const auto& [addr, mask] : Footprint(row, i))
                if (!SurvivesSave(addr) && ((saved[addr] ^ work[addr]) & mask))
                    differs = true;
        if (differs)
            ids.push_back(row.id);
    }
    return ids;
}
