#pragma once
#include <cstdint>

class cmcEeprom;

// The radio's EEPROM (0000 to 077F of the image) describes itself: a block directory gives
// each data block's identifier, element size, count and address. Unpack copies every known
// block into its fixed slot of the working area (0780 to 1CFF), where sheets and records
// edit it; Pack lays the slots out again as blocks from 0180 with a new directory and the
// trailer. The byte-array forms expect an image of kImageSize bytes.
class indBlockMap {
public:
    static constexpr int32_t kImageSize = 0x1D00;
    static constexpr int32_t kEepromSize = 0x0780;     // addresses 0000 to 077F
    static constexpr int32_t kDataBase = 0x0180;       // first address of the packed blocks
    static constexpr int32_t kWorkDirectory = 0x0BDC;  // working copy of the directory
    static constexpr int kMaxEntries = 49;
    static constexpr int kEntrySize = 10;
    static constexpr char kTrailer[] = "TAVO Inc";  // 8 bytes, ends the packed data

    // Images smaller than kImageSize are left alone; Pack then answers true.
    static void Unpack(cmcEeprom& image);
    static void UnpackFixedBase(cmcEeprom& image);
    static bool Pack(cmcEeprom& image, bool withSpareBlock = false);

    static void Unpack(uint8_t* image);
    // For the reference image: base 0180, and every block read as its slot's full count
    // of elements of the slot's element size.
    static void UnpackFixedBase(uint8_t* image);
    // Returns true when the blocks did not fit. The spare block is never placed, so the
    // flag changes nothing.
    static bool Pack(uint8_t* image, bool withSpareBlock = false);

    // Number of memory channels the pack stores: the sum of the eight bank sizes, at most 16.
    static int PackedChannelCount(const uint8_t* image);

private:
    static void DoUnpack(uint8_t* image, bool fixedBase);
};
