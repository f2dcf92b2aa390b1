#include "model/datChKinds.h"

#include "model/indMemMap.h"

namespace {

struct KindRow {
    int32_t first;
    int32_t last;
    bool editable;
    int partCount;
    datKindPart parts[kDatMaxParts];
};

// Kinds 13 and 14 are listed without parts: 13 has no storage and 14 loads nothing.
const KindRow kKinds[21] = {
    {0, 0, false, 0, {}},
    {0, 15, true, 2, {{indMemMap::kChannelsA, 14, 14, 0}, {indMemMap::kChannelsB, 12, 12, 0}}},
    {0, 15, true, 2, {{indMemMap::kChannelsA, 14, 14, 0}, {indMemMap::kChannelsB, 12, 12, 0}}},
    {0, 15, true, 2, {{indMemMap::kChannelsA, 14, 14, 0}, {indMemMap::kChannelsB, 12, 12, 0}}},
    {0, 15, true, 2, {{indMemMap::kChannelsA, 14, 14, 0}, {indMemMap::kChannelsB, 12, 12, 0}}},
    {0, 15, true, 1, {{0x1196, 2, 2, 0}}},
    {0, 2, false, 1, {{0x0AD6, 14, 14, 0}}},
    {0, 0, false, 1, {{0x0ACC, 10, 10, 0}}},
    {0, 8, false, 1, {{0x11F6, 4, 4, 0}}},
    {1, 8, false, 1, {{0x0B40, 10, 10, 0}}},
    {0, 31, false, 2, {{0x086A, 4, 4, 0}, {0x0B00, 2, 2, 0}}},
    {0, 14, false, 2, {{0x0A4C, 2, 2, 0}, {0x0A6A, 4, 4, 0}}},
    {1,
     10,
     false,
     4,
     {{0x0B40, 10, 10, 0}, {0x0A44, 8, 8, 1}, {0x0866, 4, 4, 1}, {0x0AAE, 2, 2, 1}}},
    {0, 9, false, 0, {}},
    {0, 7, false, 0, {}},
    {0, 7, false, 1, {{0x122A, 8, 8, 0}}},
    {0, 31, false, 2, {{0x0FC6, 4, 4, 0}, {0x1278, 2, 2, 0}}},
    {0, 22, false, 2, {{0x1400, 12, 12, 0}, {0x12E0, 12, 12, 0}}},
    {0, 7, false, 1, {{0x1520, 2, 2, 0}}},
    {0, 31, false, 2, {{0x17B0, 20, 20, 0}, {0x1530, 20, 20, 0}}},
    {0, 4, true, 1, {{0x1C0E, 12, 12, 0}}},
};

// The 2-tone decode records of the LMR models, which share block 17 with kind 9.
constexpr int32_t kBlock17Kind = 12;
constexpr int32_t kBlock17Elements = 11;

const KindRow* Row(int32_t kind)
{
    return kind >= 0 && kind <= 20 ? &kKinds[kind] : nullptr;
}

}  // namespace

int32_t datKindFirstIndex(int32_t kind)
{
    const KindRow* r = Row(kind);
    return r ? r->first : 0;
}

int32_t datKindLastIndex(int32_t kind)
{
    if (kind > 20)
        return 100000000;
    const KindRow* r = Row(kind);
    return r ? r->last : 0;
}

bool datKindEditable(int32_t kind)
{
    const KindRow* r = Row(kind);
    return r && r->editable;
}

int datKindParts(int32_t kind, const datKindPart** parts)
{
    const KindRow* r = Row(kind);
    if (!r || r->partCount == 0) {
        *parts = nullptr;
        return 0;
    }
    *parts = r->parts;
    return r->partCount;
}

bool datKindHasStorage(int32_t kind, int32_t index)
{
    const datKindPart* parts = nullptr;
    if (datKindParts(kind, &parts) == 0)
        return false;
    // Block 17 has eleven elements; the sheets show codes 1 to 8 or 1 to 10 of them, but
    // element 0 and (for kind 9) elements 9 and 10 are records too, which preparation loads
    // and stores like the others.
    const int32_t last = kind == datKindNumber(datKind::RxCode) || kind == kBlock17Kind
                             ? kBlock17Elements - 1
                             : datKindLastIndex(kind);
    return index >= 0 && index <= last;
}
