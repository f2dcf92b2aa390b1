#include <gtest/gtest.h>

#include "cells/cmcColors.h"
#include "cells/cmcHash.h"
#include "cells/cmcHash2.h"

namespace {

TEST(cmcHash, BucketFollowsTheStepRule)
{
    struct Case {
        const char* key;
        int buckets;
        uint32_t bucket;
    };
    const Case cases[] = {
        {"ab", 10, 7},    // even following bytes: the step stays at 5
        {"ca", 4, 0},     // the odd "a" halves the step before it is used
        {"aaa", 4, 3},    // the step halves to 0 and starts again at half the count
        {"\xE0", 10, 9},  // bytes count as signed: h wraps below zero
        {"", 10, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(cmcHash::Bucket(c.key, c.buckets), c.bucket) << c.key;
}

TEST(cmcHash, LookupIsExact)
{
    cmcHash h(0);
    EXPECT_EQ(h.BucketCount(), 1031);
    h.Insert("Alpha", 1);
    h.Insert("alpha", 2);
    ASSERT_TRUE(h.Lookup("Alpha"));
    EXPECT_EQ(*h.Lookup("Alpha"), 1);
    EXPECT_EQ(*h.Lookup("alpha"), 2);
    EXPECT_EQ(h.Lookup("Alph"), nullptr);
    EXPECT_EQ(h.Lookup("Alpha "), nullptr);
}

TEST(cmcHashDeathTest, SecondInsertIsFatal)
{
    EXPECT_DEATH(
        {
            cmcHash h(3);
            h.Insert("x", 1);
            h.Insert("x", 2);
        },
        "Overlapped Hash table.");
    EXPECT_DEATH(
        {
            cmcHash2 h(0);
            h.Insert("L#1", nullptr);
            h.Insert("L#1", nullptr);
        },
        "Overlapped Hash2 table.");
}

TEST(Colors, VocabularyNamesOnly)
{
    cmcColor c = 0;
    ASSERT_TRUE(LookupColor("clRed", &c));
    EXPECT_EQ(c, 0x0000FFu);
    ASSERT_TRUE(LookupColor("clNavy", &c));
    EXPECT_EQ(c, 0x800000u);
    ASSERT_TRUE(LookupColor("clWindow", &c));
    EXPECT_EQ(c, 0x80000005u);
    ASSERT_TRUE(LookupColor("clHightlightText", &c));
    EXPECT_EQ(SystemColorIndex(c), 14);
    ASSERT_TRUE(LookupColor("clBtnHighlight", &c));
    EXPECT_EQ(c, SystemColor(20));

    c = 123;
    EXPECT_FALSE(LookupColor(" clRed", &c));
    EXPECT_FALSE(LookupColor("clred", &c));
    EXPECT_FALSE(LookupColor("clHighlightText", &c));
    EXPECT_EQ(c, 123u);
}

}  // namespace
