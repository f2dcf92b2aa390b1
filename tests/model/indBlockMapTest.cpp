#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "common/cmcEeprom.h"
#include "model/indBlockMap.h"

namespace {

int Get16(const cmcEeprom& e, int32_t a)
{
    return (e.GetByte(a) << 8) | e.GetByte(a + 1);
}

void Put16(cmcEeprom& e, int32_t a, int v)
{
    e.SetByte(a, static_cast<uint8_t>(v >> 8));
    e.SetByte(a + 1, static_cast<uint8_t>(v));
}

// An image whose every byte is distinct enough to tell where a copy came from.
void Pattern(cmcEeprom& e)
{
    e.SetSize(indMemMap::kImageSize);
    for (int32_t a = 0; a < e.GetSize(); ++a) {
        e.SetByte(a, static_cast<uint8_t>(a * 13 + (a >> 8)));
    }
}

struct Entry {
    int id, size, count, address;
};

// Writes a directory at dir with base address 0180 and the given entries.
void Directory(cmcEeprom& e, int32_t dir, const std::vector<Entry>& entries, int stride = 10)
{
    e.SetByte(0x0120, 0x00);
    e.SetByte(0x0121, 0x01);
    Put16(e, 0x0122, stride);
    Put16(e, 0x0124, static_cast<int>(entries.size()));
    Put16(e, 0x0126, dir);
    Put16(e, 0x0114, 0x0180);
    for (size_t i = 0; i < entries.size(); ++i) {
        const int32_t at = dir + static_cast<int32_t>(i) * stride;
        Put16(e, at, entries[i].id);
        Put16(e, at + 2, entries[i].size);
        Put16(e, at + 4, entries[i].count);
        Put16(e, at + 6, entries[i].address);
    }
}

bool SameRange(const cmcEeprom& a, const cmcEeprom& b, int32_t first, int32_t length)
{
    return std::memcmp(a.Data() + first, b.Data() + first, static_cast<size_t>(length)) == 0;
}

void SetBankSizes(cmcEeprom& e, std::initializer_list<int> sizes)
{
    for (int b = 0; b < 8; ++b) {
        Put16(e, 0x09FE + 2 * b, 0);
    }
    int b = 0;
    for (int s : sizes) {
        Put16(e, 0x09FE + 2 * b++, s);
    }
}

TEST(indBlockMap, DirectoryThatIsInvalidUnpacksNothing)
{
    struct Case {
        const char* name;
        int version;  // bytes 0120, 0121
        int32_t dir;
        int stride;
    };
    const Case cases[] = {
        {"version not 00 01", 0x0002, 0x0140, 10},
        {"directory reaching past 077F", 0x0001, 0x0778, 10},
        {"stride reaching past 077F", 0x0001, 0x0140, 0x0700},
        {"address far outside", 0x0001, 0xFFF0, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        cmcEeprom e, before;
        Pattern(e);
        Directory(e, c.dir < 0x0770 ? c.dir : 0x0140, {{5, 8, 1, 0x0180}, {2, 14, 1, 0x0190}});
        Put16(e, 0x0120, c.version);
        Put16(e, 0x0122, c.stride);
        Put16(e, 0x0126, c.dir);
        before.Assign(e);
        indBlockMap::Unpack(e);
        EXPECT_TRUE(e.Equals(before));
    }
}

TEST(indBlockMap, CountsAndSizesAreCappedToTheSlot)
{
    cmcEeprom e, before;
    Pattern(e);
    Directory(e, 0x0140, {{2, 16, 20, 0x0200}});
    before.Assign(e);
    indBlockMap::Unpack(e);
    // 16 records of 14 bytes, taken 16 bytes apart.
    for (int k = 0; k < 16; ++k) {
        ASSERT_TRUE(std::memcmp(e.Data() + 0x0780 + 14 * k, before.Data() + 0x0200 + 16 * k, 14) ==
                    0)
            << k;
    }
    // The next slot (block 5 at 0860) is untouched.
    EXPECT_TRUE(SameRange(e, before, 0x0860, 8));
    // The directory copy holds the entry.
    EXPECT_EQ(Get16(e, 0x0BDC), 2);
    EXPECT_EQ(Get16(e, 0x0BDC + 4), 20);

    // More MDC aliases than their slot holds: five are taken and counted at 1CFE.
    cmcEeprom a, aliasesBefore;
    Pattern(a);
    Directory(a, 0x0140, {{43, 12, 7, 0x0300}});
    aliasesBefore.Assign(a);
    indBlockMap::Unpack(a);
    EXPECT_EQ(std::memcmp(a.Data() + 0x1C0E, aliasesBefore.Data() + 0x0300, 5 * 12), 0);
    EXPECT_TRUE(SameRange(a, aliasesBefore, 0x1C0E + 5 * 12, 0x1CA6 - 0x1C0E - 5 * 12));
    EXPECT_EQ(Get16(a, 0x1CFE), 5);
}

TEST(indBlockMap, DirectoryEntriesAreReadAtTheStride)
{
    // A wider stride skips the extra bytes; a narrower one copies only its bytes of each
    // entry and keeps the rest of the working copy.
    for (int stride : {12, 8}) {
        SCOPED_TRACE(stride);
        cmcEeprom e, before;
        Pattern(e);
        Directory(e, 0x0140, {{5, 8, 1, 0x0200}, {12, 2, 1, 0x0300}}, stride);
        std::memset(e.Data() + 0x0BDC, 0xEE, 2 * 10);
        before.Assign(e);
        indBlockMap::Unpack(e);
        EXPECT_EQ(std::memcmp(e.Data() + 0x0860, before.Data() + 0x0200, 8), 0);
        EXPECT_EQ(std::memcmp(e.Data() + 0x0868, before.Data() + 0x0300, 2), 0);
        const int copied = std::min(stride, 10);
        EXPECT_EQ(std::memcmp(e.Data() + 0x0BDC + 10, before.Data() + 0x0140 + stride, copied), 0);
        EXPECT_EQ(e.GetByte(0x0BDC + 10 + 9),
                  copied == 10 ? before.GetByte(0x0140 + stride + 9) : 0xEE);
    }
}

TEST(indBlockMap, DamagedEntriesAreSkippedAndTheRestUnpacks)
{
    cmcEeprom e, before;
    Pattern(e);
    Directory(e, 0x0140,
              {
                  {5, 8, 1, 0x0200},            // valid
                  {2, 14, 16, 0x0700},          // runs past 077F
                  {7, 32, 1, 0x0100},           // below the data area
                  {9, 0xFFFF, 0xFFFF, 0x0180},  // absurd size and count
                  {43, 12, 3, 0x0300},          // valid, count also at 1CFE
                  {5, 8, 1, 0x0400},            // second entry of 5: not used
              });
    before.Assign(e);
    indBlockMap::Unpack(e);
    EXPECT_TRUE(SameRange(e, before, 0x0000, 0x0780));  // the EEPROM area is only read
    EXPECT_EQ(std::memcmp(e.Data() + 0x0860, before.Data() + 0x0200, 8), 0);
    EXPECT_TRUE(SameRange(e, before, 0x0780, 16 * 14));  // block 2 slot
    EXPECT_TRUE(SameRange(e, before, 0x0A2C, 32));       // block 7 slot
    EXPECT_TRUE(SameRange(e, before, 0x0A4C, 128));      // block 9 slot
    EXPECT_EQ(std::memcmp(e.Data() + 0x1C0E, before.Data() + 0x0300, 36), 0);
    EXPECT_TRUE(SameRange(e, before, 0x1C0E + 36, 24));  // records 3 and 4 kept
    EXPECT_EQ(Get16(e, 0x1CFE), 3);
    // Block 6 is absent, yet its slot is cleared.
    for (int32_t a = 0x09AE; a < 0x09AE + 126; ++a) {
        ASSERT_EQ(e.GetByte(a), 0) << a;
    }
}

TEST(indBlockMap, BaseAddressMovesTheBlocks)
{
    cmcEeprom e, before;
    Pattern(e);
    Directory(e, 0x0140, {{5, 8, 1, 0x0300}});
    Put16(e, 0x0114, 0x0280);  // blocks were placed for a base of 0280
    before.Assign(e);
    indBlockMap::Unpack(e);
    EXPECT_EQ(std::memcmp(e.Data() + 0x0860, before.Data() + 0x0200, 8), 0);

    // The fixed-base unpack ignores 0114 and the entry's count and size.
    cmcEeprom f;
    Pattern(f);
    Directory(f, 0x0140, {{17, 4, 1, 0x0200}});
    Put16(f, 0x0114, 0x0300);
    cmcEeprom fixedBefore;
    fixedBefore.Assign(f);
    indBlockMap::UnpackFixedBase(f);
    EXPECT_EQ(std::memcmp(f.Data() + 0x0B40, fixedBefore.Data() + 0x0200, 11 * 10), 0);
}

TEST(indBlockMap, SixteenChannelsEndAt06A8)
{
    cmcEeprom e;
    Pattern(e);
    SetBankSizes(e, {10, 0, 6});
    EXPECT_FALSE(indBlockMap::Pack(e));
    EXPECT_EQ(Get16(e, 0x0112), 0x06A8);
    EXPECT_EQ(Get16(e, 0x0114), 0x0180);
    EXPECT_EQ(Get16(e, 0x0110), 0x0180 + 16 * 14 + 8 + 2 + 128 + 4);
    EXPECT_EQ(Get16(e, 0x0116), 0x0686);
    EXPECT_EQ(Get16(e, 0x0120), 0x0001);
    EXPECT_EQ(Get16(e, 0x0122), 10);
    EXPECT_EQ(Get16(e, 0x0124), 18);
    EXPECT_EQ(Get16(e, 0x0126), 0x06A0 - 180);
    EXPECT_EQ(std::memcmp(e.Data() + 0x06A0, "TAVO Inc", 8), 0);
    // Nothing after the end, and the spare slot is cleared.
    for (int32_t a = 0x06A8; a < 0x0780; ++a) {
        ASSERT_EQ(e.GetByte(a), 0) << a;
    }
    for (int32_t a = 0x0DC6; a < 0x0FC6; ++a) {
        ASSERT_EQ(e.GetByte(a), 0) << a;
    }
    // The first entry: block 2, 14 bytes, 16 records, at 0180.
    const int32_t dir = Get16(e, 0x0126);
    EXPECT_EQ(Get16(e, dir), 2);
    EXPECT_EQ(Get16(e, dir + 2), 14);
    EXPECT_EQ(Get16(e, dir + 4), 16);
    EXPECT_EQ(Get16(e, dir + 6), 0x0180);
}

TEST(indBlockMap, ChannelCountIsTheTotalOfTheBanksCappedAtSixteen)
{
    struct Case {
        std::initializer_list<int> banks;
        int channels;
    };
    const Case cases[] = {
        {{16, 16}, 16},                 // both banks in use: the rest has no storage
        {{3, 0, 2}, 5},                 // counted whether or not the channels are in use
        {{0, 0, 0, 0, 0, 0, 0, 4}, 4},  // the last bank counts too
        {{}, 0},
        {{0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF}, 16},
    };
    for (const Case& c : cases) {
        cmcEeprom e;
        Pattern(e);
        SetBankSizes(e, c.banks);
        EXPECT_EQ(indBlockMap::PackedChannelCount(e), c.channels);
        EXPECT_FALSE(indBlockMap::Pack(e));
        EXPECT_EQ(Get16(e, 0x0112), 0x06A8 - (16 - c.channels) * (14 + 12));
    }
}

// Every slot the pack writes, with the element count it writes.
struct Packed {
    int id;
    int32_t work;
    int length;
};

TEST(indBlockMap, UnpackAfterPackReproducesEveryPackedSlot)
{
    for (int channels : {16, 7, 0}) {
        SCOPED_TRACE(channels);
        const Packed slots[] = {
            {2, 0x0780, 14 * channels}, {5, 0x0860, 8},   {12, 0x0868, 2},
            {15, 0x086A, 128},          {40, 0x08EA, 4},  {3, 0x08EE, 12 * channels},
            {6, 0x09AE, 126},           {7, 0x0A2C, 32},  {9, 0x0A4C, 128},
            {13, 0x0ACC, 10},           {14, 0x0AD6, 42}, {16, 0x0B00, 64},
            {17, 0x0B40, 110},          {18, 0x0BAE, 8},  {19, 0x121A, 16},
            {20, 0x0BB6, 10},           {41, 0x0BC0, 4},  {48, 0x0BC4, 24},
        };
        cmcEeprom e;
        Pattern(e);
        SetBankSizes(e, {channels});
        ASSERT_FALSE(indBlockMap::Pack(e));
        cmcEeprom packed;
        packed.Assign(e);
        for (const Packed& s : slots) {
            std::memset(e.Data() + s.work, 0xEE, static_cast<size_t>(s.length));
        }
        indBlockMap::Unpack(e);
        for (const Packed& s : slots) {
            EXPECT_TRUE(SameRange(e, packed, s.work, s.length)) << "block " << s.id;
        }
        // A second pack of the unpacked image gives the same EEPROM area.
        ASSERT_FALSE(indBlockMap::Pack(e));
        EXPECT_TRUE(SameRange(e, packed, 0, 0x0780));
    }
}

TEST(indBlockMap, ImagesTooSmallAreLeftAlone)
{
    cmcEeprom e;
    e.SetSize(0x0780);
    e.Fill(0x11);
    cmcEeprom before;
    before.Assign(e);
    EXPECT_TRUE(indBlockMap::Pack(e));
    indBlockMap::Unpack(e);
    indBlockMap::UnpackFixedBase(e);
    EXPECT_TRUE(e.Equals(before));
}

}  // namespace
