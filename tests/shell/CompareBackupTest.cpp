// The dealer's safety net around the working image, through the program against the
// simulated radio: every clone read leaves a backup, the backup folder opens on the desktop.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTreeWidget>
#include <filesystem>
#include <memory>

#include "RadioSim.h"
#include "SimFile.h"
#include "SimPort.h"
#include "cells/cmcCellCapsule.h"
#include "cells/cmcCellIds.h"
#include "cells/cmcCellObj.h"
#include "common/EventIds.h"
#include "common/cmcEvMan.h"
#include "common/indEnviron.h"
#include "link/indCloneMan.h"
#include "model/datCh.h"
#include "model/indBackups.h"
#include "overlay/OverlayFormat.h"
#include "overlay/cmcGTex.h"
#include "overlay/cmcHelpGTex.h"
#include "rules/indActiveCell.h"
#include "sheets/cuiSheet.h"
#include "shell/QtTestApp.h"
#include "shell/TForm1.h"
#include "shell/cuiCompareWindow.h"
#include "shell/cuiDiffTable.h"
#include "shell/cuiSheetPage.h"
#include "shell/indMain.h"
#include "support/TestServices.h"

namespace fs = std::filesystem;

namespace {

using plat::BoxResult;

class CompareBackupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QtTestApp();
        const std::string key = "Software\\Tavo\\Quorvex";
        environ =
            std::make_unique<indEnviron>("QvTest Compare " + std::to_string(getpid()), key, key);
        g_Environ = environ.get();
        g_GTex = &mainGTex;
        g_BaseGTex = &baseGTex;
        g_HelpGTex = &helpGTex;
        g_EvMan = &evMan;
        char tmpl[] = "/tmp/qv_compare_XXXXXX";
        dir = mkdtemp(tmpl);
        environ->currentDirectory = dir.string();
        main = std::make_unique<indMain>("TM5150Q", 7424);
        g_Main = main.get();
        main->fileDialog = [this](bool, const std::string&) {
            if (answers.empty())
                return std::string();
            std::string a = answers.front();
            answers.erase(answers.begin());
            return a;
        };
        form = std::make_unique<TForm1>();
        main->Doc().SetBackupFolder((dir / "backups").string());
        // The radio holds the LMR defaults with one memory channel in use.
        {
            cmcEeprom radio;
            std::vector<int32_t> ranges;
            datCh ch(main->Doc().Work());
            ch.Load(1, 0);
            ch.freqR = ch.freqT = 446006250;
            ch.flags |= 1;
            ch.Store(1, 0);
            main->Doc().PrepareCloneWrite(radio, ranges);
            std::copy(radio.Data(), radio.Data() + RadioSim::kEepromSize, sim.eeprom().begin());
            main->Doc().NewDocument();
        }
        port = std::make_unique<SimPort>(sim);
        main->UseLinkPort(port.get());
        main->Doc().CloneMan().Driver().SetWaiter(
            [](uint32_t ms) { qvtest::Services().clock.Advance(ms); });
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
    // Lets the timers run until the link is idle again.
    bool Run()
    {
        for (uint32_t t = 0; t < 120000 && main->CloneBusy(); t += 10)
            qvtest::Services().timers.Advance(10);
        return !main->CloneBusy();
    }
    void Command(int32_t id)
    {
        main->RunCommand(id, 0);
        ASSERT_TRUE(Run());
    }
    std::vector<uint8_t> Work() const
    {
        const cmcEeprom& w = main->Doc().Work();
        return std::vector<uint8_t>(w.Data(), w.Data() + w.GetSize());
    }
    // The boxes shown with the icon, by their first line.
    std::vector<std::string> Boxes(plat::BoxIcon icon) const
    {
        std::vector<std::string> out;
        for (const auto& b : qvtest::Services().boxes.Seen())
            if (b.icon == icon)
                out.push_back(b.text.substr(0, b.text.find('\n')));
        return out;
    }
    std::string FirstLine(const char* key) const { return g_GTex->GetLine(key, 0); }
    // Types a value into a setting, as its cell on a sheet takes it.
    void Type(int32_t id, const std::string& text)
    {
        cmcCellObj cell;
        cell.category = CT_Null;
        cell.id = id;
        cmcCellCapsule c;
        c.cell = &cell;
        c.inputMode = cmcCellCapsule::kInputText;
        c.inputText = text;
        main->RunRules(c, 1);
    }
    // Memory channel 0 in use on one frequency.
    void SetChannel(uint32_t hz)
    {
        datCh ch(main->Doc().Work());
        ch.Load(1, 0);
        ch.freqR = ch.freqT = hz;
        ch.flags |= 1;
        ch.Store(1, 0);
        main->CheckModified();
    }
    void SaveAs(const fs::path& path)
    {
        answers.push_back(path.string());
        ASSERT_EQ(main->SaveAs(), 0);
    }
    // The differences the compare window lists, one line each.
    std::vector<std::string> Listed() const
    {
        std::vector<std::string> out;
        cuiCompareWindow* w = main->CompareWindow();
        if (!w)
            return out;
        cuiDiffTable* list = w->List();
        for (int r = 0; r < list->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < list->columnCount(); ++c)
                cells << list->item(r, c)->text();
            out.push_back(cells.join(QStringLiteral(" | ")).toStdString());
        }
        return out;
    }
    void Shot(QWidget* w, const std::string& name)
    {
        fs::create_directories("/tmp/shots22");
        w->grab().save(QString::fromStdString("/tmp/shots22/" + name));
    }

    std::unique_ptr<indEnviron> environ;
    cmcGTex mainGTex, baseGTex;
    cmcHelpGTex helpGTex;
    cmcEvMan evMan;
    std::unique_ptr<indMain> main;
    std::unique_ptr<TForm1> form;
    fs::path dir;
    std::vector<std::string> answers;
    RadioSim sim;
    std::unique_ptr<SimPort> port;
};

// Ten clone reads leave ten backups, each the radio's own bytes as a clone file named by
// time and model; the status line names the newest.
TEST_F(CompareBackupTest, EveryCloneReadLeavesABackup)
{
    boxes().AnswerAll(BoxResult::No);  // the image read before is not saved
    for (int n = 0; n < 10; ++n)
        Command(CL_Menu_Clone_Read);
    EXPECT_TRUE(Boxes(plat::BoxIcon::Error).empty());
    for (const std::string& line : Boxes(plat::BoxIcon::Warning))
        EXPECT_EQ(line, OvlFormat(FirstLine("GI_Mess_Confirm_WriteFile"), {"Untitled"}));
    EXPECT_EQ(sim.readsCompleted, 10);
    const std::vector<std::string> kept = indBackups((dir / "backups").string()).List();
    ASSERT_EQ(kept.size(), 10u);
    for (const std::string& name : kept) {
        EXPECT_NE(name.find("_Lmr"), std::string::npos) << name;
        std::vector<uint8_t> got;
        ASSERT_EQ(SimFile::Load((dir / "backups" / name).string(), got), 0);
        EXPECT_EQ(got, sim.eeprom()) << name;
    }
    // The sheet opening again after the read leaves the message standing.
    main->Periodic();
    ASSERT_NE(main->Sheet(), nullptr);
    const QString shown = form->statusBar()->currentMessage();
    EXPECT_TRUE(shown.contains(QString::fromStdString(kept.back()))) << shown.toStdString();
}

// A backup that cannot be written is a warning; the read itself stands.
TEST_F(CompareBackupTest, AFailedBackupWarnsAndTheReadStands)
{
    main->Doc().SetBackupFolder("/proc/no-such-folder/backups");
    boxes().Answer(BoxResult::Ok);
    Command(CL_Menu_Clone_Read);
    EXPECT_EQ(sim.readsCompleted, 1);
    EXPECT_TRUE(Boxes(plat::BoxIcon::Error).empty());
    EXPECT_EQ(Boxes(plat::BoxIcon::Warning),
              std::vector<std::string>{
                  OvlFormat(FirstLine("GI_Mess_Backup_Failed"), {"/proc/no-such-folder/backups"})});
    EXPECT_TRUE(std::equal(sim.eeprom().begin(), sim.eeprom().end(), main->Doc().Work2().Data()));
    EXPECT_TRUE(main->Doc().Modified());
}

// Two files that differ in three settings: the window lists exactly those three, with the
// sheet, the captions and both values as the sheets show them, and counts them.
TEST_F(CompareBackupTest, CompareWithFileListsTheSettingsThatDiffer)
{
    SetChannel(446006250);
    SaveAs(dir / "before.qcl");
    Type(CL_SetM_AFMinLev, "12");
    Type(CL_Comm_UserPassword, "4321");
    SetChannel(446093750);
    SaveAs(dir / "after.qcl");
    answers.push_back((dir / "before.qcl").string());
    ASSERT_EQ(main->OpenDocument(), 0);
    const std::vector<uint8_t> before = Work();

    answers.push_back((dir / "after.qcl").string());
    main->CompareEntryAction(indMain::kEntryCompareFile)->trigger();
    ASSERT_NE(main->CompareWindow(), nullptr);
    EXPECT_TRUE(main->CompareWindow()->isVisible());
    // The user password stands on two sheets: listed once, on the first.
    EXPECT_EQ(Listed(), (std::vector<std::string>{
                            "Set Mode | Lowest Volume | Value | 16 | 12",
                            "Radio | User Password | Value | 0000 | 4321",
                            "Channels | No. 1 | Receive MHz | 446.006250 | 446.093750",
                        }));
    EXPECT_EQ(main->CompareWindow()->CountLine()->text().toStdString(), "3 settings differ.");
    EXPECT_EQ(main->CompareWindow()->HeadingLine()->text().toStdString(),
              "Working image compared with Clone file after.qcl");
    EXPECT_EQ(Work(), before);
    EXPECT_FALSE(main->Doc().Modified());
    EXPECT_TRUE(qvtest::Services().boxes.Seen().empty());
    main->CompareWindow()->resize(820, 300);
    Shot(main->CompareWindow(), "compare-file.png");

    // A double-click opens the sheet in the main window at the setting.
    cuiDiffTable* list = main->CompareWindow()->List();
    emit list->itemActivated(list->item(1, 3));
    ASSERT_NE(main->Sheet(), nullptr);
    EXPECT_EQ(main->Sheet()->EntryName(), "GI_Sheet_Radio");
    int col = -1, row = -1, left = 0, top = 0;
    ASSERT_TRUE(main->Sheet()->CurrentPosition(&col, &row, &left, &top));
    EXPECT_EQ(main->Sheet()->Sheet()->CellAt(col, row).id, CL_Comm_UserPassword);
    emit list->itemActivated(list->item(2, 0));
    EXPECT_EQ(main->Sheet()->EntryName(), "GI_Sheet_Mch_Lmr");
    ASSERT_TRUE(main->Sheet()->CurrentPosition(&col, &row, &left, &top));
    EXPECT_EQ(main->Sheet()->Sheet()->CellAt(col, row).id, CL_Mch_FreqR);
    EXPECT_EQ(main->Sheet()->Sheet()->CellAt(col, row).index, 0);
    emit list->itemActivated(list->item(0, 0));
    EXPECT_EQ(main->Sheet()->EntryName(), "GI_Sheet_SetMode");
    ASSERT_TRUE(main->Sheet()->CurrentPosition(&col, &row, &left, &top));
    EXPECT_EQ(main->Sheet()->Sheet()->CellAt(col, row).id, CL_SetM_AFMinLev);
    EXPECT_EQ(Work(), before);
}

// The saved file of the document: only a document that has one may compare with it; the
// edits since the save are listed.
TEST_F(CompareBackupTest, CompareWithSavedFileListsTheEditsSinceTheSave)
{
    QAction* saved = main->CompareEntryAction(indMain::kEntryCompareSaved);
    ASSERT_NE(saved, nullptr);
    evMan.Send(ev::kRefreshMenu);
    EXPECT_FALSE(saved->isEnabled());
    SaveAs(dir / "saved.qcl");
    EXPECT_TRUE(saved->isEnabled());
    Type(CL_SetM_AFMinLev, "12");
    ASSERT_TRUE(main->Doc().Modified());
    saved->trigger();
    EXPECT_EQ(Listed(), (std::vector<std::string>{"Set Mode | Lowest Volume | Value | 12 | 16"}));
    EXPECT_EQ(main->CompareWindow()->HeadingLine()->text().toStdString(),
              "Working image compared with Saved file saved.qcl");
    EXPECT_EQ(main->CompareWindow()->CountLine()->text().toStdString(), "1 setting differs.");
    EXPECT_TRUE(main->Doc().Modified());
}

// The radio is read into an image of its own: the working image, its modified flag and its
// edit history stay as they were, after a good read and after a failed one.
TEST_F(CompareBackupTest, CompareWithRadioLeavesTheWorkingImageAlone)
{
    Type(CL_SetM_AFMinLev, "12");
    const std::vector<uint8_t> before = Work();
    ASSERT_TRUE(main->Doc().Modified());
    const std::string undo = main->EditHistory().UndoText();
    const std::string path = main->Doc().Path();

    main->CompareEntryAction(indMain::kEntryCompareRadio)->trigger();
    ASSERT_TRUE(Run());
    EXPECT_EQ(sim.readsCompleted, 1);
    EXPECT_TRUE(Boxes(plat::BoxIcon::Error).empty());
    EXPECT_EQ(Work(), before);
    EXPECT_TRUE(main->Doc().Modified());
    EXPECT_EQ(main->EditHistory().UndoText(), undo);
    ASSERT_NE(main->CompareWindow(), nullptr);
    // The radio holds a channel the new document does not: its row is listed cell by cell,
    // blank in the working image.
    const std::vector<std::string> listed = Listed();
    ASSERT_GT(listed.size(), 2u);
    EXPECT_EQ(listed[0], "Set Mode | Lowest Volume | Value | 12 | 16");
    EXPECT_EQ(listed[1], "Channels | No. 1 | Receive MHz |  | 446.006250");
    for (const std::string& line : listed)
        EXPECT_EQ(line.find('\n'), std::string::npos) << line;
    EXPECT_EQ(main->CompareWindow()->CountLine()->text().toStdString(),
              std::to_string(listed.size()) + " settings differ.");
    // Like every read, this one is kept as a backup.
    EXPECT_EQ(indBackups((dir / "backups").string()).List().size(), 1u);
    Shot(main->CompareWindow(), "compare-radio.png");

    const std::vector<std::string> shown = Listed();
    sim.config().fault = RadioSim::Fault::DropAfter;
    boxes().AnswerAll(BoxResult::Ok);
    main->CompareEntryAction(indMain::kEntryCompareRadio)->trigger();
    ASSERT_TRUE(Run());
    EXPECT_EQ(Boxes(plat::BoxIcon::Error).size(), 1u);
    EXPECT_EQ(Work(), before);
    EXPECT_TRUE(main->Doc().Modified());
    EXPECT_EQ(main->Doc().Path(), path);
    EXPECT_EQ(main->EditHistory().UndoText(), undo);
    EXPECT_EQ(Listed(), shown);
    EXPECT_FALSE(port->IsOpen());
}

// The backup folder opens on the desktop, made first when missing; a folder that cannot be
// made is said in a warning and nothing is opened.
TEST_F(CompareBackupTest, OpenBackupFolderMakesItAndHandsItToTheDesktop)
{
    const fs::path folder = dir / "data home" / "backups";
    main->Doc().SetBackupFolder(folder.string());
    main->CompareEntryAction(indMain::kEntryBackupFolder)->trigger();
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(qvtest::Services().desktop.openedUrls,
              std::vector<std::string>{"file://" + (dir / "data%20home/backups").string()});
    EXPECT_TRUE(boxes().Seen().empty());
    // Where the entries stand: the File menu after Save As, the Radio menu after the radio
    // information.
    for (QAction* a : {main->CompareEntryAction(indMain::kEntryCompareFile),
                       main->CompareEntryAction(indMain::kEntryCompareRadio)})
        for (QObject* o : a->associatedObjects())
            if (auto* menu = qobject_cast<QMenu*>(o)) {
                menu->adjustSize();
                Shot(menu, (a == main->CompareEntryAction(indMain::kEntryCompareFile)
                                ? "menu-file.png"
                                : "menu-radio.png"));
            }

    qvtest::Services().desktop.openedUrls.clear();
    main->Doc().SetBackupFolder("/proc/no-such-folder/backups");
    boxes().Answer(BoxResult::Ok);
    EXPECT_FALSE(main->OpenBackupFolder());
    EXPECT_TRUE(qvtest::Services().desktop.openedUrls.empty());
    EXPECT_EQ(Boxes(plat::BoxIcon::Warning),
              std::vector<std::string>{OvlFormat(FirstLine("GI_Mess_BackupFolder_Failed"),
                                                 {"/proc/no-such-folder/backups"})});
}

}  // namespace
