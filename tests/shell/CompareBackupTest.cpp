// The dealer's safety net around the working image, through the program against the
// simulated radio: every clone read leaves a backup, the backup folder opens on the desktop.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <filesystem>
#include <memory>

#include "RadioSim.h"
#include "SimFile.h"
#include "SimPort.h"
#include "cells/cmcCellIds.h"
#include "common/cmcEvMan.h"
#include "common/indEnviron.h"
#include "link/indCloneMan.h"
#include "model/datCh.h"
#include "model/indBackups.h"
#include "overlay/OverlayFormat.h"
#include "overlay/cmcGTex.h"
#include "overlay/cmcHelpGTex.h"
#include "shell/QtTestApp.h"
#include "shell/TForm1.h"
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
    ASSERT_NE(main->MessagePanel(), nullptr);
    EXPECT_TRUE(main->MessagePanel()->text().contains(QString::fromStdString(kept.back())))
        << main->MessagePanel()->text().toStdString();
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

}  // namespace
