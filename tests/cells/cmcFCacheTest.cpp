#include <gtest/gtest.h>

#include "cells/cmcCellIds.h"
#include "cells/cmcFCache.h"
#include "overlay/cmcGTex.h"
#include "support/ScopedGlobal.h"

namespace {

const char* const kLists[] = {
    // Two columns: the list order runs down the first column, then down the second.
    "#Cols_Cells",
    "{(%Flex0[10])}A|{(%Flex0[40])}D",
    "  {(%Flex0[20])}B|{(%Flex0[50])}E  ",
    "{(%Flex0[30]:Thirty)}C|{(%Flex1[30])}Other",
    "#",
    // Equal values: entry order a, x, y, c; position order a, y, x, c.
    "#Dup_Cells",
    "{(%Flex0[1])}a|{(%Flex0[2])}x",
    "{(%Flex0[2])}y|{(%Flex0[3])}c",
    "#Next_Key",
    "unused",
    // Rows that number themselves with a counter; a fresh set of counters per list.
    "#Count_Cells",
    "|{(@ch0++)(%Flex0[@ch0])}\\(@ch0)",
    "|{(@ch0++)(%Flex0[@ch0])}\\(@ch0)",
    "",
    "|{(@ch0++)(%Flex0[@ch0])}\\(@ch0)|x|y",
    "#",
    "#Empty_Cells",
    "{(%Flex2[1])}only another identifier",
    "#End_Of_Ovl",
};

class FCache : public ::testing::Test {
protected:
    void SetUp() override { m_store.UseLines(kLists); }
    cmcGTex m_store;
    cmcFCache m_cache{&m_store};
};

TEST_F(FCache, NamesByValue)
{
    EXPECT_EQ(m_cache.NameOf("Cols", Flex0, 10), "A");
    EXPECT_EQ(m_cache.NameOf("Cols", Flex0, 30), "Thirty");  // altText before text
    EXPECT_EQ(m_cache.NameOf("Cols", Flex0, 50), "E");
    for (int32_t absent : {0, 15, 60, -1})
        EXPECT_EQ(m_cache.NameOf("Cols", Flex0, absent), "error") << absent;

    const cmcFCacheList* list = m_cache.Find("Cols", Flex0);
    ASSERT_TRUE(list);
    EXPECT_EQ(list->lineCount, 3);
    EXPECT_EQ(list->maxColumns, 2);
    EXPECT_EQ(list->choiceCount, 5);
    // Loaded once: later lookups use the same record.
    m_cache.NameOf("Cols", Flex0, 20);
    EXPECT_EQ(m_cache.Find("Cols", Flex0), list);

    // The same list with another identifier is another entry with its own choices.
    EXPECT_EQ(m_cache.Find("Cols", Flex1), nullptr);
    EXPECT_EQ(m_cache.NameOf("Cols", Flex1, 30), "Other");
    EXPECT_EQ(m_cache.List("Cols", Flex1).choiceCount, 1);
    EXPECT_EQ(cmcFCache::ListKey("Cols", Flex1), "Cols#2");
}

TEST_F(FCache, StepsInListOrder)
{
    int32_t v = -99;
    EXPECT_FALSE(m_cache.Step("Cols", Flex0, 10, 1, &v));  // not loaded yet
    EXPECT_EQ(v, -99);
    m_cache.NameOf("Cols", Flex0, 10);

    struct Case {
        int32_t from;
        int delta;
        int32_t to;
    };
    const Case cases[] = {
        {10, 1, 20},  {20, 1, 30},
        {30, 1, 40},                // from the foot of the first column to the top of the second
        {50, 1, 10},                // last to first
        {10, -1, 50},               // first to last
        {40, -1, 30}, {99, 1, 10},  // a value not in the list steps to the first choice
        {99, -1, 10},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(m_cache.Step("Cols", Flex0, c.from, c.delta, &v));
        EXPECT_EQ(v, c.to) << c.from << " by " << c.delta;
    }
}

TEST_F(FCache, EqualValues)
{
    // The halving meets the first 2 in entry order.
    EXPECT_EQ(m_cache.NameOf("Dup", Flex0, 2), "x");
    const cmcFCacheList& list = m_cache.List("Dup", Flex0);
    ASSERT_EQ(list.choiceCount, 4);
    EXPECT_EQ(*list.byPosition[1].name, "y");
    EXPECT_EQ(*list.byPosition[2].name, "x");
    // Stepping from 2 starts at the 2 that comes first in position order (y).
    int32_t v = 0;
    ASSERT_TRUE(m_cache.Step("Dup", Flex0, 2, -1, &v));
    EXPECT_EQ(v, 1);
    ASSERT_TRUE(m_cache.Step("Dup", Flex0, 2, 2, &v));
    EXPECT_EQ(v, 3);
}

TEST_F(FCache, CountersNumberTheRows)
{
    const cmcFCacheList& list = m_cache.List("Count", Flex0);
    EXPECT_EQ(list.lineCount, 4);
    EXPECT_EQ(list.maxColumns, 4);  // the empty row-header cell counts
    ASSERT_EQ(list.choiceCount, 3);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(list.byValue[k].value, k + 1);
        EXPECT_EQ(*list.byValue[k].name, std::to_string(k + 1));
        EXPECT_EQ(list.byValue[k].column, 1);
    }
    EXPECT_EQ(list.byValue[2].line, 3);
}

TEST_F(FCache, ListWithoutChoices)
{
    EXPECT_EQ(m_cache.NameOf("Empty", Flex0, 1), "error");
    ASSERT_TRUE(m_cache.Find("Empty", Flex0));
    int32_t v = 5;
    EXPECT_FALSE(m_cache.Step("Empty", Flex0, 5, 1, &v));
    EXPECT_EQ(v, 5);
}

TEST(FCacheGlobal, UsesTheMainOverlayWhenGivenNoStore)
{
    const char* const lines[] = {"#G_Cells", "{(%Flex0[7])}Seven", "#", "#End_Of_Ovl"};
    cmcGTex store;
    store.UseLines(lines);
    qvtest::ScopedGlobal<cmcGTex> install(g_GTex, &store);
    cmcFCache cache;
    EXPECT_EQ(cache.NameOf("G", Flex0, 7), "Seven");
}

}  // namespace
