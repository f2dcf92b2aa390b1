// The adjustment state against the simulated radio: entering and setting up, single
// commands, the A/D readings, both bisections and the filter sweeps, and what a failing or
// stopped automatic adjustment leaves in the images and the radio.

#include <cstdlib>
#include <memory>

#include "RadioSim.h"
#include "SimPort.h"
#include "link/indCloneMan.h"
#include "rules/RulesFixture.h"
#include "rules/indAdjust.h"

namespace {

class AdjustTest : public RulesTest {
protected:
    void SetUp() override
    {
        RulesTest::SetUp();
        Boxes().AnswerAll(plat::BoxResult::Ok);
        man = std::make_unique<indCloneMan>(&port);
        man->AdjustDriver().SetWaiter([](uint32_t ms) { qvtest::Services().clock.Advance(ms); });
        adjust = std::make_unique<indAdjust>(*man, host->work, host->snapshot);
        adjust->modelType = [this] { return host->modelType; };
        host->adjust = adjust.get();
        indCloneMan::SetLinkSpeed(-1);
    }
    void TearDown() override
    {
        host->adjust = nullptr;
        adjust.reset();
        man.reset();
        RulesTest::TearDown();
    }
    // Runs the clock and lets the adjustment step as every event would, until the link
    // is idle and nothing automatic runs any more.
    bool Settle(uint32_t limitMs = 120000)
    {
        for (uint32_t t = 0; t < limitMs; t += 10) {
            adjust->Step();
            if (!man->IsBusy() && !adjust->Running() && adjust->State() == 0)
                return true;
            qvtest::Services().timers.Advance(10);
        }
        return false;
    }
    uint8_t Work(int32_t a) { return host->work.GetByte(a); }
    uint8_t Snap(int32_t a) { return host->snapshot.GetByte(a); }
    size_t BoxCount() { return Boxes().Seen().size(); }

    RadioSim sim;
    SimPort port{sim};
    std::unique_ptr<indCloneMan> man;
    std::unique_ptr<indAdjust> adjust;
};

TEST_F(AdjustTest, EnteringSendsTheSetUpCommandsAndSelectsTheFirstUsedChannel)
{
    EXPECT_FALSE(adjust->Enter());  // only once asked for
    UseChannel(2);
    host->work.SetByte(0x0062, 50);
    host->work.SetByte(0x0069, 100);
    host->work.SetByte(0x0070, 255);
    adjust->Request();
    ASSERT_TRUE(adjust->Enter());
    EXPECT_EQ(adjust->State(), indAdjust::kStateSetUp);
    EXPECT_EQ(man->AdjustDriver().StepInterval(), 250);
    ASSERT_TRUE(Settle());
    ASSERT_EQ(sim.adjustLog.size(), 2u);
    EXPECT_EQ(sim.adjustLog[0], std::make_pair(2, 1));
    EXPECT_EQ(sim.adjustLog[1], std::make_pair(0, 3));
    EXPECT_EQ(adjust->ChannelNumber(), 3);
    EXPECT_EQ(adjust->Ratio1(), 32);
    EXPECT_EQ(adjust->Ratio2(), 163);  // 163.2
    EXPECT_EQ(indAdjust::Ratio(3, 2), 96);
    EXPECT_EQ(indAdjust::Ratio(1, 128), 1);  // 0.5 rounds up
    EXPECT_EQ(indAdjust::Ratio(200, 10), 255);
    EXPECT_EQ(indAdjust::Ratio(5, 0), 255);
    EXPECT_EQ(indAdjust::Ratio(0, 0), 0);
}

TEST_F(AdjustTest, ACommandIsTheRadiosValueOnlyOnceItWasSent)
{
    uint8_t recorded = 9;
    ASSERT_TRUE(adjust->AdjustCommand(5, 77, &recorded, false));
    EXPECT_EQ(recorded, 9);
    EXPECT_FALSE(adjust->AdjustCommand(5, 78, &recorded, false));  // the link is busy
    ASSERT_TRUE(Settle());
    EXPECT_EQ(recorded, 77);
    EXPECT_EQ(sim.adjust[5], 77);

    port.available = false;
    ASSERT_TRUE(adjust->AdjustCommand(5, 80, &recorded, false));
    ASSERT_TRUE(Settle());
    EXPECT_EQ(recorded, 77);
    EXPECT_EQ(BoxCount(), 1u);
    EXPECT_FALSE(man->AdjustCommandPending());

    adjust->mainEnabled = [] { return false; };
    EXPECT_FALSE(adjust->AdjustCommand(5, 81, &recorded, false));
}

TEST_F(AdjustTest, ReadingsArriveForEveryChannelInOrder)
{
    ASSERT_TRUE(adjust->ReadAdValues());
    ASSERT_TRUE(Settle());
    const int order[] = {0, 1, 2, 3, 4, 5, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19};
    ASSERT_EQ(sim.adjustLog.size(), 18u);
    for (size_t i = 0; i < 18; ++i) {
        EXPECT_EQ(sim.adjustLog[i], std::make_pair(3, order[i]));
        EXPECT_EQ(adjust->Reading(order[i]), sim.Reading(order[i])) << order[i];
    }
    EXPECT_EQ(adjust->Readings()[20], sim.Reading(8));
    EXPECT_EQ(adjust->Readings()[31], sim.Reading(19));
}

// The reading the simulated radio gives at setting v.
int CurveAt(const RadioSim& s, int v)
{
    return s.config().curveAt0 + (s.config().curveAt255 - s.config().curveAt0) * v / 255;
}

TEST_F(AdjustTest, BisectionsConvergeOnRisingAndFallingResponses)
{
    const struct {
        int at0, at255, target, item;
    } cases[] = {
        {20, 230, 125, 0}, {20, 230, 31, 1}, {230, 20, 125, 0}, {230, 20, 200, 1}, {0, 255, 254, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target);
        sim.config().curveAt0 = c.at0;
        sim.config().curveAt255 = c.at255;
        const int32_t byte = c.item == 0 ? indAdjust::kItemAByte : indAdjust::kItemBByte;
        const int command = c.item == 0 ? 6 : 7;
        host->work.SetByte(c.item == 0 ? indAdjust::kTargetAByte : indAdjust::kTargetBByte,
                           static_cast<uint8_t>(c.target));
        host->work.SetByte(byte, 40);
        ASSERT_TRUE(c.item == 0 ? adjust->StartBisectionA() : adjust->StartBisectionB());
        EXPECT_TRUE(adjust->Running());
        EXPECT_FALSE(adjust->StartSweep1());  // one automatic adjustment at a time
        EXPECT_FALSE(adjust->StartBisectionB());
        ASSERT_TRUE(Settle());
        const int v = Work(byte);
        EXPECT_EQ(Snap(byte), v);
        EXPECT_EQ(sim.adjust[command], v);
        EXPECT_FALSE(adjust->BisectionOf(c.item).outOfRange);
        // The reading reaches the target at v or one of its neighbours.
        const int lo = std::max(v - 1, 0), hi = std::min(v + 1, 255);
        const int a = CurveAt(sim, lo), b = CurveAt(sim, hi);
        EXPECT_LE(std::min(a, b), c.target);
        EXPECT_GE(std::max(a, b), c.target);
    }
    EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(AdjustTest, AnUnreachableTargetPutsTheStartBackAndIsFlagged)
{
    for (int target : {240, 20, 5}) {
        SCOPED_TRACE(target);
        host->work.SetByte(indAdjust::kTargetAByte, static_cast<uint8_t>(target));
        host->work.SetByte(indAdjust::kItemAByte, 77);
        ASSERT_TRUE(adjust->StartBisectionA());
        ASSERT_TRUE(Settle());
        EXPECT_TRUE(adjust->BisectionOf(0).outOfRange);
        EXPECT_EQ(Work(indAdjust::kItemAByte), 77);
        EXPECT_EQ(Snap(indAdjust::kItemAByte), 77);
        EXPECT_EQ(sim.adjust[6], 77);
    }
}

TEST_F(AdjustTest, ARadioFallingSilentEndsTheBisectionWithTheStartBack)
{
    host->work.SetByte(indAdjust::kTargetAByte, 125);
    host->work.SetByte(indAdjust::kItemAByte, 61);
    host->snapshot.SetByte(indAdjust::kItemAByte, 61);
    sim.config().silentAfterAnswers = 3;  // the readings at 0, 255 and 127 only
    ASSERT_TRUE(adjust->StartBisectionA());
    ASSERT_TRUE(Settle());
    ASSERT_EQ(BoxCount(), 1u);
    EXPECT_EQ(Boxes().Seen()[0].text.rfind(g_GTex->GetLine("GI_Mess_CloneErr_Head", 5), 0), 0u);
    EXPECT_EQ(Work(indAdjust::kItemAByte), 61);
    EXPECT_EQ(Snap(indAdjust::kItemAByte), 61);
    EXPECT_EQ(sim.adjust[6], 61);
    EXPECT_EQ(adjust->ActiveBisection(), indAdjust::kNone);
    EXPECT_FALSE(man->AdjustCommandPending());

    // A later command of its own does not wake the abandoned bisection.
    const size_t sent = sim.adjustLog.size();
    uint8_t out = 0;
    ASSERT_TRUE(adjust->AdjustCommand(5, 9, &out, false));
    ASSERT_TRUE(Settle());
    ASSERT_EQ(sim.adjustLog.size(), sent + 1);
    EXPECT_EQ(sim.adjustLog.back(), std::make_pair(5, 9));
    EXPECT_EQ(Work(indAdjust::kItemAByte), 61);
}

TEST_F(AdjustTest, SweepEvaluationKeepsTheFirstAndLastValueOfTheHighestLevel)
{
    const int levels[] = {5, 7, 9, 9, 9, 3};
    for (int i = 0; i < 6; ++i)
        adjust->Evaluate(2 * i, levels[i]);
    EXPECT_EQ(adjust->FilterResult(0).first, 4);
    EXPECT_EQ(adjust->FilterResult(0).last, 8);
    EXPECT_EQ(adjust->FilterResult(0).max, 9);
    EXPECT_EQ(Work(indAdjust::kBpf1Byte), 10);
}

TEST_F(AdjustTest, SweepingBothStoresTheMiddlesOfBothPlateausInImagesAndRadio)
{
    ASSERT_TRUE(adjust->StartSweepBoth());
    EXPECT_TRUE(adjust->Running());
    EXPECT_FALSE(adjust->StartBisectionA());
    ASSERT_TRUE(Settle());
    EXPECT_EQ(sim.adjustLog.front(), std::make_pair(20, 100));
    EXPECT_EQ(Work(indAdjust::kBpf1Byte), 100);
    EXPECT_EQ(Work(indAdjust::kBpf2Byte), 144);
    EXPECT_EQ(Snap(indAdjust::kBpf1Byte), 100);
    EXPECT_EQ(Snap(indAdjust::kBpf2Byte), 144);
    EXPECT_EQ(sim.adjust[19], 100);
    EXPECT_EQ(sim.adjust[20], 144);
    EXPECT_EQ(adjust->SweepPhase(), indAdjust::kPhaseIdle);
    EXPECT_FALSE(adjust->SweepBoth());

    // A second sweep over another pass band finds the new one, not the old maximum.
    sim.config().bpf1Lo = 120;
    sim.config().bpf1Hi = 130;
    sim.config().bpfSlope = 1;
    ASSERT_TRUE(adjust->StartSweep1());
    ASSERT_TRUE(Settle());
    EXPECT_EQ(Work(indAdjust::kBpf1Byte), 125);
    EXPECT_EQ(sim.adjust[19], 125);
    EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(AdjustTest, StoppingOrFailingASweepPutsTheStartingValuesBack)
{
    for (bool fail : {false, true}) {
        SCOPED_TRACE(fail);
        RadioSim radio;
        SimPort p(radio);
        indCloneMan m(&p);
        m.AdjustDriver().SetWaiter([](uint32_t ms) { qvtest::Services().clock.Advance(ms); });
        indAdjust a(m, host->work, host->snapshot);
        host->work.SetByte(indAdjust::kBpf1Byte, 33);
        host->work.SetByte(indAdjust::kBpf2Byte, 44);
        radio.config().silentAfterAnswers = fail ? 5 : -1;
        ASSERT_TRUE(a.StartSweepBoth());
        for (int i = 0; i < 150; ++i) {
            a.Step();
            qvtest::Services().timers.Advance(10);
        }
        if (!fail)
            a.Stop();
        for (int i = 0; i < 3000 && (m.IsBusy() || a.Running()); ++i) {
            a.Step();
            qvtest::Services().timers.Advance(10);
        }
        EXPECT_FALSE(a.Running());
        EXPECT_EQ(Work(indAdjust::kBpf1Byte), 33);
        EXPECT_EQ(Work(indAdjust::kBpf2Byte), 44);
        EXPECT_EQ(Snap(indAdjust::kBpf1Byte), 33);
        EXPECT_EQ(Snap(indAdjust::kBpf2Byte), 44);
        EXPECT_EQ(radio.adjust[19], 33);
        EXPECT_EQ(radio.adjust[20], 44);
    }
}

TEST_F(AdjustTest, StoppingABisectionPutsTheStartBack)
{
    host->work.SetByte(indAdjust::kTargetBByte, 125);
    host->work.SetByte(indAdjust::kItemBByte, 90);
    ASSERT_TRUE(adjust->StartBisectionB());
    for (int i = 0; i < 30; ++i) {
        adjust->Step();
        qvtest::Services().timers.Advance(10);
    }
    adjust->Stop();
    ASSERT_TRUE(Settle());
    EXPECT_EQ(Work(indAdjust::kItemBByte), 90);
    EXPECT_EQ(Snap(indAdjust::kItemBByte), 90);
    EXPECT_EQ(sim.adjust[7], 90);
}

TEST_F(AdjustTest, AnAlignmentCellSendsItsCommandOnlyWhenTheRadioDiffers)
{
    host->work.SetByte(indAdjust::kItemAByte, 126);
    host->snapshot.SetByte(indAdjust::kItemAByte, 126);
    cmcCellCapsule c = Request(CT_Null, CL_Adjust_RxLva, 0, cmcCellCapsule::kKeyRightEdge);
    Run(c);
    EXPECT_EQ(c.text, "127");
    ASSERT_TRUE(Settle());
    ASSERT_EQ(port.sessions.size(), 2u);  // the speed switch, then the command
    EXPECT_EQ(port.sessions[1].sent, CloneFrames::HexToBytes("FEFE EEEF E8 3285 0000 06 3746 FD"));
    EXPECT_EQ(sim.adjust[6], 127);
    EXPECT_EQ(Snap(indAdjust::kItemAByte), 127);
    // Typing the value the radio already holds sends nothing.
    c = Request(CT_Null, CL_Adjust_RxLva, 0);
    c.inputMode = cmcCellCapsule::kInputText;
    c.inputText = "127";
    Run(c);
    ASSERT_TRUE(Settle());
    EXPECT_EQ(port.sessions.size(), 2u);
    // A target is stored, not sent; its bar shows volts.
    c = Request(CT_Null, CL_Adjust_LvRx_Bar, 0);
    host->work.SetByte(indAdjust::kTargetAByte, 51);
    Run(c, 0);
    EXPECT_EQ(c.text, "1.00V");
}

TEST_F(AdjustTest, ReadingCellsShowTheLastReadings)
{
    ASSERT_TRUE(adjust->ReadAdValues());
    ASSERT_TRUE(Settle());
    const struct {
        int32_t id;
        const char* text;
    } cases[] = {
        {CL_WinAD_VIN_Dec, "180"},   {CL_WinAD_VIN_Hex, "B4"},      {CL_WinAD_VIN_Vt, "7.06V"},
        {CL_WinAD_LVIN_Vt, "3.14V"}, {CL_WinDA_BAL_Vt, "50.20%"},   {CL_WinDA_T1_Dec, " 60"},
        {CL_WinDA_RXLVA_Dec, " 20"}, {CL_WinAD_TEMPS_Vt, "6.79'C"},
    };
    for (const auto& k : cases) {
        cmcCellCapsule c = Request(CT_Null, k.id, 0);
        Run(c, 0);
        EXPECT_EQ(c.text, k.text) << k.id;
    }
    EXPECT_TRUE(adjust->readingsDisplay);
}

}  // namespace
