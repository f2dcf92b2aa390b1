#pragma once
#include <cstdint>

// The repeated records of the working area by record kind: the index limits that the row
// commands and sheets use, and where each kind's bytes lie in the image.

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
constexpr int32_t kDatFirstChannelKind = 1;
constexpr int32_t kDatLastChannelKind = 4;
constexpr int32_t kDatChannelSlots = 16;

int32_t datKindFirstIndex(int32_t kind);
int32_t datKindLastIndex(int32_t kind);
// True when the row commands may copy, paste, insert, delete and clear records of the kind.
bool datKindEditable(int32_t kind);

// The stored parts of a kind; returns their number (0 when the kind has no storage).
int datKindParts(int32_t kind, const datKindPart** parts);
// True when a record of this kind and index has bytes in the image. Indexes from 0 to the
// kind's last index have storage (kinds 9 and 12 also store index 0).
bool datKindHasStorage(int32_t kind, int32_t index);
inline bool datIsChannelKind(int32_t kind)
{
    return kind >= kDatFirstChannelKind && kind <= kDatLastChannelKind;
}
