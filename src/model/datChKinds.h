#pragma once
#include <cstdint>

#include "model/indModelType.h"

// The repeated records of the working area by record kind: the index limits that the row
// commands and sheets use, and where each kind's bytes lie in the image.

// The record kinds the code tells apart by name; the number is the kind.
enum class datKind : int32_t {
    None = 0,
    LmrChannel = 1,  // the memory channels of model type 0 ...
    PmrChannel = 2,
    DaloChannel = 3,
    Pmr446Channel = 4,  // ... to 3
    UserChar = 5,       // user-defined character pattern
    Dtmf = 6,
    Scan = 7,
    TonePair = 8,
    RxCode = 9,
    TxCode = 10,
    UserTone = 11,
    BankOp = 14,
    MskIdGroup = 15,
    CallList = 16,  // call list address, four BCD digits
    MskStatus = 17,
    MskShortText = 18,
    DigStatus = 19,
    MdcAlias = 20,
};

constexpr int32_t datKindNumber(datKind kind)
{
    return static_cast<int32_t>(kind);
}
inline datKind datKindOf(int32_t kind)
{
    return static_cast<datKind>(kind);
}

// One stored part of a record: the record of index i occupies length bytes at
// base + stride * i, for indexes from fromIndex on.
struct datKindPart {
    int32_t base;
    int32_t stride;
    int32_t length;
    int32_t fromIndex;
};

// Largest part of any kind, in bytes.
constexpr int kDatMaxPartLength = 20;
// Most parts a kind has.
constexpr int kDatMaxParts = 4;
// Record kinds 1 to 4 are the memory channels of model types 0 to 3.
constexpr int32_t kDatFirstChannelKind = datKindNumber(datKind::LmrChannel);
constexpr int32_t kDatLastChannelKind = datKindNumber(datKind::Pmr446Channel);
constexpr int32_t kDatChannelSlots = 16;

int32_t datKindFirstIndex(int32_t kind);
int32_t datKindLastIndex(int32_t kind);
// True when the row commands may copy, paste, insert, delete and clear records of the kind.
bool datKindEditable(int32_t kind);

// The stored parts of a kind; returns their number (0 when the kind has no storage).
int datKindParts(int32_t kind, const datKindPart** parts);
// True when a record of this kind and index has bytes in the image. Indexes from 0 to the
// kind's last index have storage; kinds 9 and 12 (block 17) store all eleven elements, 0 to 10.
bool datKindHasStorage(int32_t kind, int32_t index);
inline bool datIsChannelKind(int32_t kind)
{
    return kind >= kDatFirstChannelKind && kind <= kDatLastChannelKind;
}
// The memory channel kind of a model type: model type + 1.
inline datKind datChannelKind(indModelType model)
{
    return datKindOf(static_cast<int32_t>(model) + kDatFirstChannelKind);
}
// Kinds 2 and 3 hold the PMR channel layout (station codes, 2-bit auto reset).
inline bool datIsPmrChannelKind(int32_t kind)
{
    return datKindOf(kind) == datKind::PmrChannel || datKindOf(kind) == datKind::DaloChannel;
}
