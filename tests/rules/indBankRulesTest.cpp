// Bank cells: sizes that never reach into another bank or below 0, bank mode within the 16
// stored channels, counters, whole banks carried, and the popup items of channel rows.

#include <vector>

#include "model/datCh.h"
#include "model/datChBanks.h"
#include "rules/RulesFixture.h"
#include "rules/indBankRules.h"

namespace {

constexpr int32_t kPrio1 = 0x0145;
constexpr int32_t kPrio2 = 0x0146;

class BankTest : public RulesTest {
protected:
    std::vector<uint8_t> Image() const
    {
        return {host->work.Data(), host->work.Data() + host->work.GetSize()};
    }
    // The stored bytes of channel slots from .. to (records A and B).
    std::vector<uint8_t> Records(int from, int to) const
    {
        std::vector<uint8_t> v;
        for (int i = from; i <= to; ++i) {
            const uint8_t* w = host->work.Data();
            v.insert(v.end(), w + 0x0780 + 14 * i, w + 0x0780 + 14 * i + 14);
            v.insert(v.end(), w + 0x08EE + 12 * i, w + 0x08EE + 12 * i + 12);
        }
        return v;
    }
    cmcCellCapsule SizeCell(int bank, int32_t key, const char* text = nullptr)
    {
        cmcCellCapsule c = Request(CT_BankOp, CL_Mch_Bank, bank, key);
        if (text) {
            c.inputMode = cmcCellCapsule::kInputText;
            c.inputText = text;
        }
        Run(c);
        return c;
    }
    std::string Show(int32_t category, int32_t id, int index = 0)
    {
        cmcCellCapsule c = Request(category, id, index);
        Run(c, 0);
        return c.text;
    }
};

// Sizes 2, 0, 3 with channel 1 unused: neither -1 nor a backspace changes a byte of the
// empty bank 1 (its count of empty channels stops at its own first channel).
TEST_F(BankTest, AnEmptyBankCannotShrink)
{
    Banks({2, 0, 3});
    for (int i : {0, 2, 3, 4})
        UseChannel(i);
    host->Saved();
    const auto before = Image();
    SizeCell(1, 0, "-1");
    EXPECT_EQ(Image(), before);
    SizeCell(1, cmcCellCapsule::kKeyBackspace);
    EXPECT_EQ(Image(), before);
    EXPECT_TRUE(Boxes().Seen().empty());
}

// Sizes 2, 2 with channels 1 to 3 unused: -1 on bank 1 acts like 0 and bank 0 keeps its
// records byte for byte.
TEST_F(BankTest, ANegativeSizeActsLikeZeroAndLeavesTheBankBeforeAlone)
{
    Banks({2, 2});
    UseChannel(0);
    const auto bank0 = Records(0, 1);
    SizeCell(1, 0, "-1");
    EXPECT_EQ(datBankSize(host->work, 1), 0);
    EXPECT_EQ(datBankSize(host->work, 0), 2);
    EXPECT_EQ(Records(0, 1), bank0);
    EXPECT_GE(host->packs, 1);
}

TEST_F(BankTest, SizesGrowIntoTheFreeSlotsAndShrinkOnlyOverEmptyChannels)
{
    Banks({3, 11});
    for (int i : {0, 1, 3})
        UseChannel(i);
    host->work.SetByte(kPrio1, 4);
    host->work.SetByte(kPrio2, 16);
    SizeCell(0, 0, "9");  // only two slots are free
    EXPECT_EQ(datBankSize(host->work, 0), 5);
    EXPECT_EQ(ChannelIn(5), 3);  // bank 1 moved down by two
    EXPECT_EQ(host->work.GetByte(kPrio1), 6);
    SizeCell(0, 0, "0");  // channels 0 and 1 are in use: only the three empty ones go
    EXPECT_EQ(datBankSize(host->work, 0), 2);
    EXPECT_EQ(ChannelIn(2), 3);
    EXPECT_EQ(host->work.GetByte(kPrio1), 3);
}

// Bank mode keeps the channels where they are and the total within the 16 stored channels.
TEST_F(BankTest, BankModeSplitsTheSixteenChannels)
{
    qvtest::ScopedGlobal<cmcFCache> cache{g_FCache, &host->cache};
    Banks({16});
    for (int i = 0; i < 5; ++i)
        UseChannel(i);
    cmcCellCapsule on = Request(CT_Null, CL_Bank_SelBankFree, 0, cmcCellCapsule::kKeySpace);
    Run(on);
    EXPECT_EQ(datBankSize(host->work, 0), 5);
    EXPECT_EQ(datBankSize(host->work, 1), 1);
    EXPECT_EQ(datTotalChannels(host->work), 6);
    EXPECT_EQ(host->Count(ev::kTreeRebuilt), 1);
    EXPECT_EQ(Show(CT_Null, CL_Bank_SelBankFree), "Banks");
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(ChannelIn(i), i);

    // Even with the last slot in use bank 1 gets a channel, so the mode stays on.
    indBankRules::SetBankMode(host->work, host->modelType, false);
    EXPECT_EQ(datBankSize(host->work, 0), 16);
    UseChannel(15);
    indBankRules::SetBankMode(host->work, host->modelType, true);
    EXPECT_EQ(datBankSize(host->work, 0), 15);
    EXPECT_EQ(datBankSize(host->work, 1), 1);
}

// Counters never count past the 16 stored channels and never go below 0.
TEST_F(BankTest, CountersStayWithinTheStoredChannels)
{
    Banks({12, 9});  // a damaged image: 21 channels
    for (int i = 0; i < 16; ++i)
        UseChannel(i);
    EXPECT_EQ(Show(CT_Null, CL_Mch_Bank_Total), "16");
    EXPECT_EQ(Show(CT_Null, CL_Mch_Bank_Left), "0");
    EXPECT_EQ(Show(CT_Null, CL_Mch_UsedCHs_Total), "16");
    EXPECT_EQ(Show(CT_Null, CL_Mch_UsedCHs_Left), "0");
    EXPECT_EQ(Show(CT_BankOp, CL_Mch_UsedCHs, 1), "4");
    EXPECT_EQ(Show(CT_Null, CL_Bank_UsedQty, 1), "4");
    EXPECT_EQ(Show(CT_Null, CL_Bank_UsedLeft), "0");
    Banks({4});
    EXPECT_EQ(Show(CT_Null, CL_Bank_UsedQty, 0), "---");
}

// Carrying bank 0 (two channels) down past bank 1 (three): sizes and flags swap and every
// reference still names its channel.
TEST_F(BankTest, CarryDownSwapsSizesFlagsAndChannelBlocks)
{
    Banks({2, 3});
    for (int i = 0; i < 5; ++i)
        UseChannel(i);
    datSetBankFlag(host->work, 0, true);
    host->work.SetByte(kPrio1, 1);
    host->work.SetByte(kPrio2, 3);
    for (int e = 0; e < 16; ++e)
        host->work.SetByte(0x1CA6 + e, 16);
    host->work.SetByte(0x1CA6, 0);
    host->work.SetByte(0x0AD2, 4);
    cmcCellCapsule c = Request(CT_BankOp, CL_Mch_Bank, 0);
    c.command = CL_PMenu_CarryDown;
    Run(c);
    EXPECT_EQ(datBankSize(host->work, 0), 3);
    EXPECT_EQ(datBankSize(host->work, 1), 2);
    EXPECT_FALSE(datBankFlag(host->work, 0));
    EXPECT_TRUE(datBankFlag(host->work, 1));
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(ChannelIn(i), (i + 2) % 5) << i;
    EXPECT_EQ(ChannelIn(host->work.GetByte(kPrio1)), 1);
    EXPECT_EQ(ChannelIn(host->work.GetByte(kPrio2)), 3);
    EXPECT_EQ(ChannelIn(host->work.GetByte(0x1CA6)), 0);
    EXPECT_EQ(ChannelIn(host->work.GetByte(0x0AD2)), 4);
    events->Tick();
    events->Tick();
    EXPECT_EQ(host->Count(ev::kRefreshBankNames), 1);
    // Carrying the last bank down or the first up does nothing.
    const auto before = Image();
    c = Request(CT_BankOp, CL_Mch_Bank, 0);
    c.command = CL_PMenu_CarryUp;
    Run(c);
    EXPECT_EQ(Image(), before);
}

// Popup items of a channel row: copy is off on the new row, carry up on the bank's first
// channel, paste while the clipboard holds records of another kind.
TEST_F(BankTest, PopupItemsFollowTheRowAndTheClipboard)
{
    Banks({2, 3});
    for (int i = 0; i < 5; ++i)
        UseChannel(i);
    host->answerBank = 1;  // rows 2 .. 4, the new row 5
    host->work.SetByte(0x1CFF, 2);
    auto disabled = [&](int32_t item, int row) {
        cmcCellObj rowCell;
        rowCell.category = CT_Mch;
        rowCell.id = CL_Mch_FreqR;
        rowCell.index = row;
        cmcCellCapsule context = Request(CT_Mch, CL_Mch_FreqR, row);
        context.cell = &rowCell;
        cmcCellCapsule c = Request(CT_PopupMenu, item, 0);
        c.sheet = nullptr;  // the menu asks for its row's sheet
        c.grid = c.owner = nullptr;
        c.context = &context;
        Run(c, 0);
        const bool off = cell.UserFlag(cmcCellObj::kFlagDisabled);
        cell.SetUserFlag(cmcCellObj::kFlagDisabled, false);
        return off;
    };
    host->clipboard.CopyFrom(host->work, 1, 0, 1);
    EXPECT_TRUE(disabled(CL_PMenu_Copy, 5));
    EXPECT_FALSE(disabled(CL_PMenu_Copy, 4));
    EXPECT_TRUE(disabled(CL_PMenu_CarryUp, 2));
    EXPECT_FALSE(disabled(CL_PMenu_CarryUp, 3));
    EXPECT_FALSE(disabled(CL_PMenu_Paste, 3));
    host->clipboard.CopyFrom(host->work, 20, 0, 1);
    EXPECT_TRUE(disabled(CL_PMenu_Paste, 3));
}

TEST_F(BankTest, RowNumbersAndLabels)
{
    Banks({2});
    host->answerBank = 0;
    EXPECT_EQ(Show(CT_Mch_Check, CL_Mch_No, 1), "2");
    EXPECT_EQ(Show(CT_Mch_Check, CL_Mch_No, 2), texts.GetText("GI_NewChTitle"));
    EXPECT_EQ(Show(CT_DTMF, CL_Dtmf_ChNo, 0), "Autodial");
    EXPECT_EQ(Show(CT_DTMF, CL_Dtmf_ChNo, 1), "Emergency");
    host->modelType = 1;
    EXPECT_EQ(Show(CT_DTMF, CL_Dtmf_ChNo, 1), "2");
    EXPECT_EQ(Show(CT_Null, CL_Misc_ChNo_0Base, 4), "4");
    EXPECT_EQ(Show(CT_Null, CL_Bank_SmarTrunk), "Non");
}

}  // namespace
