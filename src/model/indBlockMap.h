#pragma once
#include <cstdint>

#include "model/indMemMap.h"

// The radio's EEPROM (0000 to 077F of the image) describes itself: a block directory gives
// each data block's identifier, element size, count and address. Unpack copies every known
// block into its fixed slot of the working area (0780 to 1CFF), where sheets and records
// edit it; Pack lays the slots out again as blocks from 0180 with a new directory and the
// trailer. Images smaller than indMemMap::kImageSize are left alone; Pack then answers true.
class indBlockMap {
public:
    static constexpr int kMaxEntries = 49;
    static constexpr int kEntrySize = 10;

    static void Unpack(indMemMap::Image image);
    // For the reference image: base 0180, and every block read as its slot's full count
    // of elements of the slot's element size.
    static void UnpackFixedBase(indMemMap::Image image);
    // Returns true when the blocks did not fit. The spare block is never placed, so the
    // flag changes nothing.
    static bool Pack(indMemMap::Image image, bool withSpareBlock = false);

    // Number of memory channels the pack stores: the sum of the eight bank sizes, at most 16
    // (0 for an image that is not whole).
    static int PackedChannelCount(indMemMap::ConstImage image);

private:
    static void DoUnpack(uint8_t* image, bool fixedBase);
    static bool DoPack(uint8_t* image);
};
