#pragma once
#include <cstdint>
#include <span>

// The radio's image as the model layer sees it. The first kEepromSize bytes are the radio's
// EEPROM; the rest is the working area where the blocks are unpacked into fixed slots.
//
// The model functions take the image as a span of its bytes (a cmcEeprom converts to one)
// and check once that it holds a whole image: a shorter one reads as zero and is not
// written.
namespace indMemMap {

using Image = std::span<uint8_t>;
using ConstImage = std::span<const uint8_t>;

inline constexpr int32_t kImageSize = 0x1D00;
inline constexpr int32_t kEepromSize = 0x0780;  // addresses 0000 to 077F

inline bool IsWhole(ConstImage image)
{
    return image.size() >= static_cast<size_t>(kImageSize);
}

// --- EEPROM header ---
inline constexpr int32_t kModelCode = 0x0000;      // 16 bits
inline constexpr int32_t kFixedOne = 0x0002;       // always 1
inline constexpr int32_t kMaker = 0x0100;          // 8-byte maker string, same as the trailer
inline constexpr int32_t kHeaderFlag = 0x0108;     // 0 or 1
inline constexpr int32_t kModelCode2 = 0x010A;     // 16 bits
inline constexpr int32_t kFirstBlockEnd = 0x0110;  // end of the first group of blocks
inline constexpr int32_t kDataEnd = 0x0112;        // end of the packed data, trailer included
inline constexpr int32_t kDataStart = 0x0114;      // base address the directory counts from
inline constexpr int32_t kMainEnd = 0x0116;
inline constexpr int32_t kDirectoryTag = 0x0120;      // 00 01 when a directory follows
inline constexpr int32_t kDirectoryStride = 0x0122;   // 16 bits
inline constexpr int32_t kDirectoryCount = 0x0124;    // 16 bits
inline constexpr int32_t kDirectoryAddress = 0x0126;  // 16 bits
inline constexpr int32_t kPrio1 = 0x0145;             // priority channel 1
inline constexpr int32_t kPrio2 = 0x0146;             // priority channel 2
inline constexpr int32_t kDataBase = 0x0180;          // first address of the packed blocks

inline constexpr char kTrailer[] = "TAVO Inc";  // 8 bytes, ends the packed data
inline constexpr int kTrailerLength = 8;

// --- working area ---
inline constexpr int32_t kChannelsA = 0x0780;   // record A of the memory channels
inline constexpr int32_t kScanBitmap = 0x0868;  // one scan bit per channel
inline constexpr int32_t kChannelsB = 0x08EE;   // record B of the memory channels
inline constexpr int32_t kBankBitmap = 0x09C4;  // one bit per bank, bank 0 first
inline constexpr int32_t kBankSizes = 0x09FE;   // eight 16-bit bank sizes
inline constexpr int32_t kSpecialChannel = 0x0BC5;
inline constexpr int32_t kSpecialOffByte = 0x0BC6;  // bit 6 clear = special channel off
inline constexpr int32_t kWorkDirectory = 0x0BDC;   // working copy of the block directory
inline constexpr int32_t kSpareSlot = 0x0DC6;       // spare block 39, 512 bytes, never placed
inline constexpr int32_t kSpareSize = 512;
inline constexpr int32_t kDaloBoundary = 0x126A;  // first two bytes of block 26
inline constexpr int32_t kStatusCount = 0x1CFE;   // count of the MDC alias records (block 43)

inline int32_t Get16(ConstImage image, int32_t a)
{
    return (image[a] << 8) | image[a + 1];
}

inline void Put16(Image image, int32_t a, int32_t v)
{
    image[a] = static_cast<uint8_t>((v >> 8) & 0xFF);
    image[a + 1] = static_cast<uint8_t>(v & 0xFF);
}

}  // namespace indMemMap
