#include <random>
#include <vector>

#include "model/datChBanks.h"
#include "model/indUndo.h"
#include "rules/RulesFixture.h"

namespace {

using Bytes = std::vector<uint8_t>;

class UndoTest : public RulesTest {
protected:
    Bytes Image() const { return {host->work.Data(), host->work.Data() + host->work.GetSize()}; }
    void Type(int32_t category, int32_t id, int32_t index, const std::string& text)
    {
        cmcCellCapsule c = Request(category, id, index);
        c.inputMode = cmcCellCapsule::kInputText;
        c.inputText = text;
        c.key = 0;
        Run(c);
    }
    void Key(int32_t category, int32_t id, int32_t index, int32_t key)
    {
        cmcCellCapsule c = Request(category, id, index, key);
        Run(c);
    }
    void Command(int32_t command, int row)
    {
        cmcCellCapsule c = Request(CT_Mch, CL_Mch_Nar, row);
        c.command = command;
        Run(c);
        events->Tick();
    }
};

TEST(indUndo, StepsKeepOnlyWhatChangedAndRedoIsDroppedByANewEdit)
{
    Bytes img(16, 0);
    indUndo u;
    u.Begin(img.data(), img.size());
    EXPECT_FALSE(u.Commit(img.data(), img.size(), "nothing")) << "no change, no step";
    u.Begin(img.data(), img.size());
    img[3] = 7;
    EXPECT_TRUE(u.Commit(img.data(), img.size(), "Channel 1 Receive Frequency"));
    u.Begin(img.data(), img.size());
    img[5] = 9;
    u.Commit(img.data(), img.size(), "Squelch Level");
    EXPECT_EQ(u.UndoDescription(), "Squelch Level");
    EXPECT_TRUE(u.Undo(img.data(), img.size()));
    EXPECT_EQ(img[5], 0);
    EXPECT_EQ(u.RedoDescription(), "Squelch Level");
    u.Begin(img.data(), img.size());
    img[0] = 1;
    u.Commit(img.data(), img.size(), "Beep Level");
    EXPECT_FALSE(u.CanRedo());
    EXPECT_EQ(u.Steps(), 2u);
    u.Clear();
    EXPECT_FALSE(u.CanUndo());
    EXPECT_EQ(u.UndoDescription(), "");
}

// A hundred random edits of every kind through the rules (typed values, choices stepped with
// the space key, channels brought into use, row commands that move channels and change the
// bank sizes): undone they give the original image byte for byte, redone the edited one.
TEST_F(UndoTest, HundredRandomEditsUndoAndRedoExactly)
{
    qvtest::ScopedGlobal<cmcFCache> cache{g_FCache, &host->cache};
    Banks({6, 4});
    for (int i = 0; i < 10; ++i)
        UseChannel(i);
    host->Saved();
    host->undo.Clear();
    Boxes().AnswerAll(plat::BoxResult::Ok);  // the row commands' questions are not the point
    const Bytes original = Image();

    std::mt19937 rng(1234);
    auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    const int32_t typed[] = {CL_SetM_AFMinLev, CL_Comm_CloneComment1, CL_Comm_UserPassword,
                             CL_Comm_Tot_Timer};
    const int32_t stepped[] = {CL_KDisp_MicFunc, CL_Comm_PwrOnPassword, CL_Comm_Tot_Beep};
    const int32_t rows[] = {CL_PMenu_Copy,    CL_PMenu_Paste,     CL_PMenu_Clear,
                            CL_PMenu_CarryUp, CL_PMenu_CarryDown, CL_PMenu_Insert};
    int edits = 0;
    for (int n = 0; n < 100; ++n) {
        const size_t before = host->undo.Steps();
        switch (pick(4)) {
            case 0:
                Type(CT_Null, typed[pick(4)], 0, std::to_string(pick(9999)));
                break;
            case 1:
                Key(CT_Null, stepped[pick(3)], 0, cmcCellCapsule::kKeySpace);
                break;
            case 2:
                Type(CT_Mch, CL_Mch_FreqR, pick(datBankSize(host->work, 0)),
                     std::to_string(400 + pick(50)) + ".125");
                break;
            default: {
                const int32_t command = rows[pick(6)];
                // An insert into a full radio would ask; keep room for it.
                if (command == CL_PMenu_Insert && datTotalChannels(host->work) >= 14)
                    break;
                Command(command, pick(datBankSize(host->work, 0)));
                break;
            }
        }
        edits += host->undo.Steps() > before ? 1 : 0;
        EXPECT_LE(host->undo.Steps(), before + 1) << "one step per request";
    }
    EXPECT_GT(edits, 50);
    const Bytes edited = Image();
    ASSERT_NE(edited, original);
    while (host->undo.CanUndo())
        host->undo.Undo(host->work.Data(), host->work.size());
    EXPECT_EQ(Image(), original);
    while (host->undo.CanRedo())
        host->undo.Redo(host->work.Data(), host->work.size());
    EXPECT_EQ(Image(), edited);
}

}  // namespace
