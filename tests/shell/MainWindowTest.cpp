// The main window as a dealer meets it: menus, tool bar and tree built from the overlay,
// sheets opened from the tree, the file commands with their questions, and the close query.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolBar>
#include <QTreeWidget>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>

#include "RadioSim.h"
#include "SimProcess.h"
#include "cells/cmcCellIds.h"
#include "common/EventIds.h"
#include "common/cmcEvMan.h"
#include "common/indEnviron.h"
#include "maker/cuiDebugWin.h"
#include "maker/cuiEeDebugWin.h"
#include "overlay/cmcGTex.h"
#include "overlay/cmcHelpGTex.h"
#include "platform/qt/QtServices.h"
#include "sheets/cuiSheet.h"
#include "shell/QtTestApp.h"
#include "shell/TForm1.h"
#include "shell/cuiMenu.h"
#include "shell/cuiSheetPage.h"
#include "shell/cuiToolBar.h"
#include "shell/indMain.h"
#include "shell/iuiTree.h"
#include "support/TestServices.h"

namespace fs = std::filesystem;

namespace {

// The main object with the warning checks answered by the test.
class TestMain : public indMain {
public:
    using indMain::indMain;
    // Rules that answer the bank checks from a table and everything else as the program does.
    void AnswerChecks(std::function<uint8_t(const cmcCellCapsule&)> answer)
    {
        m_answer = std::move(answer);
        SetRules(&TestMain::Rules, this);
    }
    static int Rules(void* context, cmcCellCapsule* c, int mode)
    {
        auto* self = static_cast<TestMain*>(context);
        if (c->cell && c->cell->id == CL_Check_Mch) {
            self->checks.push_back(*c);
            self->checkBanks.push_back(c->bank);
            self->checkIndexes.push_back(c->cell->index);
            c->flags = self->m_answer(*c);
            return 0;
        }
        return ShellRulesForTest(static_cast<indRulesHost*>(self), c, mode);
    }
    static int ShellRulesForTest(void* host, cmcCellCapsule* c, int mode);
    std::vector<cmcCellCapsule> checks;
    std::vector<int> checkIndexes;
    std::vector<int> checkBanks;

private:
    std::function<uint8_t(const cmcCellCapsule&)> m_answer;
};

}  // namespace

#include "shell/ShellRules.h"
#include "shell/cuiChannelTable.h"
#include "shell/cuiFleetDialog.h"

namespace {

int TestMain::ShellRulesForTest(void* host, cmcCellCapsule* c, int mode)
{
    return ShellRules(host, c, mode);
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QtTestApp();
        const std::string key = "Software\\Tavo\\Quorvex";
        environ = std::make_unique<indEnviron>("QvTest Main " + std::to_string(getpid()), key, key);
        g_Environ = environ.get();
        g_GTex = &mainGTex;
        g_BaseGTex = &baseGTex;
        g_HelpGTex = &helpGTex;
        g_EvMan = &evMan;
        char tmpl[] = "/tmp/qv_main_XXXXXX";
        dir = mkdtemp(tmpl);
        environ->currentDirectory = dir.string();
        main = std::make_unique<TestMain>("TM5150Q", 7424);
        g_Main = main.get();
        main->fileDialog = [this](bool save, const std::string& name) {
            dialogs.push_back({save, name});
            if (answers.empty())
                return std::string();
            std::string a = answers.front();
            answers.erase(answers.begin());
            return a;
        };
        form = std::make_unique<TForm1>();
        boxes().Clear();
    }
    void TearDown() override
    {
        form.reset();
        main.reset();
        g_Main = nullptr;
        g_EvMan = nullptr;
        g_GTex = g_BaseGTex = g_HelpGTex = nullptr;
        environ.reset();
        g_Environ = nullptr;
        fs::remove_all(dir);
    }
    qvtest::TestMessageBoxes& boxes() { return qvtest::Services().boxes; }
    QAction* Item(int32_t id, int index = -1)
    {
        for (QAction* a : main->Menu()->Actions())
            if (cmcCellObj* c = cuiMenu::CellOf(a);
                c && c->id == id && (index < 0 || c->index == index))
                return a;
        return nullptr;
    }
    QTreeWidget* Tree() { return main->Tree()->Control(); }
    void Edit()
    {
        main->Doc().Work().SetByte(indDocument::kComment1, 'E');
        main->CheckModified();
    }
    std::vector<std::string> TreeRefs()
    {
        std::vector<std::string> out;
        for (QTreeWidgetItem* n : main->Tree()->Nodes())
            if (cmcCellObj* c = cuiTree::CellOf(n); c && c->altText)
                out.push_back(*c->altText);
        return out;
    }
    bool HasSheet(const std::string& entry) { return main->Tree()->FindByEntry(entry) != nullptr; }

    std::unique_ptr<indEnviron> environ;
    cmcGTex mainGTex, baseGTex;
    cmcHelpGTex helpGTex;
    cmcEvMan evMan;
    std::unique_ptr<TestMain> main;
    std::unique_ptr<TForm1> form;
    fs::path dir;
    struct Dialog {
        bool save;
        std::string name;
    };
    std::vector<Dialog> dialogs;
    std::vector<std::string> answers;
};

TEST_F(MainWindowTest, MenusToolBarAndTreeComeFromTheOverlay)
{
    QStringList tops;
    for (QAction* a : form->menuBar()->actions())
        tops << a->text();
    EXPECT_EQ(tops, QStringList({QStringLiteral("&File"), QStringLiteral("&Edit"),
                                 QStringLiteral("&View"), QStringLiteral("&Radio"),
                                 QStringLiteral("&Model"), QStringLiteral("&Help")}));
    ASSERT_NE(Item(CL_Menu_File_Open), nullptr);
    EXPECT_EQ(Item(CL_Menu_File_Open)->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
    EXPECT_EQ(Item(CL_Menu_File_Open)->text(), QStringLiteral("&Open..."));
    // The edit menu holds undo, redo and a separator above a disabled placeholder until a
    // sheet gives its items.
    QAction* edit = Item(CL_Menu_Edit_Top);
    ASSERT_TRUE(edit && edit->menu());
    ASSERT_EQ(edit->menu()->actions().size(), 4);
    main->Menu()->Refresh();
    EXPECT_FALSE(edit->menu()->actions()[3]->isEnabled());

    EXPECT_EQ(main->ToolBar()->Buttons().size(), 10u);
    EXPECT_TRUE(main->ToolBar()->Control()->isVisible());
    // The model type is checked, the others not.
    main->Menu()->Refresh();
    EXPECT_TRUE(Item(CL_Model_Lmr)->isChecked());
    EXPECT_FALSE(Item(CL_Model_Pmr)->isChecked());
    EXPECT_TRUE(Item(CL_Menu_Port_Com, 1)->isChecked());

    EXPECT_EQ(Tree()->topLevelItem(0)->text(0), QStringLiteral("Radio: LMR"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Untitled - Quorvex"));
}

TEST_F(MainWindowTest, EmptyRecentListShowsOneDisabledEntry)
{
    main->Menu()->Refresh();
    QAction* first = Item(CL_Menu_File_Recent, 0);
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(first->isEnabled());
    EXPECT_EQ(first->text(), QStringLiteral("No Recent Files"));
    EXPECT_FALSE(Item(CL_Menu_File_Recent, 1)->isVisible());
}

// Every tree entry of every model type opens its sheet; no sheet shows a cell waiting for
// its rules.
TEST_F(MainWindowTest, WalkEveryTreeEntryOfEveryModelType)
{
    int sheetsShown = 0;
    for (int type = 0; type < 4; ++type) {
        SCOPED_TRACE(type);
        if (type > 0)
            boxes().Answer(plat::BoxResult::Ok);
        Item(CL_Model_Lmr + type)->trigger();
        EXPECT_EQ(main->Doc().ModelType(), type);
        const std::vector<QTreeWidgetItem*> nodes = main->Tree()->Nodes();
        ASSERT_GT(nodes.size(), 10u);
        for (QTreeWidgetItem* n : nodes) {
            const cmcCellObj* c = cuiTree::CellOf(n);
            ASSERT_TRUE(c && c->altText) << n->text(0).toStdString();
            Tree()->setCurrentItem(n);
            ASSERT_NE(main->Sheet(), nullptr);
            EXPECT_EQ(main->Sheet()->DisplayName(), *c->altText);
            for (QLabel* l : main->Sheet()->findChildren<QLabel*>())
                EXPECT_FALSE(l->text().contains(QStringLiteral("*Yet*")));
            // Every cell of a shown sheet is one the rules handle.
            if (cuiSheet* sheet = main->Sheet()->Sheet()) {
                ++sheetsShown;
                for (int row = 0; row < sheet->RowCount(); ++row)
                    for (int col = 0; col < sheet->ColCount(); ++col) {
                        cmcCellObj cell = sheet->CellAt(col, row);
                        cmcCellCapsule capsule;
                        capsule.cell = &cell;
                        main->RunRules(capsule, 0);
                        EXPECT_EQ(capsule.text.find("*Yet*"), std::string::npos)
                            << sheet->EntryName() << " " << IdName(cell.id);
                        // The initial image holds a value every list knows.
                        EXPECT_NE(capsule.text, "error")
                            << sheet->EntryName() << " " << IdName(cell.id);
                    }
            }
        }
    }
    EXPECT_TRUE(boxes().Seen().size() == 3u);  // the three model changes were confirmed
    EXPECT_GT(sheetsShown, 20);
}

TEST_F(MainWindowTest, TreeBranchesFollowModelTypeAndModes)
{
    struct Case {
        int type;
        bool extPorts, msk, twoTone;
    } cases[] = {{0, true, false, true},
                 {1, false, false, true},
                 {2, false, true, true},
                 {3, false, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        if (c.type > 0)
            boxes().Answer(plat::BoxResult::Ok);
        Item(CL_Model_Lmr + c.type)->trigger();
        EXPECT_EQ(HasSheet("GI_Sheet_ExtPort"), c.extPorts);
        EXPECT_EQ(HasSheet("GI_Sheet_Msk"), c.msk);
        EXPECT_EQ(HasSheet("GI_Sheet_2Tone"), c.twoTone);
        EXPECT_FALSE(HasSheet("GI_Sheet_Maker"));
        EXPECT_FALSE(HasSheet("GI_Sheet_Dig_Tim"));  // extended access is off
        // The memory channel branch holds the first bank of this model type.
        const std::string bank = std::string("[St_ChBank]GI_Sheet_Mch_") +
                                 indDocument::ModelTypeName(c.type) + ",Bank 0";
        QTreeWidgetItem* node = main->Tree()->FindBySheet(bank);
        ASSERT_NE(node, nullptr);
        EXPECT_EQ(iuiTree::BankOf(node), 0);
    }
    boxes().Answer(plat::BoxResult::Ok);
    main->ApplySwitches({QStringLiteral("/vultane")});
    EXPECT_TRUE(HasSheet("GI_Sheet_Maker"));
    // Extended access brings the digital timers back under the digital branch.
    main->Doc().Work().SetByte(0x000B, 0x10);
    evMan.Send(ev::kTreeRebuilt);
    QTreeWidgetItem* timers = main->Tree()->FindByEntry("GI_Sheet_Dig_Tim");
    ASSERT_NE(timers, nullptr);
    EXPECT_EQ(timers->parent(), main->Tree()->FindByEntry("GI_Sheet_Digital"));
}

TEST_F(MainWindowTest, SelectingTheShownSheetDoesNotRebuildIt)
{
    QTreeWidgetItem* scan = main->Tree()->FindByEntry("GI_Sheet_Scan");
    Tree()->setCurrentItem(scan);
    cuiSheetPage* page = main->Sheet();
    ASSERT_NE(page, nullptr);
    main->ExecuteCell(cuiTree::CellOf(scan));  // the rules open it again: a new page
    EXPECT_NE(main->Sheet(), nullptr);
    cuiSheetPage* again = main->Sheet();
    emit Tree()->currentItemChanged(scan, scan);
    EXPECT_EQ(main->Sheet(), again);
}

// The periodic task reopens the selected entry's sheet once the sheet was closed.
TEST_F(MainWindowTest, PeriodicTaskReopensTheSheet)
{
    form->show();
    Tree()->setCurrentItem(main->Tree()->FindByEntry("GI_Sheet_SetMode"));
    main->CloseSheet();
    EXPECT_EQ(main->Sheet(), nullptr);
    qvtest::Services().timers.Advance(60);
    ASSERT_NE(main->Sheet(), nullptr);
    EXPECT_EQ(main->Sheet()->EntryName(), "GI_Sheet_SetMode");
}

TEST_F(MainWindowTest, SaveOpenAndRecentFiles)
{
    const std::string path = (dir / "Fleet & Co.qcl").string();
    Edit();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Untitled * - Quorvex"));
    answers = {path};
    Item(CL_Menu_File_Save)->trigger();  // untitled: save as
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_TRUE(dialogs[0].save);
    EXPECT_EQ(dialogs[0].name, "Untitled");
    EXPECT_FALSE(main->Doc().Modified());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Fleet & Co.qcl - Quorvex"));
    main->Menu()->Refresh();
    QAction* recent = Item(CL_Menu_File_Recent, 0);
    EXPECT_TRUE(recent->isEnabled());
    EXPECT_EQ(recent->text(), QStringLiteral("&1 Fleet && Co.qcl"));

    Item(CL_Menu_File_New)->trigger();
    EXPECT_TRUE(main->Doc().Untitled());
    EXPECT_EQ(main->Doc().Work().GetByte(indDocument::kComment1), ' ');
    recent->trigger();
    EXPECT_EQ(main->Doc().Path(), path);
    EXPECT_EQ(main->Doc().Work().GetByte(indDocument::kComment1), 'E');
    EXPECT_TRUE(boxes().Seen().empty());
}

TEST_F(MainWindowTest, DiscardQuestion)
{
    Edit();
    // Cancel keeps the work.
    boxes().Answer(plat::BoxResult::Cancel);
    Item(CL_Menu_File_New)->trigger();
    EXPECT_TRUE(main->Doc().Modified());
    ASSERT_EQ(boxes().Seen().size(), 1u);
    EXPECT_EQ(boxes().Seen()[0].buttons, plat::BoxButtons::YesNoCancel);
    EXPECT_NE(boxes().Seen()[0].text.find("The changes to Untitled have not been saved."),
              std::string::npos);
    // Yes on an untitled document asks for a name; cancelling that cancels the new document.
    boxes().Answer(plat::BoxResult::Yes);
    Item(CL_Menu_File_New)->trigger();
    EXPECT_EQ(dialogs.size(), 1u);
    EXPECT_TRUE(main->Doc().Modified());
    // No discards.
    boxes().Answer(plat::BoxResult::No);
    Item(CL_Menu_File_New)->trigger();
    EXPECT_FALSE(main->Doc().Modified());
}

TEST_F(MainWindowTest, ReopeningTheOpenFileAsksToSaveUnderAnotherName)
{
    const std::string path = (dir / "a.qcl").string();
    ASSERT_EQ(main->SaveFile(path), 0);
    Edit();
    boxes().Answer(plat::BoxResult::Yes);
    EXPECT_NE(main->OpenFile(path), 0);  // the save-as dialog was cancelled
    ASSERT_EQ(boxes().Seen().size(), 1u);
    EXPECT_EQ(boxes().Seen()[0].text, mainGTex.GetLines("GI_Mess_Confirm_WriteAnother"));
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_TRUE(dialogs[0].save);
    // Another spelling of the name is another file: the plain question.
    boxes().Clear();
    boxes().Answer(plat::BoxResult::Cancel);
    main->OpenFile((dir / "A.qcl").string());
    ASSERT_EQ(boxes().Seen().size(), 1u);
    EXPECT_NE(boxes().Seen()[0].text.find("The changes to a.qcl"), std::string::npos);
}

// Closing the window, Exit in the menu and the end of the session all ask first.
TEST_F(MainWindowTest, CloseQueryGuardsUnsavedWork)
{
    form->show();
    Edit();
    boxes().Answer(plat::BoxResult::Cancel);
    form->close();
    EXPECT_TRUE(form->isVisible());
    boxes().Answer(plat::BoxResult::Cancel);
    Item(CL_Menu_File_Exit)->trigger();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(boxes().Seen().size(), 2u);
    boxes().Answer(plat::BoxResult::No);
    Item(CL_Menu_File_Exit)->trigger();
    EXPECT_FALSE(form->isVisible());
}

// The maker windows open on their events; closing the main window with three of them open
// frees them with it, and the settings are still written.
TEST_F(MainWindowTest, DebugWindowsOpenOnTheirEventsAndEndWithTheMainWindow)
{
    form->show();
    g_EvMan->Send(ev::kOpenDebugWindow);
    g_EvMan->Send(ev::kOpenEepromDebugWindow);
    g_EvMan->Send(ev::kOpenEepromDebugWindow);
    EXPECT_EQ(cuiDebugWin::LiveCount(), 1);
    EXPECT_EQ(cuiEeDebugWin::LiveCount(), 2);
    g_EvMan->SendText(ev::kDebugText, 0, 0, "Step 1");
    g_EvMan->Send(ev::kEepromDebugGoto, 0, 0x25);
    g_EvMan->Send(ev::kEepromDebugGoto, 0, 0x7FFFFFFF);
    form->close();
    EXPECT_FALSE(form->isVisible());
    const int width = environ->width;
    form.reset();
    EXPECT_EQ(cuiDebugWin::LiveCount(), 0);
    EXPECT_EQ(cuiEeDebugWin::LiveCount(), 0);
    main.reset();
    g_Main = nullptr;
    environ.reset();
    g_Environ = nullptr;
    EXPECT_EQ(qvtest::Services().settings.ReadInt(
                  plat::Root::User, "Software\\Tavo\\Quorvex\\Window Position", "Width"),
              width);
}

// Each bank's check runs with its own bank in the capsule; an error on bank 0 marks its
// node, and a collapsed branch shows the mark of the entries below it.
TEST_F(MainWindowTest, WarningChecksLookAtTheirOwnBankAndMarkTheTree)
{
    main->AnswerChecks([](const cmcCellCapsule& c) -> uint8_t {
        return c.bank == 0 ? cmcCellCapsule::kFlagError : 0;
    });
    int errors = -1, warnings = -1;
    main->CountWarnings(&errors, &warnings);
    ASSERT_EQ(main->checks.size(), 8u);
    for (int b = 0; b < 8; ++b) {
        EXPECT_EQ(main->checkBanks[b], b);
        EXPECT_EQ(main->checkIndexes[b], b);
    }
    EXPECT_EQ(errors, 1);
    EXPECT_EQ(warnings, 0);
    QTreeWidgetItem* bank = main->Tree()->FindBySheet("[St_ChBank]GI_Sheet_Mch_Lmr,Bank 0");
    ASSERT_NE(bank, nullptr);
    EXPECT_EQ(cuiTree::MarkOf(bank), cuiTree::kErrorMark);
    bank->parent()->setExpanded(false);
    main->CountWarnings();
    EXPECT_EQ(cuiTree::MarkOf(bank->parent()), cuiTree::kErrorMark);
    bank->parent()->setExpanded(true);
    main->CountWarnings();
    EXPECT_EQ(cuiTree::MarkOf(bank->parent()), cuiTree::kNoMark);
}

// An edit of a setting that files do not keep is named before a save can lose it.
TEST_F(MainWindowTest, SaveAsksBeforeLosingUnkeptSettings)
{
    const fs::path path = dir / "unkept.qcl";
    main->Doc().Work().SetByte(0x1A44, 'H');  // a digital message text
    main->CheckModified();
    boxes().Answer(plat::BoxResult::Cancel);
    EXPECT_NE(main->SaveFile(path.string()), 0);
    ASSERT_EQ(boxes().Seen().size(), 1u);
    EXPECT_NE(boxes().Seen()[0].text.find("\n    Digital Messages"), std::string::npos);
    EXPECT_FALSE(fs::exists(path));
    EXPECT_TRUE(main->Doc().Modified());
    boxes().Answer(plat::BoxResult::Ok);
    EXPECT_EQ(main->SaveFile(path.string()), 0);
    EXPECT_TRUE(fs::exists(path));
}

TEST_F(MainWindowTest, ToolBarAndPortCommands)
{
    Item(CL_Menu_View_ToolBar)->trigger();
    EXPECT_EQ(environ->toolbarVisible, 0);
    EXPECT_FALSE(main->ToolBar()->Control()->isVisibleTo(form.get()));
    Item(CL_Menu_Port_Com, 3)->trigger();
    EXPECT_EQ(environ->comPort, 3);
    EXPECT_TRUE(Item(CL_Menu_Port_Com, 3)->isChecked());
    EXPECT_FALSE(Item(CL_Menu_Port_Com, 1)->isChecked());
    // A tool bar button runs the same command and is pressed with it.
    QAction* com1 = main->ToolBar()->Buttons()[6];
    com1->trigger();
    EXPECT_EQ(environ->comPort, 1);
    EXPECT_TRUE(com1->isChecked());
}

TEST_F(MainWindowTest, ChannelTablesFromTheFileMenu)
{
    const auto defaultDialog = cuiChannelTable::dialog;
    std::vector<bool> asked;
    std::string answer = (dir / "channels.csv").string();
    cuiChannelTable::dialog = [&](QWidget*, bool save) {
        asked.push_back(save);
        return answer;
    };
    ASSERT_NE(Item(CL_Menu_File_SaveAs, 1), nullptr);
    Item(CL_Menu_File_SaveAs, 1)->trigger();
    std::ifstream in(answer);
    std::string header;
    std::getline(in, header);
    EXPECT_EQ(header.rfind("Bank,Channel,Receive MHz,", 0), 0u) << header;

    cmcEeprom before;
    before.Assign(main->Doc().Work());
    boxes().AnswerAll(plat::BoxResult::Ok);
    Item(CL_Menu_File_Open, 1)->trigger();
    ASSERT_EQ(boxes().Seen().size(), 1u);
    EXPECT_EQ(boxes().Seen()[0].text, "0 values were taken into the memory channels.");
    EXPECT_EQ(std::memcmp(before.Data(), main->Doc().Work().Data(), before.GetSize()), 0);

    std::ofstream(answer) << "Bank,Channel\r\n9,1\r\n";
    Item(CL_Menu_File_Open, 1)->trigger();
    ASSERT_EQ(boxes().Seen().size(), 2u);
    EXPECT_NE(boxes().Seen()[1].text.find("Row 2, Bank: expected a bank number from 1 to 8."),
              std::string::npos)
        << boxes().Seen()[1].text;
    EXPECT_EQ(asked, (std::vector<bool>{true, false, false}));
    EXPECT_FALSE(main->Doc().Modified());
    cuiChannelTable::dialog = defaultDialog;
}

TEST_F(MainWindowTest, WriteToSeveralRadiosShowsEachRadiosOutcome)
{
    // Two simulated radios; the second stops answering part-way through the write.
    RadioSim::Config faulty;
    faulty.fault = RadioSim::Fault::DropAfter;
    faulty.dropAfter = 3;
    SimProcess good({}, false, (dir / "good.clone").string());
    SimProcess bad(faulty, false, (dir / "bad.clone").string());
    ASSERT_TRUE(good.ok() && bad.ok());

    // The window's own image is what the radios get, and stays as it was.
    cmcEeprom before;
    before.Assign(main->Doc().Work());
    const bool modified = main->Doc().Modified();
    cuiFleetDialog dialog(main->Doc(), form.get());
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Write to Several Radios"));
    dialog.PortsEdit()->setPlainText(QString::fromStdString(good.path() + "\n\n" + bad.path()));
    boxes().AnswerAll(plat::BoxResult::Ok);
    // The manual clock stands still unless moved: the driver's short waits move it.
    dialog.Fleet().SetWaiter([](uint32_t ms) {
        qvtest::Services().clock.Advance(ms);
        usleep(ms * 100);
    });
    ASSERT_TRUE(dialog.StartWrite());
    EXPECT_FALSE(dialog.WriteButton()->isEnabled());
    for (int i = 0; i < 30000 && dialog.Fleet().Running(); ++i) {
        qvtest::Services().timers.Advance(5);
        usleep(1000);
    }
    ASSERT_FALSE(dialog.Fleet().Running());
    EXPECT_TRUE(dialog.WriteButton()->isEnabled());
    QTableWidget* t = dialog.Table();
    ASSERT_EQ(t->rowCount(), 2);
    auto cell = [&](int r, int c) { return t->item(r, c)->text().toStdString(); };
    EXPECT_EQ(cell(0, 0), good.path());
    EXPECT_EQ(cell(0, 1), "3285");
    EXPECT_EQ(cell(0, 2), "written");
    EXPECT_EQ(cell(0, 3), "verified");
    EXPECT_EQ(cell(1, 2).rfind("failed (code ", 0), 0u) << cell(1, 2);
    EXPECT_EQ(cell(1, 3), "not verified");
    ASSERT_EQ(boxes().Seen().size(), 1u);  // why the second radio failed
    EXPECT_NE(dialog.Fleet().Status(), 0);
    EXPECT_EQ(std::memcmp(before.Data(), main->Doc().Work().Data(), before.GetSize()), 0);
    EXPECT_EQ(main->Doc().Modified(), modified);
    good.Stop();
    bad.Stop();
    // The written radio completed its write (the read-back verified it against what was
    // sent); the failed one completed none.
    EXPECT_EQ(good.Written().size(), 0x780u);
    EXPECT_TRUE(bad.Written().empty());

    bool ok = true;
    EXPECT_EQ(cuiFleetDialog::ParsePorts(QStringLiteral("3\n/dev/ttyUSB0\n"), &ok).size(), 2u);
    EXPECT_TRUE(ok);
    cuiFleetDialog::ParsePorts(QStringLiteral("ttyUSB0"), &ok);
    EXPECT_FALSE(ok);
}

}  // namespace
