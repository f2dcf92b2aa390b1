// The frame around every cell request: record and bank context, blank rows, the DTMF rows
// of the LMR model, popup commands, dispatch and the end of the request.

#include <string>
#include <vector>

#include "model/datChBanks.h"
#include "platform/TextUtil.h"
#include "rules/RulesFixture.h"
#include "rules/indRowCommands.h"

namespace {

std::vector<int32_t> IdsStartingWith(const std::string& prefix)
{
    std::vector<int32_t> ids;
    for (int32_t id = 0; id < kIdCount; ++id)
        if (IdName(id).rfind(prefix, 0) == 0)
            ids.push_back(id);
    return ids;
}

// A drawing surface that only keeps its colours.
class PlainCanvas : public cmcCanvas {
public:
    cmcColor FontColor() const override { return m_font; }
    void SetFontColor(cmcColor c) override { m_font = c; }
    cmcColor BrushColor() const override { return m_brush; }
    void SetBrushColor(cmcColor c) override { m_brush = c; }
    cmcColor PenColor() const override { return m_pen; }
    void SetPenColor(cmcColor c) override { m_pen = c; }
    void Polygon(const Point*, int) override {}

private:
    cmcColor m_font = clWindowText;
    cmcColor m_brush = clWindow;
    cmcColor m_pen = clWindowText;
};

class FrameTest : public RulesTest, public ::testing::WithParamInterface<int> {};

// On a channel not in use, or on a row beyond the bank, every cell is blank, and a typed
// character moves the cursor to the receive frequency with the key repeated there.
TEST_P(FrameTest, BlankRowsSendTypedCharactersToTheReceiveFrequency)
{
    const int mt = GetParam();
    host->modelType = mt;
    Banks({4});
    for (int i : {0, 1, 3, 5})
        UseChannel(i);  // slot 2 is not in use; slot 5 is in use but beyond the bank
    const int32_t atr = mt == 1 ? CL_Mch_Atr_Pmr : CL_Mch_Atr;
    const int32_t freq = mt == 1 ? CL_Mch_FreqR_Pmr : CL_Mch_FreqR;
    const auto ids = IdsStartingWith("CL_Mch_");
    ASSERT_GT(ids.size(), 80u);
    struct Row {
        int index;
        bool atrBlank;  // a channel not in use still shows its attributes
    };
    for (const Row row : {Row{2, false}, Row{5, true}}) {
        for (int32_t id : ids) {
            if (id == freq || (id == atr && !row.atrBlank))
                continue;
            cmcCellCapsule draw = Request(CT_Mch, id, row.index);
            draw.sheet = nullptr;
            draw.grid = draw.owner = nullptr;
            Run(draw, 0);
            EXPECT_EQ(draw.text, "") << IdName(id) << " row " << row.index;
            EXPECT_EQ(draw.flags & (cmcCellCapsule::kFlagWarning | cmcCellCapsule::kFlagError), 0);

            cmcCellCapsule typed = Request(CT_Mch, id, row.index, '7');
            EXPECT_EQ(Run(typed), cmcCellCapsule::kResultNone);
            EXPECT_EQ(typed.text, "") << IdName(id);
            EXPECT_EQ(typed.jump, 1) << IdName(id) << " row " << row.index;
            EXPECT_EQ(typed.jumpCategory, CT_Mch);
            EXPECT_EQ(typed.jumpId, freq);
            EXPECT_EQ(typed.jumpIndex, row.index);
            EXPECT_EQ(typed.repeatKey, '7');
        }
    }
    // The receive frequency itself takes the key: no jump to itself, which would repeat
    // forever on a sheet whose cursor cannot move.
    cmcCellCapsule own = Request(CT_Mch, freq, 2, '7');
    Run(own);
    EXPECT_EQ(own.jump, 0);
    EXPECT_EQ(own.repeatKey, 0);
    // A channel in use inside the bank runs its own handling.
    cmcCellCapsule used = Request(CT_Mch, CL_Mch_Nar, 1, '7');
    Run(used);
    EXPECT_EQ(used.jump, 0);
}

INSTANTIATE_TEST_SUITE_P(ModelTypes, FrameTest, ::testing::Values(0, 1, 2, 3));

TEST_F(RulesTest, TheBankSheetsSelectionDecidesWhichRowsExist)
{
    Banks({2, 3, 0, 2});
    for (int i = 0; i < 8; ++i)
        UseChannel(i);  // channel 7 has a record but no bank
    struct Case {
        int answer;  // the bank the bank sheet shows; -1 none
        int bankField;
        int index;
        bool blank;
    } cases[] = {
        {1, 0, 2, false},   // bank 1's first channel
        {1, 0, 4, false},   // its last
        {1, 0, 5, true},    // the next bank's first channel
        {2, 0, 5, true},    // an empty bank has no rows at all
        {-1, 3, 5, false},  // without a bank sheet the capsule names the bank
        {-1, 3, 7, true},
    };
    PlainCanvas plain;
    cmcCanvas* canvas = &plain;
    for (const Case& k : cases) {
        host->answerBank = k.answer;
        cmcCellCapsule c = Request(CT_Mch, CL_Mch_Nar, k.index, 'x');
        c.bank = k.bankField;
        Run(c);
        EXPECT_EQ(c.jump == 1, k.blank) << "bank " << k.answer << " index " << k.index;
        // Drawing: the sheet gives only its canvas, and asks the same.
        cmcCellCapsule draw;
        draw.cell = &cell;
        draw.canvas = canvas;
        draw.bank = k.bankField;
        Run(draw, 0);
        EXPECT_EQ(draw.jump == 1, k.blank) << "drawing, bank " << k.answer << " index " << k.index;
    }
}

TEST_F(RulesTest, EvaluationsOutsideASheetUseTheBankOfTheChannel)
{
    Banks({4, 0, 3});
    for (auto [index, bank] : {std::pair{0, 0}, {3, 0}, {4, 2}, {6, 2}, {7, 0}, {-1, 0}})
        EXPECT_EQ(indActiveCell::BankHolding(host->work, index), bank) << index;
    // A bank sheet showing bank 0 does not hide bank 2's channels from an evaluation.
    host->answerBank = 0;
    UseChannel(5);
    cmcCellObj nar;
    nar.category = CT_Mch;
    nar.id = CL_Mch_Nar;
    nar.index = 5;
    cmcCellCapsule c;
    c.cell = &nar;
    c.bank = indActiveCell::BankHolding(host->work, 5);
    Run(c, 0);
    EXPECT_EQ(c.jump, 0);
    EXPECT_EQ(rules->EvaluateFlags(CT_Mch, CL_Mch_Nar, 5), 0);
}

TEST_F(RulesTest, DtmfCodeRowsOfTheLmrModelAreTheEmergencyAndIdCodes)
{
    const int32_t codes[] = {CL_Dtmf_Code, CL_Dtmf_CodeID, CL_Dtmf_CodeEmer};
    for (int mt = 0; mt < 4; ++mt) {
        host->modelType = mt;
        for (int32_t id : codes) {
            for (int index = 0; index < 4; ++index) {
                int32_t want = id;
                if (mt == 0)
                    want = index == 1   ? CL_Dtmf_CodeEmer
                           : index == 2 ? CL_Dtmf_CodeID
                                        : CL_Dtmf_Code;
                cmcCellCapsule c = Request(CT_DTMF, id, index);
                Run(c, 0);
                EXPECT_EQ(c.jumpId, want) << "model " << mt << " " << IdName(id) << " " << index;
                EXPECT_EQ(c.jump, 0);
            }
        }
    }
    // Other DTMF cells keep their identifier.
    cmcCellCapsule other = Request(CT_DTMF, CL_Dtmf_ChNo, 1);
    Run(other, 0);
    EXPECT_EQ(other.jumpId, CL_Dtmf_ChNo);
}

TEST_F(RulesTest, IdentifiersWithoutAHandlerShowTheirNumber)
{
    std::vector<int32_t> ids = IdsStartingWith("CL_EeDebugWin_");
    ASSERT_EQ(ids.size(), 17u);
    ids.insert(ids.end(), {FlexEeDebugWin, kIdCount + 1, 5000, -3});  // kIdCount is none
    for (int32_t id : ids) {
        cmcCellCapsule c = Request(CT_Null, id, 0, 'a');
        Run(c);
        EXPECT_EQ(c.text, txt::Format("%d *Yet*", id));
        EXPECT_EQ(c.jump, 0);
    }
}

TEST_F(RulesTest, EmptyRulesShowNothingAndDoNothing)
{
    std::vector<int32_t> ids = {CL_Null,
                                Flex_Language_ChNo,
                                CL_Comm_Strv_Text,
                                CL_Adjust_LvRx_Sweep,
                                CL_Adjust_LvTx_Sweep,
                                CL_Adjust_Smeter_Sweep,
                                CL_WinAD_SMTR_Dec,
                                kNoId};
    for (int n = 2; n <= 5; ++n)
        for (const char* f : {"Strip", "Beep_Type", "ID", "Text"})
            ids.push_back(LookupId(txt::Format("CL_Mdc_Alias%d_%s", n, f)));
    ASSERT_EQ(ids.size(), 24u);
    for (int32_t id : ids) {
        const std::vector<uint8_t> before(host->work.Data(), host->work.Data() + 0x1D00);
        cmcCellCapsule c = Request(CT_Null, id, 0, ' ');
        EXPECT_EQ(Run(c), cmcCellCapsule::kResultNone);
        EXPECT_EQ(c.text, "") << IdName(id);
        EXPECT_EQ(c.jump, 0);
        EXPECT_TRUE(std::equal(before.begin(), before.end(), host->work.Data()));
    }
}

TEST_F(RulesTest, ListItemsShowTheirTextOrNumber)
{
    cmcCellCapsule c = Request(CT_Null, Flex0, 3);
    cell.text = "Wide";
    Run(c, 0);
    EXPECT_EQ(c.text, "Wide");
    c = Request(CT_Null, FlexCHSelNum, 12);
    Run(c, 0);
    EXPECT_EQ(c.text, "12");
    host->work.SetByte(0x1CFE, 0);
    host->work.SetByte(0x1CFF, 2);  // two MDC aliases
    c = Request(CT_Null, FlexMdcAlias_ChNo, 1);
    Run(c, 0);
    EXPECT_EQ(c.text, "  2");
    c = Request(CT_Null, FlexMdcAlias_ChNo, 2);
    Run(c, 0);
    EXPECT_EQ(c.text, texts.GetText("GI_NewChTitle"));
}

// Every overlay key a request can reach exists in the installed English overlay.
TEST_F(RulesTest, EveryMessageOfTheRulesIsInTheOverlay)
{
    for (const char* key :
         {indRowCommands::kStatusCopy, indRowCommands::kStatusPaste, indRowCommands::kStatusClear,
          indRowCommands::kStatusDelete, indRowCommands::kStatusInsert,
          indRowCommands::kConfirmOverwrite, indRowCommands::kConfirmClear,
          indRowCommands::kConfirmDelete, indRowCommands::kConfirmOverflow,
          indRowCommands::kErrorDelPrio, indRowCommands::kErrorOverflow, "GI_AppMess_NoHelp",
          "GI_NewChTitle", "GI_Sys_AppTitle"})
        EXPECT_TRUE(texts.HasKey(key)) << key;
}

TEST_F(RulesTest, SheetsReachTheRulesThroughTheEntryPoint)
{
    cmcCellRulesFn fn = &indActiveCell::Rules;
    cmcCellCapsule c = Request(CT_Null, FlexCHSelNum, 7);
    EXPECT_EQ(fn(rules.get(), &c, 0), cmcCellCapsule::kResultNone);
    EXPECT_EQ(c.text, "7");
    EXPECT_EQ(fn(nullptr, &c, 0), cmcCellCapsule::kResultNone);
    EXPECT_EQ(fn(rules.get(), nullptr, 0), cmcCellCapsule::kResultNone);
}

TEST_F(RulesTest, AnUnknownCategoryEndsTheProgram)
{
    EXPECT_DEATH(
        {
            cmcCellCapsule c = Request(25, CL_Null, 0);
            Run(c);
        },
        "Unknown Cell Category. \\(25\\)");
    cmcCellCapsule none = Request(kNoCategory, CL_Null, 0);
    Run(none);  // 24 means no category
}

TEST_F(RulesTest, DoubleClickIsEnterAndTheEditItemIsEnter)
{
    cmcCellCapsule c = Request(CT_Null, CL_Null, 0, cmcCellCapsule::kKeyDoubleClick);
    Run(c);
    EXPECT_EQ(c.key, cmcCellCapsule::kKeyEnter);
    c = Request(CT_Null, CL_Null, 0);
    c.command = CL_PMenu_Edit;
    Run(c);
    EXPECT_EQ(c.key, cmcCellCapsule::kKeyEnter);
    EXPECT_EQ(c.command, 0);
}

// Warning re-check and modified test follow user events that carry a key, text or command;
// drawing and evaluating (mode 0) never start them, even with a key given.
TEST_F(RulesTest, EndOfRequestRechecksOnlyAfterUserInput)
{
    struct Case {
        int mode;
        int32_t key;
        int32_t inputMode;
        int recheck;
    } cases[] = {{1, 'a', 0, 1}, {1, 0, 1, 1}, {1, 0, 0, 0}, {0, 'a', 0, 0}, {0, 0, 1, 0}};
    for (const Case& k : cases) {
        host->rechecks = host->modifiedChecks = 0;
        cmcCellCapsule c = Request(CT_Null, Flex0, 0, k.key);
        c.inputMode = k.inputMode;
        Run(c, k.mode);
        EXPECT_EQ(host->rechecks, k.recheck) << k.mode << " " << k.key << " " << k.inputMode;
        EXPECT_EQ(host->modifiedChecks, k.recheck);
    }
    cmcCellObj item;
    item.category = CT_Null;
    item.id = Flex0;
    host->rechecks = 0;
    rules->EvaluateText(item, 'a');
    EXPECT_EQ(host->rechecks, 0);
}

TEST_F(RulesTest, RepaintAsksForTheRowWhenARecordWasLoaded)
{
    Banks({4});
    UseChannel(1);
    cmcCellCapsule c = Request(CT_Mch, CL_Mch_Nar, 1);
    Run(c, 1);
    ASSERT_EQ(repaints.size(), 1u);
    EXPECT_EQ(repaints[0] & (cmcCellCapsule::kRepaintSame | cmcCellCapsule::kRepaintIndex),
              cmcCellCapsule::kRepaintSame | cmcCellCapsule::kRepaintIndex);
    repaints.clear();
    c = Request(CT_Null, Flex0, 1);
    Run(c, 1);
    EXPECT_EQ(repaints, std::vector<int>{cmcCellCapsule::kRepaintSame});
    repaints.clear();
    c = Request(CT_Mch, CL_Mch_Nar, 1);
    Run(c, 0);
    EXPECT_TRUE(repaints.empty());
}

// A popup menu item acts on the row its menu was opened on.
TEST_F(RulesTest, PopupItemsTakeTheRecordOfTheirRow)
{
    Banks({4});
    UseChannel(2);
    cmcCellObj rowCell;
    rowCell.category = CT_Mch;
    rowCell.id = CL_Mch_Nar;
    rowCell.index = 2;
    cmcCellCapsule row;
    row.cell = &rowCell;
    cmcCellCapsule item = Request(CT_PopupMenu, CL_PMenu_Copy, 0);
    item.context = &row;
    Run(item, 1);
    ASSERT_EQ(repaints.size(), 1u);
    EXPECT_TRUE(repaints[0] & cmcCellCapsule::kRepaintIndex);
    repaints.clear();
    item = Request(CT_PopupMenu, CL_PMenu_Copy, 0);
    Run(item, 1);
    EXPECT_EQ(repaints, std::vector<int>{cmcCellCapsule::kRepaintSame});
}

TEST_F(RulesTest, HelpAsksTheHostAndOtherwiseSaysThereIsNone)
{
    host->help[CL_Mch_Nar] = 42;
    cmcCellCapsule c = Request(CT_Mch, CL_Mch_Nar, 0);
    c.command = CL_PMenu_Help;
    Run(c);
    EXPECT_EQ(host->helpShown, std::vector<int>{42});
    EXPECT_TRUE(Boxes().Seen().empty());

    Boxes().Answer(plat::BoxResult::Ok);
    c = Request(CT_Null, Flex0, 0);
    c.command = CL_PMenu_Help;
    Run(c);
    EXPECT_EQ(host->helpShown.size(), 1u);
    ASSERT_EQ(Boxes().Seen().size(), 1u);
    EXPECT_EQ(Boxes().Seen()[0].text, texts.GetLines("GI_AppMess_NoHelp"));
    EXPECT_EQ(Boxes().Seen()[0].icon, plat::BoxIcon::Information);
    EXPECT_EQ(c.text, "");  // the cell's own handling is skipped
}

}  // namespace

namespace {

// The row commands of a popup menu are disabled by the row the menu was opened on: its
// record, whether it lies beyond the bank or the alias count, and its index.
TEST_F(RulesTest, PopupItemsAreDisabledByTheRowTheMenuBelongsTo)
{
    host->modelType = 1;
    Banks({2, 4});
    for (int i = 0; i < 6; ++i)
        UseChannel(i);
    host->answerBank = 1;  // rows 2 .. 5
    host->work.SetByte(0x1CFF, 2);
    struct Case {
        int32_t category;
        int index;
        bool clip;  // the clipboard holds channels
        int32_t item;
        bool disabled;
    } cases[] = {
        {CT_Mch, 2, true, CL_PMenu_Copy, false},
        {CT_Mch, 2, true, CL_PMenu_Paste, false},
        {CT_Mch, 2, false, CL_PMenu_Paste, true},
        {CT_Mch, 2, true, CL_PMenu_CarryUp, true},  // the bank's first row
        {CT_Mch, 2, true, CL_PMenu_CarryDown, false},
        {CT_Mch, 5, true, CL_PMenu_CarryUp, false},
        {CT_Mch, 5, true, CL_PMenu_CarryDown, true},  // the bank's last row
        {CT_Mch, 6, true, CL_PMenu_Copy, true},       // beyond the bank
        {CT_Mch, 6, true, CL_PMenu_Delete, true},
        {CT_Mch, 6, true, CL_PMenu_Paste, true},
        {CT_MDC_Alias, 1, true, CL_PMenu_CarryDown, true},  // the last alias
        {CT_MDC_Alias, 0, true, CL_PMenu_CarryDown, false},
        {CT_MDC_Alias, 2, true, CL_PMenu_Clear, true},  // beyond the alias count
        {CT_MDC_Alias, 1, true, CL_PMenu_Clear, false},
    };
    for (const Case& k : cases) {
        host->clipboard.Reset();
        if (k.clip)
            host->clipboard.CopyFrom(host->work, 2, 0, 1);
        cmcCellObj rowCell;
        rowCell.category = k.category;
        rowCell.id = CL_Mch_Nar;
        rowCell.index = k.index;
        cmcCellCapsule row;
        row.cell = &rowCell;
        cmcCellCapsule c = Request(CT_PopupMenu, k.item, 0);
        c.context = &row;
        Run(c, 0);
        EXPECT_EQ(cell.UserFlag(cmcCellObj::kFlagDisabled), k.disabled)
            << IdName(k.item) << " on " << CategoryName(k.category) << " row " << k.index;
        cell.SetUserFlag(cmcCellObj::kFlagDisabled, false);
    }
    // Items without a rule show their number like any cell without a handler.
    cmcCellCapsule insert = Request(CT_PopupMenu, CL_PMenu_Insert, 0);
    Run(insert, 0);
    EXPECT_EQ(insert.text, txt::Format("%d *Yet*", static_cast<int>(CL_PMenu_Insert)));
    cmcCellCapsule none = Request(CT_PopupMenu, CL_PMenu_NoItem, 0);
    Run(none, 0);
    EXPECT_TRUE(cell.UserFlag(cmcCellObj::kFlagDisabled));
    EXPECT_TRUE(cell.UserFlag(cmcCellObj::kFlagHidden));
}

}  // namespace
