#include "model/datCh.h"
#include "rules/RulesFixture.h"
#include "rules/indChannelCompare.h"

namespace {

using ChannelCompareTest = RulesTest;

// In bank mode a channel is drawn in the bank each image keeps it in: the one channel whose
// frequency differs is listed, by its number and the column's caption, and nothing else.
TEST_F(ChannelCompareTest, ListsTheChannelThatDiffersInItsBank)
{
    Banks({1, 2});
    UseChannel(0);
    UseChannel(1);
    UseChannel(2);
    cmcEeprom a;
    a.Assign(host->work);
    {
        datCh ch(host->work);
        ch.Load(1, 2);
        ch.freqR = ch.freqT = 446093750;
        ch.Store(1, 2);
    }
    cmcEeprom b;
    b.Assign(host->work);
    host->work.SetByte(0x0100, 0x55);  // the working image, whatever it holds, stays

    const std::string entry = "GI_Sheet_Mch_Lmr";
    const auto diff = indChannelCompare::Run(*rules, texts, a, b, "Lmr");
    EXPECT_EQ(host->work.GetByte(0x0100), 0x55);
    ASSERT_EQ(diff.size(), 1u);
    EXPECT_EQ(diff[0].column, "Receive MHz");
    EXPECT_EQ(diff[0].valueB, "446.093750");
    EXPECT_EQ(diff[0].valueA, "400.037500");
    EXPECT_EQ(diff[0].entry, entry);
    EXPECT_EQ(diff[0].index, 2);
    EXPECT_FALSE(diff[0].row.empty());

    // The same images: nothing to list.
    EXPECT_TRUE(indChannelCompare::Run(*rules, texts, a, a, "Lmr").empty());

    // The working image itself as either side gives the same.
    host->work.Assign(b);
    ASSERT_EQ(indChannelCompare::Run(*rules, texts, a, host->work, "Lmr").size(), 1u);
    EXPECT_TRUE(host->work.Equals(b));
}

}  // namespace
