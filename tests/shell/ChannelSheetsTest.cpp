// Channels as a new user edits them: bank mode on, channels typed into two banks, a row
// copied from one bank and pasted into the other, one deleted, the file saved and opened
// again. Screenshots of each step go to QV_SHOTS when it names a folder.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QKeyEvent>
#include <QTreeWidget>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "cells/cmcCellIds.h"
#include "common/EventIds.h"
#include "common/cmcEvMan.h"
#include "common/indEnviron.h"
#include "model/datCh.h"
#include "model/datChBanks.h"
#include "overlay/cmcGTex.h"
#include "overlay/cmcHelpGTex.h"
#include "sheets/cuiGrid.h"
#include "sheets/cuiPopupForm.h"
#include "sheets/cuiSheet.h"
#include "sheets/model/iuiSh_ChBank.h"
#include "sheets/model/iuiSh_Mch.h"
#include "shell/QtTestApp.h"
#include "shell/TForm1.h"
#include "shell/cuiSheetPage.h"
#include "shell/indMain.h"
#include "shell/iuiTree.h"
#include "support/TestServices.h"

namespace fs = std::filesystem;

namespace {

class ChannelSheetsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QtTestApp();
        const std::string key = "Software\\Tavo\\Quorvex";
        environ =
            std::make_unique<indEnviron>("QvTest Channels " + std::to_string(getpid()), key, key);
        g_Environ = environ.get();
        g_GTex = &mainGTex;
        g_BaseGTex = &baseGTex;
        g_HelpGTex = &helpGTex;
        g_EvMan = &evMan;
        char tmpl[] = "/tmp/qv_channels_XXXXXX";
        dir = mkdtemp(tmpl);
        environ->currentDirectory = dir.string();
        main = std::make_unique<indMain>("TM5150Q", 7424);
        g_Main = main.get();
        main->fileDialog = [this](bool, const std::string&) { return path; };
        form = std::make_unique<TForm1>();
        form->resize(1100, 600);
        form->show();
        boxes().Clear();
    }
    void TearDown() override
    {
        form.reset();
        main.reset();
        g_Main = nullptr;
        g_EvMan = nullptr;
        g_GTex = g_BaseGTex = nullptr;
        g_HelpGTex = nullptr;
        environ.reset();
        g_Environ = nullptr;
        fs::remove_all(dir);
    }
    qvtest::TestMessageBoxes& boxes() { return qvtest::Services().boxes; }
    void Open(const std::string& reference)
    {
        QTreeWidgetItem* n = main->Tree()->FindBySheet(reference);
        ASSERT_NE(n, nullptr) << reference;
        main->Tree()->Control()->setCurrentItem(n);
        ASSERT_NE(main->Sheet(), nullptr);
        ASSERT_NE(main->Sheet()->Sheet(), nullptr);
    }
    cuiSheet& Sheet() { return *main->Sheet()->Sheet(); }
    std::string Bank(int b) { return "[St_ChBank]GI_Sheet_Mch_Lmr,Bank " + std::to_string(b); }
    int Col(int32_t id)
    {
        for (int c = 0; c < Sheet().ColCount(); ++c)
            if (Sheet().CellAt(c, Sheet().RowCount() - 1).id == id)
                return c;
        return -1;
    }
    // Types a frequency on a row as the user does: a digit, then the whole text confirmed.
    void TypeFrequency(int row, const std::string& mhz)
    {
        const int col = Col(CL_Mch_FreqR);
        ASSERT_GE(col, 0);
        Sheet().MoveTo(col, row);
        Sheet().SendAction(col, row, mhz[0], 0);
        Sheet().HideEditor(false);
        Sheet().SendAction(col, row, cmcCellCapsule::kKeyEnter, 0, &mhz);
    }
    void Shot(const char* name)
    {
        const char* shots = std::getenv("QV_SHOTS");
        if (shots && *shots)
            form->grab().save(QString::fromStdString(std::string(shots) + "/" + name + ".png"));
    }
    // The text the rules give a cell of the shown sheet.
    std::string Text(int col, int row)
    {
        cmcCellCapsule c;
        c.sheet = &Sheet();
        c.cell = &Sheet().CellIdAt(col, row).cell;
        Sheet().Rules()(Sheet().RulesContext(), &c, 0);
        return c.text;
    }
    int ColOf(int32_t id, int row)
    {
        for (int c = 0; c < Sheet().ColCount(); ++c)
            if (Sheet().CellAt(c, row).id == id)
                return c;
        return -1;
    }
    void Press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QKeyEvent press(QEvent::KeyPress, key, mods);
        QApplication::sendEvent(Sheet().Grid(), &press);
        QKeyEvent release(QEvent::KeyRelease, key, mods);
        QApplication::sendEvent(Sheet().Grid(), &release);
    }
    // Types an alias name on a row: the first letter makes the row an alias and opens the
    // segment text window, which the edit's end closes; the whole name then goes in.
    void TypeAlias(int row, const std::string& name)
    {
        const int col = ColOf(CL_Mdc_Alias1_Text, row);
        ASSERT_GE(col, 0);
        Sheet().MoveTo(col, row);
        Sheet().SendAction(col, row, name[0], 0);
        evMan.Send(ev::kCommitEdits);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Sheet().SendAction(col, row, cmcCellCapsule::kKeyEnter, 0, &name);
        evMan.Send(ev::kCommitEdits);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    std::vector<std::string> BankCaptions()
    {
        std::vector<std::string> out;
        for (QTreeWidgetItem* n : main->Tree()->Nodes())
            if (iuiTree::BankOf(n) >= 0)
                out.push_back(n->text(0).toStdString());
        return out;
    }
    uint32_t Frequency(int slot)
    {
        datCh ch(main->Doc().Work());
        ch.Load(1, slot);
        return ch.InUse() ? ch.freqR : 0;
    }

    std::unique_ptr<indEnviron> environ;
    cmcGTex mainGTex, baseGTex;
    cmcHelpGTex helpGTex;
    cmcEvMan evMan;
    std::unique_ptr<indMain> main;
    std::unique_ptr<TForm1> form;
    fs::path dir;
    std::string path;
};

TEST_F(ChannelSheetsTest, ChannelsInTwoBanksSurviveCopyPasteDeleteSaveAndOpen)
{
    // Bank mode on from the bank sheet.
    Open("GI_Sheet_Memory_CH_Top");
    Shot("01-bank-sheet");
    {
        cuiSheet& s = Sheet();
        for (int r = 0; r < s.RowCount(); ++r)
            for (int c = 0; c < s.ColCount(); ++c)
                if (s.CellAt(c, r).id == CL_Bank_SelBankFree) {
                    s.MoveTo(c, r);
                    s.SendAction(c, r, cmcCellCapsule::kKeySpace, 0);
                }
    }
    const cmcEeprom& work = main->Doc().Work();
    ASSERT_NE(datBankSize(work, 1), 0);
    const int first1 = datChannelsBefore(work, 1);
    const int used0 = datUsedChannelsInBank(work, 0, 0);

    // Bank 2 (index 1): its one channel, then one more on the new row.
    Open(Bank(1));
    TypeFrequency(Sheet().RowCount() - 2, "146.52");
    TypeFrequency(Sheet().RowCount() - 1, "146.54");
    EXPECT_EQ(datBankSize(work, 1), 2);
    Shot("02-bank2-two-channels");

    // Bank 3 (index 2), empty: two channels typed on its new row.
    Open(Bank(2));
    ASSERT_EQ(Sheet().RowCount(), 2);  // header and new row
    TypeFrequency(1, "446.1");
    TypeFrequency(2, "446.2");
    EXPECT_EQ(datBankSize(work, 2), 2);
    EXPECT_EQ(Sheet().RowCount(), 4);

    // Copy the second channel of bank 2, paste it over the second channel of bank 3.
    Open(Bank(1));
    Sheet().MoveTo(Col(CL_Mch_FreqR), 2);
    Sheet().SendAction(Col(CL_Mch_FreqR), 2, 0, CL_PMenu_Copy);
    Open(Bank(2));
    Sheet().MoveTo(Col(CL_Mch_FreqR), 2);
    boxes().Answer(plat::BoxResult::Ok);  // the row is in use: overwrite it
    Sheet().SendAction(Col(CL_Mch_FreqR), 2, 0, CL_PMenu_Paste);
    Shot("03-bank3-pasted");

    // Delete the first channel of bank 2.
    Open(Bank(1));
    Sheet().MoveTo(Col(CL_Mch_FreqR), 1);
    boxes().Answer(plat::BoxResult::Ok);
    Sheet().SendAction(Col(CL_Mch_FreqR), 1, 0, CL_PMenu_Delete);
    EXPECT_EQ(datBankSize(work, 1), 1);
    EXPECT_EQ(Sheet().RowCount(), 3);
    Shot("04-bank2-after-delete");

    const int first2 = datChannelsBefore(work, 2);
    EXPECT_EQ(Frequency(first1), 146540000u);
    EXPECT_EQ(Frequency(first2), 446100000u);
    EXPECT_EQ(Frequency(first2 + 1), 146540000u);

    // Save, start a new document, open the file again: everything as it was left.
    path = (dir / "two banks.qcl").string();
    main->SaveDocument();
    EXPECT_FALSE(main->Doc().Modified());
    const std::vector<uint8_t> saved(work.Data() + 0x0780, work.Data() + 0x0A0E);
    main->NewDocument();
    EXPECT_EQ(datBankSize(main->Doc().Work(), 2), 0);
    ASSERT_EQ(main->OpenFile(path), 0);
    const cmcEeprom& back = main->Doc().Work();
    EXPECT_EQ(datBankSize(back, 0), datBankSize(work, 0));
    EXPECT_EQ(datBankSize(back, 1), 1);
    EXPECT_EQ(datBankSize(back, 2), 2);
    EXPECT_EQ(datUsedChannelsInBank(back, 0, 0), used0);
    EXPECT_EQ(Frequency(first1), 146540000u);
    EXPECT_EQ(Frequency(first2), 446100000u);
    EXPECT_EQ(Frequency(first2 + 1), 146540000u);
    EXPECT_EQ(std::vector<uint8_t>(back.Data() + 0x0780, back.Data() + 0x0A0E), saved);
    Open(Bank(2));
    Shot("05-reopened-bank3");
    Open("GI_Sheet_Memory_CH_Top");
    Shot("06-reopened-bank-sheet");
    EXPECT_TRUE(boxes().Seen().size() == 2u);  // the overwrite and the delete questions
}

// The bank query reaches the sheet that asks and, for a list, the bank sheet on screen.
TEST_F(ChannelSheetsTest, ABankSheetAnswersForItselfAndOnScreenOnly)
{
    Open(Bank(0));
    auto* shown = dynamic_cast<iuiSh_ChBank*>(&Sheet());
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(iuiSh_ChBank::OnScreen(), shown);
    QWidget host;
    iuiSh_ChBank printed(&host, nullptr, 0, 0, &mainGTex, "GI_Sheet_Mch_Lmr", nullptr);
    printed.SetParameter("Bank 3");
    const cmcEvAnswer* own =
        evMan.Query(ev::kQueryBankSelection,
                    reinterpret_cast<intptr_t>(static_cast<cuiSheet*>(&printed)), ev::kBankOfAsker);
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(own->value1, 3);
    const cmcEvAnswer* screen = evMan.Query(ev::kQueryBankSelection, 0, ev::kBankOnScreen);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->value1, 0);
}

// The alias list as a dealer fills it: a name typed on the New row adds an alias, the list
// stops at five, and removing rows leaves the cursor on an alias.
TEST_F(ChannelSheetsTest, AliasSheetGrowsToFiveAliasesAndKeepsTheCursorOnAnAlias)
{
    const std::string reference = "GI_Sheet_MDC_AliasM,M";
    Open(reference);
    auto* aliases = dynamic_cast<iuiSh_Mch*>(&Sheet());
    ASSERT_NE(aliases, nullptr);
    EXPECT_EQ(aliases->Kind(), 'M');
    const cmcEeprom& work = main->Doc().Work();
    ASSERT_EQ(datStatusCount(work), 0);
    ASSERT_EQ(Sheet().RowCount(), 2);  // the header and the New row
    EXPECT_EQ(Text(0, 1), "New");
    // Room for five aliases and the New row without a rebuild.
    EXPECT_GE(Sheet().RowCapacity(), 7);
    EXPECT_EQ(Sheet().GetPrintTitle(), "MDC Aliases - not kept in clone files or in the radio");

    const char* names[] = {"BASE", "CAR 1", "CAR 2", "CAR 3", "DEPOT"};
    for (int i = 0; i < 5; ++i) {
        TypeAlias(Sheet().RowCount() - 1, names[i]);
        EXPECT_EQ(datStatusCount(work), i + 1) << names[i];
        EXPECT_EQ(Sheet().RowCount(), i + 3) << names[i];
        EXPECT_EQ(Text(ColOf(CL_Mdc_Alias1_Text, i + 1), i + 1), names[i]);
        EXPECT_EQ(Text(0, i + 1), "  " + std::to_string(i + 1));
        // Only the New row stays out of a multi-selection.
        EXPECT_TRUE(Sheet().CellIdAt(1, i + 1).rowSelectable);
        EXPECT_FALSE(Sheet().CellIdAt(1, i + 2).rowSelectable);
    }
    Shot("07-five-aliases");
    // A sixth is refused and changes nothing.
    const std::vector<uint8_t> full(work.Data(), work.Data() + work.GetSize());
    boxes().Clear();
    boxes().Answer(plat::BoxResult::Ok);
    Sheet().SendAction(ColOf(CL_Mdc_Alias1_Text, 6), 6, 'X', 0);
    EXPECT_EQ(boxes().Seen().size(), 1u);
    EXPECT_EQ(std::vector<uint8_t>(work.Data(), work.Data() + work.GetSize()), full);
    EXPECT_EQ(Sheet().RowCount(), 7);

    // Three rows removed with the cursor on the last alias: it stays on an alias.
    const int col = ColOf(CL_Mdc_Alias1_ID, 5);
    Sheet().MoveTo(col, 5);
    Press(Qt::Key_Up, Qt::ShiftModifier);
    Press(Qt::Key_Up, Qt::ShiftModifier);
    ASSERT_TRUE(Sheet().MultiSelectionActive());
    boxes().Answer(plat::BoxResult::Ok);
    Sheet().SendAction(col, Sheet().Grid()->Row(), 0, CL_PMenu_Delete);
    EXPECT_EQ(datStatusCount(work), 2);
    EXPECT_EQ(Sheet().RowCount(), 4);
    EXPECT_EQ(Sheet().Grid()->Row(), 2);  // the new last alias
    EXPECT_FALSE(Sheet().MultiSelectionActive());
    EXPECT_EQ(Text(ColOf(CL_Mdc_Alias1_Text, 1), 1), "BASE");
    EXPECT_EQ(Text(ColOf(CL_Mdc_Alias1_Text, 2), 2), "CAR 1");
    EXPECT_EQ(Text(0, 3), "New");
    // The first alias goes too (its row's menu, the cursor below it): the cursor stays on
    // the alias that is left.
    boxes().Answer(plat::BoxResult::Ok);
    Sheet().SendAction(col, 1, 0, CL_PMenu_Delete);
    EXPECT_EQ(datStatusCount(work), 1);
    EXPECT_EQ(Sheet().RowCount(), 3);
    EXPECT_EQ(Sheet().Grid()->Row(), 1);
    EXPECT_EQ(Text(ColOf(CL_Mdc_Alias1_Text, 1), 1), "CAR 1");
    Shot("08-aliases-after-delete");
}

// Bank nodes are named "Bank 1" to "Bank 8" by the tree; the radio stores no bank names, so
// moving banks or a bank name event that carries none keeps those captions.
TEST_F(ChannelSheetsTest, BankNodesKeepTheirCaptionsWhenBanksMove)
{
    Open("GI_Sheet_Memory_CH_Top");
    for (int r = 0; r < Sheet().RowCount(); ++r)
        for (int c = 0; c < Sheet().ColCount(); ++c)
            if (Sheet().CellAt(c, r).id == CL_Bank_SelBankFree) {
                Sheet().MoveTo(c, r);
                Sheet().SendAction(c, r, cmcCellCapsule::kKeySpace, 0);
            }
    const std::vector<std::string> captions = {"Bank 1", "Bank 2", "Bank 3", "Bank 4",
                                               "Bank 5", "Bank 6", "Bank 7", "Bank 8"};
    ASSERT_EQ(BankCaptions(), captions);
    // Carry bank 1 down: sizes swap, the tree renews the captions one bank per tick.
    const cmcEeprom& work = main->Doc().Work();
    const int size0 = datBankSize(work, 0), size1 = datBankSize(work, 1);
    for (int r = 0; r < Sheet().RowCount(); ++r)
        if (Sheet().CellAt(1, r).id == CL_Mch_Bank && Sheet().CellAt(1, r).index == 0) {
            Sheet().MoveTo(1, r);
            Sheet().SendAction(1, r, 0, CL_PMenu_CarryDown);
        }
    EXPECT_EQ(datBankSize(work, 0), size1);
    EXPECT_EQ(datBankSize(work, 1), size0);
    for (int i = 0; i < 10; ++i)
        qvtest::Services().timers.Advance(10);
    EXPECT_EQ(BankCaptions(), captions);
    // A name event shows a stored name, and an unnamed bank gets its caption back.
    evMan.PostText(ev::kSetBankName, 0, 2, "North");
    qvtest::Services().timers.Advance(10);
    EXPECT_EQ(BankCaptions()[2], "North");
    evMan.PostText(ev::kSetBankName, 0, 2, datBankName(2));
    qvtest::Services().timers.Advance(10);
    EXPECT_EQ(BankCaptions(), captions);
}

}  // namespace
