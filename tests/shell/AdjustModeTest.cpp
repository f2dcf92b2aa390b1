// Adjustment mode through the program's own window, offscreen, against the simulated
// radio: entering it, alignment cells, the A/D window, bisections, sweeps and a radio that
// falls silent. Screenshots of the A/D window go to /tmp/shots21 when that folder exists.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QThread>
#include <QTreeWidget>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <set>

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
#include "sheets/cuiSheet.h"
#include "shell/QtTestApp.h"
#include "shell/TForm1.h"
#include "shell/cuiOptDialog.h"
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
        for (cmcCloneDrv* d : {static_cast<cmcCloneDrv*>(&main->CloneMan().AdjustDriver()),
                               &main->CloneMan().Driver()})
            d->SetWaiter([](uint32_t ms) { qvtest::Services().clock.Advance(ms); });
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

// The adjustment read command: password, caution, clone read, then adjustment mode. Every
// refusal or failure on the way leaves the image, the mode and the tree as they were.
TEST_F(AdjustModeTest, TheAdjustmentReadCommandEntersOnlyAfterPasswordCautionAndRead)
{
    using plat::BoxResult;
    environ->adjustMode = "abc";
    const int32_t probe = 0x0100;
    // The unlock lasts for the program's life: the cases run in this order.
    const struct Case {
        const char* name;
        const char* typed;  // null: no dialog expected
        std::vector<BoxResult> boxes;
        bool silent;
        bool unsaved;  // the document holds unsaved work
        bool enters;
    } cases[] = {
        {"wrong password", "abcd", {BoxResult::Ok}, false, false, false},
        {"caution cancelled", "abc", {BoxResult::Cancel}, false, false, false},
        {"unsaved work kept", nullptr, {BoxResult::Ok, BoxResult::Cancel}, false, true, false},
        {"radio silent", nullptr, {BoxResult::Ok, BoxResult::Ok}, true, false, false},
        {"read and enter", nullptr, {BoxResult::Ok}, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        qvtest::Services().boxes.Clear();
        for (BoxResult r : c.boxes)
            qvtest::Services().boxes.Answer(r);
        bool asked = false;
        main->execDialog = [&](QDialog& d) {
            asked = true;
            auto* dialog = dynamic_cast<cuiOptDialog*>(&d);
            dialog->Edit()->setText(QString::fromLatin1(c.typed ? c.typed : ""));
            dialog->OkButton()->click();
            return d.result();
        };
        sim.config().fault = c.silent ? RadioSim::Fault::Silence : RadioSim::Fault::None;
        const uint8_t before = static_cast<uint8_t>(sim.eeprom()[probe] ^ 0xFF);
        main->Doc().Work().SetByte(probe, before);
        if (c.unsaved)
            main->MarkModified();
        else
            main->MarkSaved();
        const size_t sent = sim.adjustLog.size();
        main->RunCommand(CL_Menu_Ad_Read, 0);
        ASSERT_TRUE(Pump([&] { return !main->CloneMan().IsBusy() && evMan.QueuedCount() == 0; }));
        ASSERT_TRUE(Quiet());
        EXPECT_EQ(asked, c.typed != nullptr);
        EXPECT_EQ(qvtest::Services().boxes.Seen().size(), c.boxes.size());
        EXPECT_EQ(main->AdjustMode(), c.enters);
        EXPECT_EQ(main->Tree()->FindByEntry("GI_Sheet_Adjust") != nullptr, c.enters);
        EXPECT_EQ(main->Tree()->FindByEntry("GI_Sheet_Adjust_Pram") != nullptr, c.enters);
        EXPECT_EQ(Work(probe), c.enters ? sim.eeprom()[probe] : before);
        if (!c.enters) {
            EXPECT_EQ(sim.adjustLog.size(), sent);
            continue;
        }
        ASSERT_GE(sim.adjustLog.size(), sent + 2);
        EXPECT_EQ(sim.adjustLog[sent], std::make_pair(2, 1));
        EXPECT_EQ(sim.adjustLog[sent + 1].first, 0);
    }
}

// After an adjustment read that failed, a plain clone read stays a plain read.
TEST_F(AdjustModeTest, APlainReadAfterAFailedAdjustmentReadDoesNotEnter)
{
    qvtest::Services().boxes.Answer(plat::BoxResult::Ok);  // the caution
    qvtest::Services().boxes.Answer(plat::BoxResult::Ok);  // the link error
    sim.config().fault = RadioSim::Fault::Silence;
    main->RunCommand(CL_Menu_Ad_Read, 0);
    ASSERT_TRUE(Quiet());
    EXPECT_EQ(main->AdjustState().State(), indAdjust::kStateIdle);
    sim.config().fault = RadioSim::Fault::None;
    main->RunCommand(CL_Menu_Clone_Read, 0);
    ASSERT_TRUE(Quiet());
    EXPECT_EQ(sim.readsCompleted, 1);
    EXPECT_FALSE(main->AdjustMode());
    EXPECT_TRUE(sim.adjustLog.empty());
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

// The window's events: a font size change rebuilds its sheet where the cursor was, a close
// request for another sheet leaves it open, and its end is sent as event 1 while its
// identity is still valid.
TEST_F(AdjustModeTest, TheAdWindowFollowsItsEvents)
{
    Enter();
    evMan.Post(ev::kToggleAdjustWindow);
    ASSERT_TRUE(Pump([&] { return main->AdjustWindow() != nullptr; }));
    ASSERT_TRUE(Quiet());
    iuiWinAd* w = main->AdjustWindow();
    EXPECT_TRUE(main->CommandChecked(CL_Menu_View_Ad, 0));
    w->resize(w->width() + 37, w->height());
    const int width = w->width();
    main->RunCommand(CL_Menu_View_FontSize, 120);
    ASSERT_TRUE(Quiet());
    ASSERT_EQ(main->AdjustWindow(), w);
    ASSERT_NE(w->Sheet(), nullptr);
    const indEnviron::WindowEntry* placed = environ->GetWindowEntry("GI_Sheet_Win_AD");
    ASSERT_NE(placed, nullptr);
    EXPECT_EQ(placed->width, width);

    evMan.PostText(ev::kCloseAdjustWindow, 0, 0, "GI_Sheet_Adjust");
    ASSERT_TRUE(Quiet());
    EXPECT_EQ(main->AdjustWindow(), w);

    struct Ends {
        static void On(void* self, const cmcEvent& e)
        {
            if (e.id == ev::kWindowDestroyed)
                static_cast<std::vector<intptr_t>*>(self)->push_back(e.arg2);
        }
    };
    std::vector<intptr_t> ends;
    evMan.Subscribe(&Ends::On, &ends);
    const auto id = reinterpret_cast<intptr_t>(w);
    w->OkButton()->click();
    ASSERT_TRUE(Pump([&] { return main->AdjustWindow() == nullptr; }));
    evMan.Unsubscribe(&Ends::On, &ends);
    EXPECT_EQ(std::count(ends.begin(), ends.end(), id), 1);
    EXPECT_FALSE(main->CommandChecked(CL_Menu_View_Ad, 0));
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

// An automatic adjustment whose radio falls silent part-way ends with the message, the
// starting values back in the images and the radio, and nothing left to resume.
TEST_F(AdjustModeTest, ARadioFallingSilentMidAdjustmentIsReportedAndUndone)
{
    struct Target {
        int32_t byte;
        int command;
        int start;
    };
    const struct Case {
        const char* name;
        int32_t cell;
        int enters;      // the catch is armed by a first Enter
        int answers;     // A/D answers before the radio falls silent
        bool radioTold;  // the radio had been given a trial value
        std::vector<Target> targets;
    } cases[] = {
        {"bisection B", CL_Adjust_TxLva_Sweep, 1, 3, true, {{indAdjust::kItemBByte, 7, 61}}},
        {"bisection A", CL_Adjust_RxLva_Sweep, 1, 1, true, {{indAdjust::kItemAByte, 6, 33}}},
        {"sweep 1", CL_Adjust_BpfT1_Sweep, 1, 5, true, {{indAdjust::kBpf1Byte, 19, 80}}},
        {"sweep 2", CL_Adjust_BpfT2_Sweep, 1, 5, true, {{indAdjust::kBpf2Byte, 20, 81}}},
        {"both sweeps",
         CL_Adjust_BpfAll_Sweep,
         1,
         30,
         true,
         {{indAdjust::kBpf1Byte, 19, 82}, {indAdjust::kBpf2Byte, 20, 83}}},
        {"S-meter catch", CL_Adjust_Smeter_Bar, 2, 2, false, {{indAdjust::kRssiLev1Byte, 23, 9}}},
    };
    Enter();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        qvtest::Services().boxes.Clear();
        sim.config().silentAfterAnswers = -1;
        for (const Target& t : c.targets) {
            main->Doc().Work().SetByte(t.byte, static_cast<uint8_t>(t.start));
            main->Doc().Saved().SetByte(t.byte, static_cast<uint8_t>(t.start));
        }
        // The radio starts from the images' values.
        for (const Target& t : c.targets)
            if (c.radioTold)
                sim.adjust[t.command] = static_cast<uint8_t>(t.start);
        main->Doc().Work().SetByte(indAdjust::kTargetBByte, 125);
        main->Doc().Work().SetByte(indAdjust::kTargetAByte, 125);
        sim.config().silentAfterAnswers = sim.adAnswers + c.answers;
        qvtest::Services().boxes.Answer(plat::BoxResult::Ok);
        for (int i = 0; i < c.enters; ++i)
            Cell(c.cell, cmcCellCapsule::kKeyEnter);
        EXPECT_TRUE(main->AdjustState().Running());
        ASSERT_TRUE(Quiet());
        ASSERT_EQ(qvtest::Services().boxes.Seen().size(), 1u);
        EXPECT_EQ(qvtest::Services().boxes.Seen()[0].text.rfind(
                      mainGTex.GetLine("GI_Mess_CloneErr_Head", 5), 0),
                  0u);
        for (const Target& t : c.targets) {
            EXPECT_EQ(Work(t.byte), t.start);
            EXPECT_EQ(Saved(t.byte), t.start);
            if (c.radioTold)
                EXPECT_EQ(sim.adjust[t.command], t.start);
            else
                EXPECT_FALSE(sim.adjustSet[t.command]);
        }
        EXPECT_FALSE(main->CloneMan().AdjustCommandPending());
        // A later command is just that command: nothing resumes.
        const size_t sent = sim.adjustLog.size();
        EXPECT_FALSE(Cell(CL_Adjust_Pow_Hi, cmcCellCapsule::kKeyRightEdge).empty());
        ASSERT_TRUE(Quiet());
        ASSERT_EQ(sim.adjustLog.size(), sent + 1);
        EXPECT_EQ(sim.adjustLog.back().first, 8);
        for (const Target& t : c.targets)
            EXPECT_EQ(Work(t.byte), t.start);
    }
}

// Each sweep of a filter starts afresh: its middle follows the pass band it measures now,
// and a band it never finds leaves the middle of the whole range. Meanwhile no other
// automatic adjustment can start.
TEST_F(AdjustModeTest, EverySweepStartsAfreshAndRefusesCompany)
{
    Enter();
    const struct {
        int lo, hi, slope, middle;
    } cases[] = {{90, 110, 3, 100}, {121, 131, 3, 126}, {90, 110, 3, 100}, {250, 255, 255, 120}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lo);
        sim.config().bpf1Lo = c.lo;
        sim.config().bpf1Hi = c.hi;
        sim.config().bpfSlope = c.slope;
        Cell(CL_Adjust_BpfT1_Sweep, cmcCellCapsule::kKeyEnter);
        ASSERT_TRUE(main->AdjustState().Running());
        const size_t sent = sim.adjustLog.size();
        Cell(CL_Adjust_RxLva_Sweep, cmcCellCapsule::kKeyEnter);
        Cell(CL_Adjust_Smeter_Bar, cmcCellCapsule::kKeyEnter);
        ASSERT_TRUE(Quiet());
        for (size_t i = sent; i < sim.adjustLog.size(); ++i)
            EXPECT_TRUE(sim.adjustLog[i].first == 19 || sim.adjustLog[i].first == 3);
        EXPECT_EQ(Work(indAdjust::kBpf1Byte), c.middle);
        EXPECT_EQ(Saved(indAdjust::kBpf1Byte), c.middle);
        EXPECT_EQ(sim.adjust[19], c.middle);
        EXPECT_EQ(main->AdjustState().CatchStep(), indAdjust::kCatchIdle);
    }
    EXPECT_TRUE(qvtest::Services().boxes.Seen().empty());
}

// The S-meter catch asks for S1, then S3, and stores the averaged level of each in the
// images and the radio; stopped half-way it leaves the level as it was.
TEST_F(AdjustModeTest, TheSMeterCatchStoresTheLevelsItCaught)
{
    Enter();
    evMan.Post(ev::kToggleAdjustWindow);
    ASSERT_TRUE(Pump([&] { return main->AdjustWindow() != nullptr; }));
    ASSERT_TRUE(Quiet());
    sim.config().bpfSlope = 1;
    sim.adjust[19] = 0;
    sim.adjust[20] = 0;
    EXPECT_EQ(Cell(CL_Adjust_Smeter_Bar, 0, 0), mainGTex.GetLine("GI_AppInd_Catch_Start", 0));
    EXPECT_EQ(Cell(CL_Adjust_Smeter_Bar, cmcCellCapsule::kKeyEnter), "RSSI S1 Level");
    EXPECT_EQ(Cell(CL_Adjust_Smeter_Bar, cmcCellCapsule::kKeyEnter),
              mainGTex.GetLine("GI_AppInd_Sweep_Running", 0));
    ASSERT_TRUE(Quiet());
    const int s1 = sim.Reading(indAdjust::kLevelChannel);
    EXPECT_EQ(s1, 86);
    EXPECT_EQ(Cell(CL_Adjust_Smeter_Bar, 0, 0), "RSSI S3 Level");

    // Stopped while reading at S3: nothing changes, and S3 is still asked for.
    sim.adjust[19] = 100;
    const size_t sent = sim.adjustLog.size();
    Cell(CL_Adjust_Smeter_Bar, cmcCellCapsule::kKeyEnter);
    QPushButton* stop = main->AdjustWindow()->StopButton();
    ASSERT_TRUE(Pump([&] { return stop->isEnabled(); }));
    stop->click();
    ASSERT_TRUE(Quiet());
    EXPECT_LT(sim.adjustLog.size(), sent + indAdjust::kCatchReadings);
    EXPECT_FALSE(sim.adjustSet[indAdjust::kCmdRssiLev6]);
    EXPECT_EQ(Work(indAdjust::kRssiLev6Byte), 0);
    EXPECT_EQ(Cell(CL_Adjust_Smeter_Bar, 0, 0), "RSSI S3 Level");

    Cell(CL_Adjust_Smeter_Bar, cmcCellCapsule::kKeyEnter);
    ASSERT_TRUE(Quiet());
    const int s3 = sim.Reading(indAdjust::kLevelChannel);
    EXPECT_EQ(s3, 131);
    const struct {
        int32_t byte;
        int command, level;
    } caught[] = {{indAdjust::kRssiLev1Byte, indAdjust::kCmdRssiLev1, s1},
                  {indAdjust::kRssiLev6Byte, indAdjust::kCmdRssiLev6, s3}};
    for (const auto& c : caught) {
        EXPECT_EQ(Work(c.byte), c.level);
        EXPECT_EQ(Saved(c.byte), c.level);
        EXPECT_EQ(sim.adjust[c.command], c.level);
    }
    EXPECT_EQ(Cell(CL_Adj_Pram_Rssi_Lev1, 0, 0), " 86");
    EXPECT_EQ(Cell(CL_Adj_Pram_Rssi_Lev6, 0, 0), "131");
    EXPECT_EQ(Cell(CL_Adjust_Smeter_Bar, 0, 0), mainGTex.GetLine("GI_AppInd_Catch_Start", 0));
    EXPECT_TRUE(qvtest::Services().boxes.Seen().empty());
}

// Every stored parameter reads a byte of its own.
TEST_F(AdjustModeTest, TheStoredParameterSheetShowsEachParameterFromItsOwnByte)
{
    Enter();
    for (int32_t a = 0x0050; a < 0x0100; ++a)
        main->Doc().Work().SetByte(a, static_cast<uint8_t>(a));
    std::set<std::string> seen;
    for (int32_t id = CL_Adj_Pram_RfPow_Hi; id <= CL_Adj_Pram_Rssi_Lev6; ++id) {
        if (id == CL_Adj_Pram_Base_Freq)
            continue;
        const std::string text = Cell(id, 0, 0);
        EXPECT_TRUE(seen.insert(text).second) << id << ": " << text;
    }
    EXPECT_EQ(Cell(CL_Adj_Pram_Base_Freq, 0, 0), "2056.100");  // 0x5051 = 20561
    EXPECT_NE(main->Tree()->FindByEntry("GI_Sheet_Adjust_Pram"), nullptr);
    form->resize(1100, 1000);
    main->OpenSheet("GI_Sheet_Adjust_Pram");
    ASSERT_NE(main->Sheet(), nullptr);
    Pump([] { return false; }, 200);
    Shot(form.get(), "adjust-pram-sheet.png");
}

}  // namespace
