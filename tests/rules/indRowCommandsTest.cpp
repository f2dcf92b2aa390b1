// Row commands on channel rows and MDC alias rows, each from a small image: where the
// channels' bytes end up, and whether every stored channel reference still names the same
// channel afterwards.

#include <array>
#include <vector>

#include "model/datCh.h"
#include "model/datChBanks.h"
#include "model/datChEdit.h"
#include "rules/RulesFixture.h"

namespace {

constexpr int32_t kPrio1 = 0x0145;
constexpr int32_t kPrio2 = 0x0146;
constexpr int32_t kSpecial = 0x0BC5;
constexpr int32_t kSpecialOn = 0x0BC6;

// Every stored channel reference, each as the channel it names (the slot the channel had
// when the image was built), -1 for a blank slot, or 16 for none.
struct Refs {
    int prio1, prio2, special;
    std::array<int, 4> scan;
    std::array<int, 16> table;
    bool operator==(const Refs&) const = default;
};

class RowTest : public RulesTest {
protected:
    // Bank 0 holds channels 0 .. 5 and bank 1 channels 6 .. 9, all in use; references to
    // several of them.
    void SetUp() override
    {
        RulesTest::SetUp();
        host->modelType = 1;
        Build({6, 4}, 10);
    }
    void Build(std::initializer_list<int> banks, int used)
    {
        host->work.Fill(0);
        Banks(banks);
        for (int i = 0; i < used; ++i)
            UseChannel(i);
        uint8_t* w = host->work.Data();
        w[kPrio1] = 1;
        w[kPrio2] = 7;
        w[kSpecialOn] = 0x40;
        w[kSpecial] = 4;
        const uint8_t scan[4] = {3, 5, 8, 0};
        for (int k = 0; k < 4; ++k)
            w[datChEdit::kScanRefs[k]] = scan[k];
        for (int e = 0; e < 16; ++e)
            w[datChEdit::kSwitchTable + e] = 16;
        const uint8_t table[5] = {2, 7, 16, 9, 5};
        for (int e = 0; e < 5; ++e)
            w[datChEdit::kSwitchTable + e] = table[e];
        host->answerBank = 0;
        host->Saved();
    }
    int Named(int slot) { return slot >= 16 ? 16 : ChannelIn(slot); }
    Refs References()
    {
        const uint8_t* w = host->work.Data();
        Refs r{};
        r.prio1 = Named(w[kPrio1]);
        r.prio2 = Named(w[kPrio2]);
        r.special = Named(w[kSpecial]);
        for (int k = 0; k < 4; ++k)
            r.scan[k] = Named(w[datChEdit::kScanRefs[k]]);
        for (int e = 0; e < 16; ++e)
            r.table[e] = Named(w[datChEdit::kSwitchTable + e]);
        return r;
    }
    std::vector<int> Channels(int from, int to)
    {
        std::vector<int> v;
        for (int i = from; i <= to; ++i)
            v.push_back(ChannelIn(i));
        return v;
    }
    // A popup command on row `row` of the shown bank, with rows first .. last selected
    // (none when first < 0).
    cmcCellCapsule Command(int32_t command, int row, int first = -1, int last = -1)
    {
        cmcCellCapsule c = Request(CT_Mch, CL_Mch_Nar, row);
        c.command = command;
        if (first >= 0) {
            c.selectionFlags = cmcCellCapsule::kSelRange;
            c.rangeFirst = first;
            c.rangeLast = last;
        }
        Run(c);
        events->Tick();  // deliver what the command posted
        return c;
    }
    std::vector<uint8_t> Image() const
    {
        return {host->work.Data(), host->work.Data() + host->work.GetSize()};
    }
    // The modified flag after a command says whether the image still equals its snapshot.
    void ExpectModified(bool changed)
    {
        EXPECT_EQ(host->modified, changed);
        EXPECT_EQ(host->modified, !host->work.Equals(host->snapshot));
        EXPECT_GE(host->modifiedChecks, 1);
        EXPECT_EQ(host->packs, changed ? 1 : 0) << "pack only after a change";
    }
    std::string Status() const
    {
        for (auto it = host->events.rbegin(); it != host->events.rend(); ++it)
            if (it->id == ev::kStatusMessage)
                return it->text;
        return "";
    }
};

TEST_F(RowTest, CopyThenPasteStoresTheRowsAndLeavesTheTargetsFlagsAndUndecodedBits)
{
    host->work.SetByte(0x0780 + 14 * 1 + 12, host->work.GetByte(0x0780 + 14 + 12) | 0x80);
    host->Saved();
    cmcCellCapsule c = Command(CL_PMenu_Copy, 1, 1, 2);
    EXPECT_EQ(host->clipboard.Count(), 2);
    EXPECT_TRUE(c.selectionFlags & cmcCellCapsule::kSelRangeChanged);
    EXPECT_EQ(c.rangeFirst, 1);
    EXPECT_EQ(c.rangeLast, 2);
    EXPECT_EQ(Status(), texts.GetText("GI_AppMess_S_Copy"));
    ExpectModified(false);

    const Refs before = References();
    Boxes().Answer(plat::BoxResult::Ok);
    c = Command(CL_PMenu_Paste, 4);
    ASSERT_EQ(Boxes().Seen().size(), 1u);
    EXPECT_EQ(Boxes().Seen()[0].text, texts.GetLines("GI_AppMess_Conv_Overwrite"));
    EXPECT_EQ(Boxes().Seen()[0].icon, plat::BoxIcon::Warning);
    EXPECT_EQ(Channels(0, 6), (std::vector<int>{0, 1, 2, 3, 1, 2, 6}));
    EXPECT_EQ(c.rangeFirst, 4);
    EXPECT_EQ(c.rangeLast, 5);
    // The rows keep their flags: priority 1 stays on row 1, the special channel on row 4.
    EXPECT_EQ(host->work.GetByte(kPrio1), 1);
    EXPECT_EQ(host->work.GetByte(kSpecial), 4);
    EXPECT_EQ(References().prio2, before.prio2);
    // Record A byte 12 bit 7 is not the channel's: row 4 keeps its own.
    EXPECT_EQ(host->work.GetByte(0x0780 + 14 * 4 + 12) & 0x80, 0);
    ExpectModified(true);
}

TEST_F(RowTest, CancelledPasteChangesNothing)
{
    Command(CL_PMenu_Copy, 1);
    const auto image = Image();
    Boxes().Answer(plat::BoxResult::Cancel);
    Command(CL_PMenu_Paste, 3);
    EXPECT_EQ(Image(), image);
    ExpectModified(false);
}

TEST_F(RowTest, PasteOfFiveRowsOnRow14OfSixteenPastesTwo)
{
    Build({16}, 16);
    Command(CL_PMenu_Copy, 0, 0, 4);
    Boxes().Answer(plat::BoxResult::Ok);  // rows 14 and 15 are in use
    cmcCellCapsule c = Command(CL_PMenu_Paste, 14);
    EXPECT_EQ(Channels(13, 15), (std::vector<int>{13, 0, 1}));
    EXPECT_EQ(c.rangeFirst, 14);
    EXPECT_EQ(c.rangeLast, 15);
}

TEST_F(RowTest, PasteIntoRowsNotInUseAsksNothing)
{
    Build({6}, 4);
    Command(CL_PMenu_Copy, 0);
    Command(CL_PMenu_Paste, 4);
    EXPECT_TRUE(Boxes().Seen().empty());
    EXPECT_EQ(ChannelIn(4), 0);
    // Outside the shown rows, or with a clipboard of another kind, nothing happens.
    const auto image = Image();
    Command(CL_PMenu_Paste, 7);
    host->clipboard.CopyFrom(host->work, 5, 0, 1);
    Command(CL_PMenu_Paste, 5);
    EXPECT_EQ(Image(), image);
}

TEST_F(RowTest, CarryDownMovesTheRowsAndEveryReferenceWithThem)
{
    uint8_t* w = host->work.Data();
    w[datChEdit::kScanRefs[0]] = 3;
    w[datChEdit::kScanRefs[1]] = 4;
    w[datChEdit::kScanRefs[2]] = 5;
    host->Saved();
    const Refs before = References();
    cmcCellCapsule c = Command(CL_PMenu_CarryDown, 3, 3, 4);
    EXPECT_EQ(Channels(0, 6), (std::vector<int>{0, 1, 2, 5, 3, 4, 6}));
    EXPECT_EQ(w[datChEdit::kScanRefs[0]], 4);
    EXPECT_EQ(w[datChEdit::kScanRefs[1]], 5);
    EXPECT_EQ(w[datChEdit::kScanRefs[2]], 3);
    EXPECT_EQ(References(), before);
    EXPECT_EQ(c.jump, 1);
    EXPECT_EQ(c.jumpIndex, 5);
    EXPECT_EQ(c.rangeFirst, 4);
    EXPECT_EQ(c.rangeLast, 5);
    ExpectModified(true);
}

TEST_F(RowTest, CarryUpMovesTheRowsAndEveryReferenceWithThem)
{
    const Refs before = References();
    cmcCellCapsule c = Command(CL_PMenu_CarryUp, 2, 2, 4);
    EXPECT_EQ(Channels(0, 5), (std::vector<int>{0, 2, 3, 4, 1, 5}));
    EXPECT_EQ(References(), before);
    EXPECT_EQ(c.jumpIndex, 1);
}

TEST_F(RowTest, CarryingTheFirstRowUpOrTheLastRowDownDoesNothing)
{
    const auto image = Image();
    Command(CL_PMenu_CarryUp, 0);
    Command(CL_PMenu_CarryDown, 5);  // the last row of bank 0
    host->answerBank = 1;
    Command(CL_PMenu_CarryUp, 6);  // the first row of bank 1
    EXPECT_EQ(Image(), image);
    EXPECT_EQ(host->packs, 0);
}

TEST_F(RowTest, ClearAlwaysAsksAndResetsTheRowsFromTheReference)
{
    Boxes().Answer(plat::BoxResult::Cancel);
    Command(CL_PMenu_Clear, 1, 1, 2);
    ExpectModified(false);
    Boxes().Answer(plat::BoxResult::Ok);
    Command(CL_PMenu_Clear, 1, 1, 2);
    EXPECT_EQ(Boxes().Seen().size(), 2u);
    EXPECT_EQ(Boxes().Seen()[1].text, texts.GetLines("GI_AppMess_Conv_Clear"));
    EXPECT_EQ(Channels(0, 3), (std::vector<int>{0, -1, -1, 3}));
    EXPECT_EQ(host->work.GetByte(kPrio1), 1);  // the row keeps its priority
    EXPECT_EQ(host->Count(ev::kRedrawIndex), 2);
    ExpectModified(true);
}

TEST_F(RowTest, DeletingAPriorityChannelIsRefusedUnlessTheModelAllowsIt)
{
    for (int mt = 0; mt < 4; ++mt) {
        SetUp();
        host->modelType = mt;
        Build({6, 4}, 10);
        Boxes().Clear();
        Boxes().Answer(plat::BoxResult::Ok);  // the rows are in use
        if (mt != 3)
            Boxes().Answer(plat::BoxResult::Ok);  // the refusal
        Command(CL_PMenu_Delete, 0, 0, 1);
        if (mt == 3) {
            EXPECT_EQ(datBankSize(host->work, 0), 4) << mt;
        } else {
            EXPECT_EQ(datBankSize(host->work, 0), 6) << mt;
            ASSERT_EQ(Boxes().Seen().size(), 2u);
            EXPECT_EQ(Boxes().Seen()[1].text, texts.GetLines("GI_AppMess_ChErr_DelPrio"));
            EXPECT_EQ(Boxes().Seen()[1].icon, plat::BoxIcon::Error);
            ExpectModified(false);
        }
        TearDown();
    }
    SetUp();
}

TEST_F(RowTest, DeleteClosesTheRowsAndRenumbersTheReferences)
{
    const Refs before = References();
    Boxes().Answer(plat::BoxResult::Ok);
    cmcCellCapsule c = Command(CL_PMenu_Delete, 2, 2, 3);
    EXPECT_EQ(datBankSize(host->work, 0), 4);
    EXPECT_EQ(Channels(0, 7), (std::vector<int>{0, 1, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(host->bulkDeletes, 2);
    EXPECT_FALSE(host->bulk);
    EXPECT_EQ(c.jumpIndex, 2);
    EXPECT_FALSE(c.selectionFlags & cmcCellCapsule::kSelRangeChanged);
    Refs want = before;
    want.table[0] = 16;  // named deleted channel 2
    want.scan[0] = 0;    // named deleted channel 3: reset to 0
    EXPECT_EQ(References(), want);
    ExpectModified(true);
}

// After a delete the cursor stands on a channel that is left: the one that moved up into the
// gap, or the bank's new last channel when the last rows went.
TEST_F(RowTest, AfterADeleteTheCursorStandsOnAChannelThatIsLeft)
{
    const struct {
        int first, last, cursor;
    } cases[] = {{5, 5, 4}, {2, 3, 2}, {4, 5, 3}};
    for (const auto& t : cases) {
        Build({6, 4}, 10);
        Boxes().Answer(plat::BoxResult::Ok);
        cmcCellCapsule c = Command(CL_PMenu_Delete, t.first, t.first, t.last);
        EXPECT_EQ(datBankSize(host->work, 0), 6 - (t.last - t.first + 1)) << t.first;
        EXPECT_EQ(c.jump, 1) << t.first;
        EXPECT_EQ(c.jumpIndex, t.cursor) << t.first << ".." << t.last;
    }
}

TEST_F(RowTest, DeletingTheSpecialChannelSwitchesItOff)
{
    Boxes().Answer(plat::BoxResult::Ok);
    Command(CL_PMenu_Delete, 4);
    EXPECT_FALSE(host->work.GetByte(kSpecialOn) & 0x40);
    EXPECT_EQ(Channels(3, 5), (std::vector<int>{3, 5, 6}));
}

TEST_F(RowTest, InsertOpensBlankRowsAndTheFlagsStayWithTheMovedChannels)
{
    host->work.SetByte(kPrio1, 2);
    host->Saved();
    const Refs before = References();
    cmcCellCapsule c = Command(CL_PMenu_Insert, 2, 2, 3);
    EXPECT_EQ(datBankSize(host->work, 0), 8);
    EXPECT_EQ(Channels(0, 11), (std::vector<int>{0, 1, -1, -1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(References(), before);
    EXPECT_EQ(host->work.GetByte(kPrio1), 4);
    EXPECT_EQ(c.rangeFirst, 2);
    EXPECT_EQ(c.rangeLast, 3);
    ExpectModified(true);
}

TEST_F(RowTest, InsertWithSixteenChannelsIsRefused)
{
    Build({10, 6}, 16);
    const auto image = Image();
    Boxes().Answer(plat::BoxResult::Ok);
    Command(CL_PMenu_Insert, 3);
    ASSERT_EQ(Boxes().Seen().size(), 1u);
    EXPECT_EQ(Boxes().Seen()[0].text, texts.GetLines("GI_AppMess_ChErr_Overflow"));
    EXPECT_EQ(Image(), image);
    ExpectModified(false);
}

TEST_F(RowTest, AnInsertLoopStoppedByOverflowKeepsTheRowsBefore)
{
    Build({14}, 14);
    Boxes().Answer(plat::BoxResult::Ok);
    Command(CL_PMenu_Insert, 3, 3, 6);
    EXPECT_EQ(datTotalChannels(host->work), 16);
    EXPECT_EQ(Boxes().Seen().size(), 1u);
}

TEST_F(RowTest, DeleteShiftClosesTheRangeWithinTheBank)
{
    const Refs before = References();
    Boxes().Answer(plat::BoxResult::Ok);
    Command(CL_PMenu_DelShift, 1, 1, 2);
    EXPECT_EQ(datBankSize(host->work, 0), 6);
    EXPECT_EQ(Channels(0, 6), (std::vector<int>{0, 3, 4, 5, -1, -1, 6}));
    Refs want = before;
    want.prio1 = 3;     // priority 1 was on a removed row: it now names row 1
    want.table[0] = 3;  // so does the reference to removed channel 2
    EXPECT_EQ(References(), want);
    EXPECT_EQ(host->work.GetByte(kPrio1), 1);
    ExpectModified(true);
}

TEST_F(RowTest, InsertShiftOpensTheRangeWithinTheBank)
{
    Boxes().Answer(plat::BoxResult::Ok);
    const Refs before = References();
    Command(CL_PMenu_InsShift, 1, 1, 2);
    ASSERT_EQ(Boxes().Seen().size(), 1u);
    EXPECT_EQ(Boxes().Seen()[0].text, texts.GetLines("GI_AppMess_Conv_Overflow"));
    EXPECT_EQ(Channels(0, 6), (std::vector<int>{0, -1, -1, 1, 2, 3, 6}));
    Refs want = before;
    want.special = 2;  // channel 4 was pushed off the end of the bank: its row now holds 2
    want.scan[1] = 3;  // channel 5 too: its row now holds 3
    want.table[4] = 3;
    EXPECT_EQ(References(), want);
}

// An empty bank has no rows: the shifts and copies on it never reach the next bank.
TEST_F(RowTest, CommandsOnAnEmptyBankTouchNothing)
{
    Build({3, 0, 2}, 5);
    host->answerBank = 1;
    const auto image = Image();
    for (int32_t command : {CL_PMenu_DelShift, CL_PMenu_InsShift, CL_PMenu_Copy, CL_PMenu_Clear,
                            CL_PMenu_Delete, CL_PMenu_CarryDown}) {
        Command(command, 3);
        EXPECT_EQ(Image(), image) << command;
    }
    EXPECT_TRUE(Boxes().Seen().empty());
    EXPECT_EQ(host->clipboard.Count(), 0);
    EXPECT_EQ(host->packs, 0);
}

TEST_F(RowTest, AliasRowsInsertAndDelete)
{
    uint8_t* w = host->work.Data();
    for (int i = 0; i < 3; ++i)
        w[0x1C0E + 12 * i] = static_cast<uint8_t>(0xA0 + i);
    w[0x1CFF] = 3;
    host->Saved();
    cmcCellCapsule c = Request(CT_MDC_Alias, CL_Mdc_Alias1_Text, 1);
    c.command = CL_PMenu_Insert;
    Run(c);
    EXPECT_EQ(w[0x1CFF], 4);
    EXPECT_EQ(w[0x1C0E + 12 * 2], 0xA1);
    c = Request(CT_MDC_Alias, CL_Mdc_Alias1_Text, 0);
    c.command = CL_PMenu_Delete;
    c.selectionFlags = cmcCellCapsule::kSelRange;
    c.rangeFirst = 0;
    c.rangeLast = 1;
    Boxes().Answer(plat::BoxResult::Ok);  // alias records are always in use
    Run(c);
    EXPECT_EQ(w[0x1CFF], 2);
    EXPECT_EQ(w[0x1C0E], 0xA1);
    EXPECT_EQ(host->Count(ev::kDeleteMdcAlias), 2);
    // A row beyond the alias count is blank and sends typing to the alias name.
    c = Request(CT_MDC_Alias, CL_Mdc_Alias1_ID, 3, '4');
    Run(c);
    EXPECT_EQ(c.jump, 1);
    EXPECT_EQ(c.jumpId, CL_Mdc_Alias1_Text);
    EXPECT_EQ(c.repeatKey, '4');
}

}  // namespace
