#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/cmcBuff.h"

namespace {

std::string Content(const cmcBuff& b)
{
    return std::string(reinterpret_cast<const char*>(b.Data()), static_cast<size_t>(b.Size()));
}

TEST(cmcBuff, NewAndClearedBuffersHoldOneByteOfCapacity)
{
    cmcBuff b;
    EXPECT_EQ(b.Size(), 0);
    EXPECT_EQ(b.Capacity(), 1);
    b.AppendBytes("hello", 5);
    b.Clear();
    EXPECT_EQ(b.Size(), 0);
    EXPECT_EQ(b.Capacity(), 1);
}

TEST(cmcBuff, GrowthAddsAQuarterOfTheSizeAndFillsWithZero)
{
    cmcBuff b;
    b.AppendFill(0xAA, 10);
    b.Compact();
    ASSERT_EQ(b.Capacity(), 10);
    EXPECT_EQ(b.Resize(11), 11);
    EXPECT_EQ(b.Capacity(), 13);
    EXPECT_EQ(*b.At(10), 0);
    EXPECT_EQ(*b.At(9), 0xAA);
}

TEST(cmcBuff, GrowingAgainAfterAShrinkShowsFillNotOldBytes)
{
    cmcBuff b;
    b.AppendFill(0x55, 8);
    b.Resize(2);
    b.Resize(8);
    EXPECT_EQ(Content(b), std::string("\x55\x55") + std::string(6, '\0'));
}

TEST(cmcBuff, PopFrontTakesBytesInOrderAndAnswersMinusOneWhenEmpty)
{
    cmcBuff b;
    EXPECT_EQ(b.PopFront(), -1);
    EXPECT_EQ(b.Size(), 0);
    b.AppendByte(0xFE);
    b.AppendByte(0x01);
    EXPECT_EQ(b.PopFront(), 0xFE);
    EXPECT_EQ(b.PopFront(), 0x01);
    EXPECT_EQ(b.PopFront(), -1);
    EXPECT_EQ(b.Size(), 0);
    b.AppendBytes("ab", 2);  // grows again from a fully consumed block
    EXPECT_EQ(Content(b), "ab");
}

TEST(cmcBuff, FrontRemovalsCompactOnceFarIntoTheBlock)
{
    cmcBuff b;
    b.AppendFill(7, 5000);
    b.AppendByte(9);
    for (int i = 0; i < 4096; ++i)
        b.PopFront();
    EXPECT_EQ(b.FrontGap(), 4096);
    b.PopFront();
    EXPECT_EQ(b.FrontGap(), 0);
    EXPECT_EQ(b.Size(), 904);
    EXPECT_EQ(b.Capacity(), 904);
    EXPECT_EQ(*b.At(903), 9);

    b.RemoveFront(903);
    EXPECT_EQ(Content(b), "\x09");
    b.RemoveFront(10);
    EXPECT_EQ(b.Size(), 0);
}

TEST(cmcBuff, CopiesFromItsOwnContentSurviveReallocation)
{
    cmcBuff b;
    b.AppendBytes("abc", 3);
    b.Compact();
    b.Append(b);
    EXPECT_EQ(Content(b), "abcabc");
    b.AppendBytes(b.Data() + 1, 4);
    EXPECT_EQ(Content(b), "abcabcbcab");
    b.Set(b.Data() + 3, 3);
    EXPECT_EQ(Content(b), "abc");
}

TEST(cmcBuff, AssignAndCopyGiveIndependentContent)
{
    cmcBuff a;
    a.Set("xyz", 3);
    cmcBuff b(a);
    cmcBuff c;
    c.Assign(a);
    a.AppendByte('!');
    EXPECT_EQ(Content(b), "xyz");
    EXPECT_EQ(Content(c), "xyz");
    c.Set(nullptr, 5);
    EXPECT_EQ(c.Size(), 0);
}

TEST(cmcBuffDeathTest, IndexAtOrBeyondTheSizeIsFatal)
{
    cmcBuff b;
    b.AppendFill(1, 4);
    EXPECT_DEATH(b.At(4), "Out of cmcBuff element !");
    EXPECT_DEATH(b.At(-1), "Out of cmcBuff element !");
}

}  // namespace
