// Channel cells: a channel created by typing on a bank's new row, the overflow refusal, the
// tone cell, the digital-signalling presentations and marks, and the channel check.

#include <vector>

#include "model/datCh.h"
#include "model/datChBanks.h"
#include "model/datChEdit.h"
#include "rules/RulesFixture.h"
#include "rules/indChannelRules.h"

namespace {

constexpr int32_t kPrio1 = 0x0145;

class ChannelTest : public RulesTest, public ::testing::WithParamInterface<int> {
protected:
    int32_t Plain(int32_t plain, int32_t pmr) const { return host->modelType == 1 ? pmr : plain; }
    std::vector<uint8_t> Image() const
    {
        return {host->work.Data(), host->work.Data() + host->work.GetSize()};
    }
    cmcCellCapsule Typed(int32_t id, int32_t index, const std::string& text)
    {
        cmcCellCapsule c = Request(CT_Mch, id, index);
        c.inputMode = cmcCellCapsule::kInputText;
        c.inputText = text;
        Run(c);
        return c;
    }
};

// Typing 146.52 on bank 1's new row: bank 1 grows by one, the transmit frequency follows, a
// later channel reference moves with its channel, and no other byte changes.
TEST_P(ChannelTest, TypingOnTheNewRowCreatesTheChannelAtTheBanksEnd)
{
    host->modelType = GetParam();
    Banks({2, 1, 2});
    for (int i = 0; i < 5; ++i)
        UseChannel(i);
    host->work.SetByte(kPrio1, 4);
    host->answerBank = 1;
    host->Saved();
    const int32_t freq = Plain(CL_Mch_FreqR, CL_Mch_FreqR_Pmr);

    // Any cell of the new row sends the digit to the receive frequency.
    const int32_t other = Plain(CL_Mch_Nar, CL_Mch_Nar_Pmr);
    cmcCellCapsule jump = Request(CT_Mch, other, 3, '1');
    Run(jump);
    EXPECT_EQ(jump.jump, 1);
    EXPECT_EQ(jump.jumpId, freq);
    EXPECT_EQ(Image(), std::vector<uint8_t>(host->snapshot.Data(),
                                            host->snapshot.Data() + host->snapshot.GetSize()));

    cmcEeprom expected;
    expected.Assign(host->work);
    datChEdit::InsertChannelInBank(expected, host->reference, host->modelType + 1, 1, 3);

    cmcCellCapsule digit = Request(CT_Mch, freq, 3, '1');
    EXPECT_EQ(Run(digit), cmcCellCapsule::kResultEditor);
    EXPECT_EQ(host->Count(ev::kInsertChannel), 1);
    EXPECT_EQ(datBankSize(host->work, 1), 2);
    Typed(freq, 3, "146.52");

    datCh ch(expected);
    ch.Load(host->modelType + 1, 3);
    ch.freqR = ch.freqT = 146520000;
    ch.digSig = host->modelType == 3 ? 3 : 0;
    ch.SetInUse(true);
    ch.Save();
    EXPECT_EQ(Image(), std::vector<uint8_t>(expected.Data(), expected.Data() + expected.GetSize()));
    EXPECT_EQ(host->work.GetByte(kPrio1), 5);
    datCh made(host->work);
    made.Load(host->modelType + 1, 3);
    EXPECT_TRUE(made.InUse());
    EXPECT_EQ(made.freqT, 146520000u);
    EXPECT_TRUE(Boxes().Seen().empty());
}

TEST_P(ChannelTest, WithSixteenChannelsTheNewRowRefusesAndNothingChanges)
{
    host->modelType = GetParam();
    Banks({10, 6});
    for (int i = 0; i < 16; ++i)
        UseChannel(i);
    host->answerBank = 1;
    host->Saved();
    const auto before = Image();
    Boxes().Answer(plat::BoxResult::Ok);
    cmcCellCapsule c = Request(CT_Mch, Plain(CL_Mch_FreqR, CL_Mch_FreqR_Pmr), 16, '4');
    Run(c);
    ASSERT_EQ(Boxes().Seen().size(), 1u);
    EXPECT_EQ(Boxes().Seen()[0].text, texts.GetLines(indChannelRules::kOverflow));
    EXPECT_EQ(Image(), before);
    EXPECT_EQ(host->Count(ev::kInsertChannel), 0);
}

// Only the receive tone's two bytes change.
TEST_P(ChannelTest, TheReceiveToneColumnChangesOnlyTheReceiveTone)
{
    host->modelType = GetParam();
    Banks({3});
    for (int i = 0; i < 3; ++i)
        UseChannel(i);
    host->answerBank = 0;
    datCh tx(host->work);  // a transmit tone of its own, which must stay
    tx.Load(host->modelType + 1, 1);
    tx.tone[1].flags = datTone::kOn;
    tx.tone[1].ctcss = 5;
    tx.Save();
    const auto before = Image();
    Typed(Plain(CL_Mch_CTone_R, CL_Mch_CTone_R_Pmr), 1, "100.0");
    const auto after = Image();
    std::vector<int> changed;
    for (size_t a = 0; a < before.size(); ++a)
        if (before[a] != after[a])
            changed.push_back(static_cast<int>(a));
    const int a8 = 0x0780 + 14 * 1 + 8;
    for (int a : changed)
        EXPECT_TRUE(a == a8 || a == a8 + 1) << std::hex << a;
    EXPECT_FALSE(changed.empty());
    datCh ch(host->work);
    ch.Load(host->modelType + 1, 1);
    EXPECT_TRUE(ch.tone[0].flags & datTone::kOn);
    EXPECT_EQ(ch.tone[1].ctcss, 5);
}

INSTANTIATE_TEST_SUITE_P(ModelTypes, ChannelTest, ::testing::Values(0, 1, 2, 3));

// A new-channel row past an empty bank's end still puts the channel into that bank, never
// into the next one.
TEST_F(RulesTest, AnEmptyBanksNewRowsInsertAtTheBanksEnd)
{
    for (int row : {2, 3, 4}) {
        host->work.Fill(0);
        Banks({2, 0, 3});
        for (int i = 0; i < 5; ++i)
            UseChannel(i);
        host->answerBank = 1;
        cmcCellCapsule c = Request(CT_Mch, CL_Mch_FreqR, row, '1');
        Run(c);
        EXPECT_EQ(datBankSize(host->work, 1), 1) << row;
        EXPECT_EQ(datBankSize(host->work, 2), 3) << row;
        EXPECT_EQ(c.jumpIndex, 2) << row;
        EXPECT_EQ(ChannelIn(2), -1) << row;
        EXPECT_EQ(ChannelIn(3), 2) << row;
    }
}

// The New row of the alias list: a key that starts a name (a character, a digit, space,
// Enter) makes it the next alias; the list holds five; other keys change nothing.
TEST_F(RulesTest, TypingOnTheNewAliasRowAddsAnAliasUpToFive)
{
    const struct {
        int count;
        int row;
        int32_t key;
        bool added;
        bool overflow;
    } cases[] = {
        {0, 0, 'B', true, false}, {2, 2, '7', true, false},
        {4, 4, ' ', true, false}, {1, 1, cmcCellCapsule::kKeyEnter, true, false},
        {2, 3, 'C', true, false},  // a row further down still adds at the list's end
        {5, 5, 'X', false, true}, {0, 0, cmcCellCapsule::kKeyF1, false, false},
    };
    for (const auto& t : cases) {
        host->work.Fill(0);
        host->work.SetByte(0x1CFF, static_cast<uint8_t>(t.count));
        host->Saved();
        Boxes().Clear();
        if (t.overflow)
            Boxes().Answer(plat::BoxResult::Ok);
        const std::vector<uint8_t> before(host->work.Data(),
                                          host->work.Data() + host->work.GetSize());
        cmcCellCapsule c = Request(CT_MDC_Alias, CL_Mdc_Alias1_Text, t.row, t.key);
        Run(c);
        EXPECT_EQ(host->work.GetByte(0x1CFF), t.count + (t.added ? 1 : 0)) << t.row << " " << t.key;
        EXPECT_EQ(Boxes().Seen().size(), t.overflow ? 1u : 0u) << t.row << " " << t.key;
        if (t.added) {
            EXPECT_EQ(c.jumpIndex, t.count) << t.row << " " << t.key;
        } else {
            EXPECT_EQ(
                std::vector<uint8_t>(host->work.Data(), host->work.Data() + host->work.GetSize()),
                before)
                << t.row << " " << t.key;
        }
    }
}

// Under the digital-signalling model an MSK channel shows which settings conflict: the
// cells mark warnings and errors, the code cells are switched off, and the check of the
// bank keeps a warning a warning.
TEST_F(RulesTest, MskChannelsMarkConflictsAndTheCheckKeepsWarningsApart)
{
    host->modelType = 2;
    Banks({2});
    UseChannel(0);
    UseChannel(1);
    datCh ch(host->work);
    ch.Load(3, 0);
    ch.mskSig = 1;
    ch.moni = 0;  // a warning: the monitor should be an MSK monitor
    ch.sel = 1;
    ch.call = 0;
    ch.ptt = 0;
    ch.chMute = 1;
    ch.Save();
    auto flags = [&](int32_t id) {
        cmcCellCapsule c = Request(CT_Mch, id, 0);
        Run(c, 0);
        return c.flags & (cmcCellCapsule::kFlagWarning | cmcCellCapsule::kFlagError);
    };
    EXPECT_EQ(flags(CL_Mch_Moni_Pmr), cmcCellCapsule::kFlagWarning);
    EXPECT_EQ(flags(CL_Mch_Sel_Pmr), 0);

    cmcCellObj check;
    check.category = kNoCategory;
    check.id = CL_Check_Mch;
    cmcCellCapsule c;
    c.cell = &check;
    c.bank = 0;
    Run(c, 0);
    EXPECT_EQ(c.flags & (cmcCellCapsule::kFlagWarning | cmcCellCapsule::kFlagError),
              cmcCellCapsule::kFlagWarning);

    ch.Load(3, 0);
    ch.sel = 2;
    ch.Save();
    EXPECT_EQ(flags(CL_Mch_Sel_Pmr), cmcCellCapsule::kFlagError);
    c.flags = 0;
    Run(c, 0);
    EXPECT_TRUE(c.flags & cmcCellCapsule::kFlagError);

    // Codes that MSK replaces show no value and take no key.
    cmcCellCapsule code = Request(CT_Mch, CL_Mch_Stn_C_Pmr, 0, ' ');
    const auto before = std::vector<uint8_t>(host->work.Data(), host->work.Data() + 0x1D00);
    Run(code);
    EXPECT_EQ(code.text, "");
    EXPECT_EQ(std::vector<uint8_t>(host->work.Data(), host->work.Data() + 0x1D00), before);

    // The list of a conflicting setting marks the choices that conflict.
    cmcCellObj opener;
    opener.category = CT_Mch;
    opener.id = CL_Mch_Sel_Pmr;
    opener.index = 0;
    cmcCellCapsule context;
    context.cell = &opener;
    for (int item : {0, 1, 2}) {
        cmcCellObj mark;
        mark.category = kNoCategory;
        mark.id = FlexMark;
        mark.index = item;
        cmcCellCapsule m;
        m.cell = &mark;
        m.context = &context;
        Run(m, 0);
        EXPECT_EQ((m.flags & cmcCellCapsule::kFlagError) != 0, item != 1) << item;
    }
}

// Names the radio does not keep are never typed into.
TEST_F(RulesTest, ChannelAndBankNamesWithoutStorageTakeNoInput)
{
    Banks({1});
    UseChannel(0);
    host->answerBank = 0;
    host->Saved();
    for (int32_t id : {CL_Mch_Text, CL_Mch_BankText}) {
        cmcCellCapsule c = Request(id == CL_Mch_Text ? CT_Mch : CT_Null, id, 0, 'A');
        EXPECT_EQ(Run(c), cmcCellCapsule::kResultNone) << IdName(id);
        EXPECT_EQ(c.text, "");
        EXPECT_TRUE(host->work.Equals(host->snapshot));
    }
}

}  // namespace
