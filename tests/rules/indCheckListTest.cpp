#include "model/datCh.h"
#include "rules/RulesFixture.h"
#include "rules/indCheckList.h"

namespace {

// A channel of the digital-signalling model whose MSK settings conflict: the bank's check
// finds an error and a warning, and each is located at its channel and setting on the bank
// sheet, errors listed first.
TEST_F(RulesTest, CheckListLocatesTheMarkedCells)
{
    host->modelType = 2;
    Banks({2});
    UseChannel(0);
    UseChannel(1);
    const auto checks = indCheckList::Checks(texts, "PmrD");
    ASSERT_EQ(checks.size(), 3u + 8u);
    EXPECT_EQ(checks.back().bank, 7);
    EXPECT_TRUE(indCheckList::Run(*rules, texts, checks).empty()) << "a clean image";

    datCh ch(host->work);
    ch.Load(3, 1);
    ch.mskSig = 1;
    ch.moni = 0;  // a warning
    ch.sel = 2;   // an error
    ch.call = 0;
    ch.ptt = 0;
    ch.chMute = 1;
    ch.Save();
    const auto found = indCheckList::Run(*rules, texts, checks);
    ASSERT_FALSE(found.empty());
    EXPECT_TRUE(found.front().error);
    bool sel = false;
    for (const auto& f : found) {
        EXPECT_EQ(f.where.entry, "[St_ChBank]GI_Sheet_Mch_PmrD,Bank 0");
        EXPECT_EQ(f.where.index, 1) << "the second channel";
        EXPECT_EQ(f.where.row, "No. 2");
        EXPECT_FALSE(f.where.column.empty());
        if (f.error && f.where.id == CL_Mch_Sel_Pmr)
            sel = true;
    }
    EXPECT_TRUE(sel);
    // A check that finds something the sheet does not lay out names the sheet alone.
    const auto sheetOnly =
        indCheckList::Locate(*rules, texts, "GI_Sheet_SetMode", -1, cmcCellCapsule::kFlagError);
    ASSERT_EQ(sheetOnly.size(), 1u);
    EXPECT_EQ(sheetOnly[0].entry, "GI_Sheet_SetMode");
    EXPECT_EQ(sheetOnly[0].id, 0);
    EXPECT_FALSE(sheetOnly[0].sheet.empty());
}

}  // namespace
