// The safety net of a clone write in the program, against the simulated radio: the checks
// before the port opens, the backup of the radio's contents, the confirmation of the
// changes, the read-back verification, and the settings that turn each off. Every path ends
// with the window enabled, the port closed and the working image as it was.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "RadioSim.h"
#include "SimPort.h"
#include "cells/cmcCellIds.h"
#include "common/cmcEvMan.h"
#include "common/indEnviron.h"
#include "link/indCloneMan.h"
#include "model/datCh.h"
#include "model/indBackups.h"
#include "overlay/cmcGTex.h"
#include "overlay/cmcHelpGTex.h"
#include "sheets/cuiSheet.h"
#include "shell/QtTestApp.h"
#include "shell/TForm1.h"
#include "shell/cuiDiffTable.h"
#include "shell/cuiMenu.h"
#include "shell/indMain.h"
#include "support/TestServices.h"

namespace fs = std::filesystem;

namespace {

using plat::BoxResult;

// Puts memory channel index of the record kind into use.
void UseChannel(cmcEeprom& image, int kind, int index, uint32_t hz = 446006250)
{
    datCh ch(image);
    ch.Load(kind, index);
    ch.freqR = hz;
    ch.freqT = hz;
    ch.flags |= 1;
    ch.Store(kind, index);
}

class WriteSafetyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QtTestApp();
        const std::string key = "Software\\Tavo\\Quorvex";
        environ =
            std::make_unique<indEnviron>("QvTest Safety " + std::to_string(getpid()), key, key);
        environ->backupBeforeWrite = environ->confirmBeforeWrite = environ->verifyAfterWrite = 1;
        g_Environ = environ.get();
        g_GTex = &mainGTex;
        g_BaseGTex = &baseGTex;
        g_HelpGTex = &helpGTex;
        g_EvMan = &evMan;
        char tmpl[] = "/tmp/qv_safety_XXXXXX";
        dir = mkdtemp(tmpl);
        environ->currentDirectory = dir.string();
        if (const char* old = std::getenv("XDG_DATA_HOME"))
            oldDataHome = old;
        setenv("XDG_DATA_HOME", (dir / "data").c_str(), 1);
        main = std::make_unique<indMain>("TM5150Q", 7424);
        g_Main = main.get();
        form = std::make_unique<TForm1>();
        // The radio holds the LMR defaults with one channel in use.
        {
            cmcEeprom radio;
            std::vector<int32_t> ranges;
            UseChannel(main->Doc().Work(), 1, 0);
            main->Doc().PrepareCloneWrite(radio, ranges);
            std::copy(radio.Data(), radio.Data() + RadioSim::kEepromSize, sim.eeprom().begin());
            main->Doc().NewDocument();
        }
        port = std::make_unique<SimPort>(sim);
        main->UseLinkPort(port.get());
        main->Doc().CloneMan().Driver().SetWaiter(
            [](uint32_t ms) { qvtest::Services().clock.Advance(ms); });
        main->execDialog = [this](QDialog& d) { return Dialog(d); };
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
        if (oldDataHome.empty())
            unsetenv("XDG_DATA_HOME");
        else
            setenv("XDG_DATA_HOME", oldDataHome.c_str(), 1);
        fs::remove_all(dir);
    }
    // The dialogs of the write: remembered with their text and rows, answered by answer.
    int Dialog(QDialog& d)
    {
        Shown s;
        s.name = d.objectName().toStdString();
        if (auto* text = d.findChild<QLabel*>(QStringLiteral("Text")))
            s.text = text->text().toStdString();
        if (auto* table = d.findChild<cuiDiffTable*>())
            s.rows = table->Differences();
        s.hasGo = d.findChild<QPushButton*>(QStringLiteral("Go")) != nullptr;
        dialogs.push_back(s);
        d.resize(760, 300);
        fs::create_directories("/tmp/shots15");
        d.grab().save(QString::fromStdString("/tmp/shots15/" + s.name + ".png"));
        if (answer)
            return answer(d);
        return QDialog::Accepted;
    }
    qvtest::TestMessageBoxes& boxes() const { return qvtest::Services().boxes; }
    bool Run(uint32_t limitMs = 240000)
    {
        for (uint32_t t = 0; t < limitMs; t += 10) {
            if (!main->CloneBusy())
                return true;
            qvtest::Services().timers.Advance(10);
        }
        return !main->CloneBusy();
    }
    void Write()
    {
        main->RunCommand(CL_Menu_Clone_Write, 0);
        ASSERT_TRUE(Run());
    }
    std::vector<uint8_t> Work() const
    {
        const cmcEeprom& w = main->Doc().Work();
        return std::vector<uint8_t>(w.Data(), w.Data() + w.GetSize());
    }
    std::vector<std::string> Texts(plat::BoxIcon icon) const
    {
        std::vector<std::string> out;
        for (const auto& b : boxes().Seen())
            if (b.icon == icon)
                out.push_back(b.text);
        return out;
    }
    std::string First(const std::string& key) const { return g_GTex->GetLine(key, 0); }
    size_t Backups() const { return indBackups().List().size(); }
    void ExpectLinkEnded()
    {
        EXPECT_TRUE(form->isEnabled());
        EXPECT_FALSE(port->IsOpen());
        EXPECT_EQ(port->opens, port->closes);
    }
    // Moves the first channel to another frequency: one setting to write.
    void EditChannel()
    {
        datCh ch(main->Doc().Work());
        ch.Load(1, 0);
        ch.freqR = 446093750;
        ch.Store(1, 0);
        main->CheckModified();
    }

    struct Shown {
        std::string name, text;
        std::vector<indCompare::Difference> rows;
        bool hasGo = false;
    };
    std::unique_ptr<indEnviron> environ;
    cmcGTex mainGTex, baseGTex;
    cmcHelpGTex helpGTex;
    cmcEvMan evMan;
    std::unique_ptr<indMain> main;
    std::unique_ptr<TForm1> form;
    fs::path dir;
    std::string oldDataHome;
    RadioSim sim;
    std::unique_ptr<SimPort> port;
    std::vector<Shown> dialogs;
    std::function<int(QDialog&)> answer;
};

// A warning is the dealer's to judge; an error stops the write before the port opens (the
// radio sees no byte), lists where it is, and a double-click opens the sheet at the cell.
TEST_F(WriteSafetyTest, ChecksRunBeforeThePortOpens)
{
    boxes().Answer(BoxResult::Ok);  // the model type changes
    main->ChangeModelType(2, true);
    ASSERT_EQ(main->Doc().ModelType(), 2);
    UseChannel(main->Doc().Work(), 3, 0);
    UseChannel(main->Doc().Work(), 3, 1);
    datCh ch(main->Doc().Work());
    ch.Load(3, 1);
    ch.mskSig = 1;
    ch.moni = 0;  // a warning: the monitor should be an MSK monitor
    ch.sel = 1;
    ch.call = 0;
    ch.ptt = 0;
    ch.chMute = 1;
    ch.Save();
    main->CheckModified();
    const std::vector<uint8_t> before = Work();

    answer = [](QDialog&) { return int(QDialog::Rejected); };
    Write();
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].name, "WriteCheckWarnings");
    EXPECT_TRUE(dialogs[0].hasGo);
    ASSERT_FALSE(dialogs[0].rows.empty());
    EXPECT_EQ(dialogs[0].rows[0].valueB, "Warning");
    EXPECT_EQ(port->opens, 0) << "cancelled before the port opened";
    // Going on past the warnings writes the radio.
    dialogs.clear();
    answer = nullptr;
    boxes().AnswerAll(BoxResult::Ok);
    Write();
    ASSERT_EQ(dialogs.size(), 2u);
    EXPECT_EQ(dialogs[1].name, "WriteConfirm");
    EXPECT_EQ(sim.writesCompleted, 1);
    ExpectLinkEnded();
    boxes().Clear();

    ch.Load(3, 1);
    ch.sel = 2;  // an error
    ch.Save();
    main->CheckModified();
    const std::vector<uint8_t> withError = Work();
    const int opens = port->opens;
    const size_t sessions = port->sessions.size();
    const int infos = sim.infosAnswered;
    dialogs.clear();
    answer = [](QDialog& d) {
        // The dealer double-clicks the first entry.
        auto* table = d.findChild<cuiDiffTable*>();
        emit table->itemActivated(table->item(0, 0));
        return d.result();
    };
    Write();
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].name, "WriteCheckErrors");
    EXPECT_FALSE(dialogs[0].hasGo) << "errors leave nothing to go on with";
    EXPECT_EQ(dialogs[0].text, g_GTex->GetLines("GI_Mess_DataError"));
    bool named = false;
    for (const auto& r : dialogs[0].rows) {
        EXPECT_EQ(r.valueB, "Error");
        named = named || (r.id == CL_Mch_Sel_Pmr && r.index == 1);
    }
    EXPECT_TRUE(named);
    // The radio sees no byte of this write.
    EXPECT_EQ(port->opens, opens);
    EXPECT_EQ(port->sessions.size(), sessions);
    EXPECT_EQ(sim.infosAnswered, infos);
    EXPECT_EQ(sim.writesCompleted, 1) << "only the write past the warnings";
    EXPECT_EQ(Work(), withError);
    EXPECT_NE(before, withError);
    ExpectLinkEnded();
    // The sheet of the bank is open at the channel's setting.
    ASSERT_NE(main->Sheet(), nullptr);
    EXPECT_EQ(main->Sheet()->DisplayName(), "[St_ChBank]GI_Sheet_Mch_PmrD,Bank 0");
    ASSERT_NE(main->Sheet()->Sheet(), nullptr);
    int col = -1, row = -1, left = 0, top = 0;
    ASSERT_TRUE(main->Sheet()->CurrentPosition(&col, &row, &left, &top));
    const cmcCellObj at = main->Sheet()->Sheet()->CellAt(col, row);
    EXPECT_EQ(at.id, CL_Mch_Sel_Pmr);
    EXPECT_EQ(at.index, 1);
    form->resize(900, 500);
    form->grab().save(QStringLiteral("/tmp/shots15/opened-at-error.png"));
}

// The whole net on a good write: one backup of what the radio held, the confirmation names
// the setting that changes, the write is read back and verified.
TEST_F(WriteSafetyTest, BackupConfirmWriteAndVerify)
{
    UseChannel(main->Doc().Work(), 1, 0);
    EditChannel();
    const std::vector<uint8_t> before = Work();
    boxes().AnswerAll(BoxResult::Ok);
    EXPECT_EQ(Backups(), 0u);
    Write();
    EXPECT_TRUE(Texts(plat::BoxIcon::Error).empty());
    EXPECT_EQ(Backups(), 1u);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].name, "WriteConfirm");
    // The receive frequency, and the transmit frequency that no longer follows it.
    ASSERT_EQ(dialogs[0].rows.size(), 2u) << dialogs[0].text;
    EXPECT_EQ(dialogs[0].text.substr(0, dialogs[0].text.find('\n')),
              "2 settings will change on the radio.");
    const indCompare::Difference& rx = dialogs[0].rows[0];
    EXPECT_EQ(rx.sheet + "|" + rx.row + "|" + rx.column, "Memory Channels|No. 1|Receive MHz");
    EXPECT_EQ(rx.valueA, "446.006250");
    EXPECT_EQ(rx.valueB, "446.093750");
    EXPECT_EQ(dialogs[0].rows[1].valueA, "<-");
    EXPECT_EQ(sim.writesCompleted, 1);
    EXPECT_EQ(sim.readsCompleted, 2) << "the backup and the read-back";
    const auto info = Texts(plat::BoxIcon::Information);
    ASSERT_EQ(info.size(), 1u);
    EXPECT_NE(info[0].find(First("GI_Mess_Write_Verified")), std::string::npos) << info[0];
    EXPECT_EQ(Work(), before);
    ExpectLinkEnded();

    // The same image again: nothing changes, and the dealer may still write.
    dialogs.clear();
    boxes().Clear();
    boxes().AnswerAll(BoxResult::Ok);
    Write();
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_TRUE(dialogs[0].rows.empty());
    EXPECT_EQ(dialogs[0].text, g_GTex->GetLines("GI_Mess_Write_NoChanges"));
    EXPECT_EQ(sim.writesCompleted, 2);
    EXPECT_EQ(Backups(), 2u);
}

// Cancel at the confirmation: nothing written, the backup kept, the image untouched.
TEST_F(WriteSafetyTest, CancelAtTheConfirmationWritesNothing)
{
    UseChannel(main->Doc().Work(), 1, 0);
    EditChannel();
    const std::vector<uint8_t> before = Work();
    const std::vector<uint8_t> radio = sim.eeprom();
    boxes().AnswerAll(BoxResult::Ok);
    answer = [](QDialog&) { return int(QDialog::Rejected); };
    Write();
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(sim.writesCompleted, 0);
    EXPECT_EQ(sim.eeprom(), radio);
    EXPECT_EQ(Backups(), 1u);
    EXPECT_TRUE(Texts(plat::BoxIcon::Error).empty());
    EXPECT_TRUE(Texts(plat::BoxIcon::Information).empty());
    EXPECT_EQ(Work(), before);
    ExpectLinkEnded();
}

// A radio that stores one byte wrong: the write is not reported as a success; the message
// names the setting with the radio's value and ours.
TEST_F(WriteSafetyTest, FlipStoredIsReportedByTheSetting)
{
    sim.config().fault = RadioSim::Fault::FlipStored;
    UseChannel(main->Doc().Work(), 1, 0);
    EditChannel();
    const std::vector<uint8_t> before = Work();
    boxes().AnswerAll(BoxResult::Ok);
    Write();
    EXPECT_EQ(sim.writesCompleted, 1);
    EXPECT_TRUE(Texts(plat::BoxIcon::Information).empty()) << "never a success";
    const auto errors = Texts(plat::BoxIcon::Error);
    ASSERT_EQ(errors.size(), 1u);
    const std::string& text = errors[0];
    EXPECT_EQ(text.rfind(First("GI_Mess_Write_VerifyFailed"), 0), 0u) << text;
    EXPECT_NE(text.find("the radio holds \""), std::string::npos) << text;
    EXPECT_EQ(text.find("Address "), std::string::npos) << "a setting shows the byte: " << text;
    // The flipped bit brings an unused channel into use.
    EXPECT_NE(text.find("Memory Channels, No. 10, Receive MHz"), std::string::npos) << text;
    EXPECT_EQ(Work(), before);
    ExpectLinkEnded();
}

// A radio that cannot be read first is not written; the dealer is told.
TEST_F(WriteSafetyTest, AFailedBackupReadStopsTheWrite)
{
    sim.config().fault = RadioSim::Fault::LowerHex;  // identification and write work, reads fail
    UseChannel(main->Doc().Work(), 1, 0);
    const std::vector<uint8_t> before = Work();
    boxes().AnswerAll(BoxResult::Ok);
    Write();
    EXPECT_EQ(sim.writesCompleted, 0);
    const auto errors = Texts(plat::BoxIcon::Error);
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[1], g_GTex->GetLines("GI_Mess_Write_BackupReadFailed"));
    EXPECT_EQ(Backups(), 0u);
    EXPECT_TRUE(dialogs.empty());
    EXPECT_EQ(Work(), before);
    ExpectLinkEnded();
}

// The three entries of the Radio menu turn the steps off and are stored; off, a write is a
// bare write.
TEST_F(WriteSafetyTest, MenuEntriesTurnTheStepsOff)
{
    const char* captions[] = {"&Back Up the Radio Before Writing",
                              "&Confirm Changes Before Writing", "&Verify After Writing"};
    main->Menu()->Refresh();
    for (int i = 0; i < 3; ++i) {
        QAction* entry = nullptr;
        for (QAction* a : main->Menu()->Actions())
            if (cmcCellObj* c = cuiMenu::CellOf(a);
                c && c->id == CL_Menu_Clone_Safety && c->index == i)
                entry = a;
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->text().toStdString(), captions[i]);
        EXPECT_TRUE(entry->isCheckable());
        EXPECT_TRUE(entry->isChecked());
        entry->trigger();
        main->Menu()->Refresh();
        EXPECT_FALSE(entry->isChecked());
        EXPECT_FALSE(main->CommandChecked(CL_Menu_Clone_Safety, i));
    }
    EXPECT_EQ(environ->backupBeforeWrite + environ->confirmBeforeWrite + environ->verifyAfterWrite,
              0);
    for (QAction* top : form->menuBar()->actions())
        if (top->menu() && top->text() == QStringLiteral("&Radio"))
            top->menu()->grab().save(QStringLiteral("/tmp/shots15/radio-menu.png"));
    UseChannel(main->Doc().Work(), 1, 0);
    EditChannel();
    boxes().AnswerAll(BoxResult::Ok);
    Write();
    EXPECT_EQ(sim.writesCompleted, 1);
    EXPECT_EQ(sim.readsCompleted, 0);
    EXPECT_EQ(Backups(), 0u);
    EXPECT_TRUE(dialogs.empty());
    const auto info = Texts(plat::BoxIcon::Information);
    ASSERT_EQ(info.size(), 1u);
    EXPECT_EQ(info[0], g_GTex->GetLines("GI_Mess_CloneWrite_Succeeded"));
    ExpectLinkEnded();
    // Back on for the next test that builds a settings store.
    environ->backupBeforeWrite = environ->confirmBeforeWrite = environ->verifyAfterWrite = 1;
}

}  // namespace
