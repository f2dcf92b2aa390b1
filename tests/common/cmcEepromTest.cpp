#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

#include "common/cmcEeprom.h"

namespace {

cmcEeprom& Counting(cmcEeprom& e, int32_t size)
{
    e.SetSize(size);
    for (int32_t i = 0; i < size; ++i) {
        e.SetByte(i, static_cast<uint8_t>(i + 1));
    }
    return e;
}

TEST(cmcEeprom, NewAndResizedImages)
{
    cmcEeprom e;
    EXPECT_EQ(e.GetSize(), 0);
    EXPECT_EQ(e.Data(), nullptr);
    EXPECT_FALSE(e.IsAddress(0));

    e.SetSize(16);
    EXPECT_TRUE(e.IsAddress(0));
    EXPECT_TRUE(e.IsAddress(15));
    EXPECT_FALSE(e.IsAddress(16));
    EXPECT_FALSE(e.IsAddress(-1));

    // The same size again clears without reallocating.
    e.Fill(0xAB);
    const uint8_t* before = e.Data();
    e.SetSize(16);
    EXPECT_EQ(e.Data(), before);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(e.GetByte(i), 0);
    }

    for (int32_t bad : {0, -5}) {
        e.SetSize(16);
        e.SetSize(bad);
        EXPECT_EQ(e.GetSize(), 0);
        EXPECT_EQ(e.Data(), nullptr);
        e.Fill(1);  // nothing to fill, nothing happens
    }
}

TEST(cmcEeprom, BlocksCopyWholeOrNothing)
{
    struct Case {
        int32_t start, length;
        bool copies;
    };
    const Case cases[] = {
        {0, 8, true},  {4, 4, true},  // ends exactly at the image end
        {5, 4, false},                // one byte too many: no partial copy
        {0, 0, false}, {3, -1, false},        {-1, 2, false},
        {8, 1, false}, {1, INT32_MAX, false},  // a huge length must not overflow into a "fit"
    };
    const std::vector<uint8_t> src(16, 0x5A);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.start << "+" << c.length);
        cmcEeprom e;
        e.SetSize(8);
        e.SetBlock(c.start, src.data(), c.length);
        int changed = 0;
        for (int i = 0; i < 8; ++i) {
            changed += e.GetByte(i) == 0x5A;
        }
        EXPECT_EQ(changed, c.copies ? c.length : 0);

        std::vector<uint8_t> dst(16, 0x11);
        e.Fill(0x77);
        e.GetBlock(c.start, dst.data(), c.length);
        int got = 0;
        for (uint8_t v : dst) {
            got += v == 0x77;
        }
        EXPECT_EQ(got, c.copies ? c.length : 0);
    }
}

TEST(cmcEeprom, OverlappingBlockMoves)
{
    cmcEeprom e;
    Counting(e, 8);
    e.SetBlock(2, e.Data(), 6);  // source overlaps destination
    const uint8_t want[] = {1, 2, 1, 2, 3, 4, 5, 6};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(e.GetByte(i), want[i]);
    }
}

TEST(cmcEeprom, AssignAndCompare)
{
    cmcEeprom a, b;
    EXPECT_TRUE(a.Equals(b));  // two empty images
    Counting(a, 10);
    b.Assign(a);
    EXPECT_TRUE(b.Equals(a));
    EXPECT_FALSE(b.Differs(a));
    EXPECT_NE(b.Data(), a.Data());

    b.SetByte(9, 0);  // independent copies
    EXPECT_EQ(a.GetByte(9), 10);
    EXPECT_TRUE(b.Differs(a));

    // A prefix is not equal.
    cmcEeprom prefix;
    Counting(prefix, 9);
    EXPECT_FALSE(prefix.Equals(a));
    EXPECT_FALSE(a.Equals(prefix));

    // Assigning to itself keeps the content.
    a.Assign(a);
    EXPECT_EQ(a.GetSize(), 10);
    EXPECT_EQ(a.GetByte(9), 10);

    // Assigning an empty image empties.
    cmcEeprom empty;
    a.Assign(empty);
    EXPECT_EQ(a.GetSize(), 0);
}

TEST(cmcEepromDeathTest, ByteAccessOutsideTheImageIsFatal)
{
    cmcEeprom e;
    e.SetSize(4);
    EXPECT_DEATH(e.GetByte(4), "Out of EEPROM image address \\(GetByte\\)\\.");
    EXPECT_DEATH(e.GetByte(-1), "Out of EEPROM image address \\(GetByte\\)\\.");
    EXPECT_DEATH(e.SetByte(4, 0), "Out of EEPROM image address \\(SetByte\\)\\.");
    cmcEeprom empty;
    EXPECT_DEATH(empty.SetByte(0, 0), "Out of EEPROM image address \\(SetByte\\)\\.");
}

}  // namespace
