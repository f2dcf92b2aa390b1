// Adjustment mode through the program's own window, offscreen, against the simulated
// radio: entering it, alignment cells, the A/D window, bisections, sweeps and a radio that
// falls silent. Screenshots of the A/D window go to /tmp/shots21 when that folder exists.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QThread>
#include <QTreeWidget>
#include <filesystem>
#include <memory>

#include "RadioSim.h"
#include "SimPort.h"
#include "cells/cmcCellIds.h"
#include "common/cmcEvMan.h"
#include "common/indEnviron.h"
#include "link/indCloneMan.h"
#include "maker/iuiWinAd.h"
#include "overlay/cmcGTex.h"
#include "overlay/cmcHelpGTex.h"
#include "rules/indActiveCell.h"
#include "rules/indAdjust.h"
#include "shell/QtTestApp.h"
#include "shell/TForm1.h"
#include "shell/indMain.h"
#include "shell/iuiTree.h"
#include "support/TestServices.h"

namespace {

class AdjustModeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QtTestApp();
        const std::string key = "Software\\Tavo\\Quorvex";
        environ =
            std::make_unique<indEnviron>("QvTest Adjust " + std::to_string(getpid()), key, key);
        g_Environ = environ.get();
        g_GTex = &mainGTex;
        g_BaseGTex = &baseGTex;
        g_HelpGTex = &helpGTex;
        g_EvMan = &evMan;
        main = std::make_unique<indMain>("TM5150Q", 7424);
        g_Main = main.get();
        form = std::make_unique<TForm1>();
        main->UseCloneLink(&port);
        main->CloneMan().AdjustDriver().SetWaiter(
            [](uint32_t ms) { qvtest::Services().clock.Advance(ms); });
        indCloneMan::SetLinkSpeed(-1);
        qvtest::Services().boxes.Clear();
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
    }
    // Lets the program run on the test clock until done answers true.
    bool Pump(const std::function<bool()>& done, int limitMs = 120000)
    {
        for (int t = 0; t < limitMs; t += 2) {
            QCoreApplication::processEvents();
            if (done())
                return true;
            qvtest::Services().timers.Advance(2);
        }
        return done();
    }
    bool Quiet()
    {
        return Pump([&] {
            return !main->CloneMan().IsBusy() && !main->AdjustState().Running() &&
                   main->AdjustState().State() == 0 && evMan.QueuedCount() == 0;
        });
    }
    void Enter()
    {
        main->RequestAdjustMode();
        ASSERT_TRUE(main->EnterAdjustMode());
        ASSERT_TRUE(Quiet());
    }
    // A key or typed text on a cell, as the sheet sends it to the rules.
    std::string Cell(int32_t id, int32_t key = 0, int mode = 1)
    {
        cmcCellObj cell;
        cell.category = CT_Null;
        cell.id = id;
        cell.index = 0;
        cmcCellCapsule c;
        c.cell = &cell;
        c.key = key;
        // A key comes from a sheet's grid; the rules only look whether there is one.
        c.grid = reinterpret_cast<cuiGrid*>(main->Tree());
        indMain::Rules(main.get(), &c, mode);
        return c.text;
    }
    uint8_t Work(int32_t a) { return main->Doc().Work().GetByte(a); }
    uint8_t Saved(int32_t a) { return main->Doc().Saved().GetByte(a); }
    void Shot(QWidget* w, const char* name)
    {
        if (std::filesystem::is_directory("/tmp/shots21"))
            w->grab().save(QStringLiteral("/tmp/shots21/") + QString::fromLatin1(name));
    }

    std::unique_ptr<indEnviron> environ;
    cmcGTex mainGTex, baseGTex;
    cmcHelpGTex helpGTex;
    cmcEvMan evMan;
    std::unique_ptr<indMain> main;
    std::unique_ptr<TForm1> form;
    RadioSim sim;
    SimPort port{sim};
};

TEST_F(AdjustModeTest, EnteringSetsUpTheRadioAndShowsTheAdjustmentEntries)
{
    EXPECT_EQ(main->Tree()->FindByEntry("GI_Sheet_Adjust"), nullptr);
    EXPECT_EQ(main->Adjust(), nullptr);
    Enter();
    ASSERT_GE(sim.adjustLog.size(), 2u);
    EXPECT_EQ(sim.adjustLog[0], std::make_pair(2, 1));
    EXPECT_EQ(sim.adjustLog[1].first, 0);
    EXPECT_EQ(sim.adjustLog[1].second, main->AdjustState().ChannelNumber());
    EXPECT_NE(main->Tree()->FindByEntry("GI_Sheet_Adjust"), nullptr);
    EXPECT_TRUE(main->AdjustMode());
    main->OpenSheet("GI_Sheet_Adjust");
    EXPECT_NE(main->Sheet(), nullptr);
    Shot(form.get(), "adjust-sheet.png");
    EXPECT_TRUE(qvtest::Services().boxes.Seen().empty());
}

TEST_F(AdjustModeTest, AnAlignmentCellSendsExactlyItsFrame)
{
    Enter();
    main->Doc().Work().SetByte(indAdjust::kItemAByte, 126);
    main->Doc().Saved().SetByte(indAdjust::kItemAByte, 126);
    const size_t sessions = port.sessions.size();
    EXPECT_EQ(Cell(CL_Adjust_RxLva, cmcCellCapsule::kKeyRightEdge), "127");
    ASSERT_TRUE(Quiet());
    ASSERT_GT(port.sessions.size(), sessions);  // a speed switch may come first
    EXPECT_EQ(port.sessions.back().sent,
              CloneFrames::HexToBytes("FE FE EE EF E8 32 85 00 00 06 37 46 FD"));
    EXPECT_EQ(sim.adjust[6], 127);
    EXPECT_EQ(Saved(indAdjust::kItemAByte), 127);
}

TEST_F(AdjustModeTest, TheAdWindowReadsItsChannelsInOrderAndShowsThem)
{
    Enter();
    const size_t before = sim.adjustLog.size();
    evMan.Post(ev::kToggleAdjustWindow);
    ASSERT_TRUE(Pump([&] { return main->AdjustWindow() != nullptr; }));
    iuiWinAd* w = main->AdjustWindow();
    ASSERT_TRUE(Quiet());
    const int order[] = {0, 1, 2, 3, 4, 5, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19};
    ASSERT_EQ(sim.adjustLog.size(), before + 18);
    for (size_t i = 0; i < 18; ++i)
        EXPECT_EQ(sim.adjustLog[before + i], std::make_pair(3, order[i]));
    EXPECT_EQ(Cell(CL_WinAD_VIN_Dec, 0, 0), "180");
    EXPECT_EQ(Cell(CL_WinAD_SD_Hex, 0, 0), "5A");
    EXPECT_TRUE(environ->adjWindowOpen);
    Pump([] { return false; }, 200);
    Shot(w, "ad-window.png");

    // Opening it again closes it, and the menu's check mark goes with it.
    evMan.Post(ev::kToggleAdjustWindow);
    ASSERT_TRUE(Pump([&] { return main->AdjustWindow() == nullptr; }));
    EXPECT_FALSE(environ->adjWindowOpen);
}

TEST_F(AdjustModeTest, BisectionsAndSweepsFinishInImagesAndRadio)
{
    Enter();
    evMan.Post(ev::kToggleAdjustWindow);
    ASSERT_TRUE(Pump([&] { return main->AdjustWindow() != nullptr; }));
    ASSERT_TRUE(Quiet());
    for (int at0 : {20, 230}) {
        sim.config().curveAt0 = at0;
        sim.config().curveAt255 = 250 - at0;
        main->Doc().Work().SetByte(indAdjust::kTargetAByte, 125);
        Cell(CL_Adjust_RxLva_Sweep, cmcCellCapsule::kKeyEnter);
        EXPECT_TRUE(main->AdjustState().Running());
        ASSERT_TRUE(Quiet());
        const int v = Work(indAdjust::kItemAByte);
        const int r = sim.config().curveAt0 + (sim.config().curveAt255 - at0) * v / 255;
        EXPECT_LE(std::abs(r - 125), 1) << v;
        EXPECT_EQ(Saved(indAdjust::kItemAByte), v);
        EXPECT_EQ(sim.adjust[6], v);
    }
    main->Doc().Work().SetByte(indAdjust::kItemAByte, 50);
    main->Doc().Work().SetByte(indAdjust::kTargetAByte, 250);
    Cell(CL_Adjust_RxLva_Sweep, cmcCellCapsule::kKeyEnter);
    ASSERT_TRUE(Quiet());
    EXPECT_EQ(Work(indAdjust::kItemAByte), 50);
    EXPECT_EQ(sim.adjust[6], 50);
    EXPECT_EQ(Cell(CL_Adjust_RxLva_Sweep, 0, 0), mainGTex.GetLine("GI_AppInd_Sweep_Error", 0));

    Cell(CL_Adjust_BpfAll_Sweep, cmcCellCapsule::kKeyEnter);
    ASSERT_TRUE(Pump([&] { return sim.adjust[19] >= 90; }));
    iuiWinAd* w = main->AdjustWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->StopButton()->isEnabled());
    Shot(w, "ad-window-sweeping.png");
    ASSERT_TRUE(Quiet());
    EXPECT_EQ(Work(indAdjust::kBpf1Byte), 100);
    EXPECT_EQ(Work(indAdjust::kBpf2Byte), 144);
    EXPECT_EQ(Saved(indAdjust::kBpf1Byte), 100);
    EXPECT_EQ(Saved(indAdjust::kBpf2Byte), 144);
    EXPECT_EQ(sim.adjust[19], 100);
    EXPECT_EQ(sim.adjust[20], 144);
    EXPECT_FALSE(w->StopButton()->isEnabled());
    EXPECT_TRUE(qvtest::Services().boxes.Seen().empty());
}

TEST_F(AdjustModeTest, ARadioFallingSilentMidBisectionIsReportedAndUndone)
{
    Enter();
    main->Doc().Work().SetByte(indAdjust::kItemBByte, 61);
    main->Doc().Work().SetByte(indAdjust::kTargetBByte, 125);
    sim.config().silentAfterAnswers = sim.adAnswers + 3;
    qvtest::Services().boxes.Answer(plat::BoxResult::Ok);
    Cell(CL_Adjust_TxLva_Sweep, cmcCellCapsule::kKeyEnter);
    ASSERT_TRUE(Quiet());
    ASSERT_EQ(qvtest::Services().boxes.Seen().size(), 1u);
    EXPECT_EQ(qvtest::Services().boxes.Seen()[0].text.rfind(
                  mainGTex.GetLine("GI_Mess_CloneErr_Head", 5), 0),
              0u);
    EXPECT_EQ(Work(indAdjust::kItemBByte), 61);
    EXPECT_EQ(Saved(indAdjust::kItemBByte), 61);
    EXPECT_EQ(sim.adjust[7], 61);
    const size_t sent = sim.adjustLog.size();
    EXPECT_EQ(Cell(CL_Adjust_Pow_Hi, cmcCellCapsule::kKeyRightEdge).empty(), false);
    ASSERT_TRUE(Quiet());
    ASSERT_EQ(sim.adjustLog.size(), sent + 1);
    EXPECT_EQ(sim.adjustLog.back().first, 8);
    EXPECT_EQ(Work(indAdjust::kItemBByte), 61);
}

}  // namespace
