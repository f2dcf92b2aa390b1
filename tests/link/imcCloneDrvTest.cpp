// The adjustment side of the link: command frames and answers, single commands, the A/D
// table and the filter sweep through the clone manager against the simulated radio, with
// its answer delays and faults.

#include <gtest/gtest.h>

#include "LinkTestSupport.h"
#include "RadioSim.h"
#include "SimPort.h"
#include "link/indCloneMan.h"

namespace {

using CloneFrames::Bytes;
using linktest::RunManual;

struct Done {
    int calls = 0;
    int result = -1;
    int operation = 0;
    static void On(void* context, dst_CDrv_Result* r)
    {
        auto* d = static_cast<Done*>(context);
        ++d->calls;
        d->result = r->result;
        d->operation = r->operation;
    }
};

class AdjustLinkTest : public ::testing::Test {
protected:
    linktest::OverlayInstalled overlay;
    linktest::RecordingUi ui;
    RadioSim sim;
    SimPort port{sim};
    indCloneMan man{&port};
    Done done;
    int resets = 0;

    void SetUp() override
    {
        qvtest::Services().boxes.AnswerAll(plat::BoxResult::Ok);
        man.AdjustDriver().SetWaiter(linktest::ManualWaiter());
        man.Driver().SetWaiter(linktest::ManualWaiter());
        man.SetUi(&ui);
        man.SetCodes(0x3285, 0);
        man.SetPort(2);
        man.SetAdjustReset([](void* c) { ++*static_cast<int*>(c); }, &resets);
        indCloneMan::SetLinkSpeed(-1);
    }
    bool Finish()
    {
        return RunManual([&] { return !man.IsBusy(); });
    }
    size_t Boxes() { return qvtest::Services().boxes.Seen().size(); }
};

TEST(AdjustFrames, CommandFrameCarriesTheValueAsTwoHexCharacters)
{
    EXPECT_EQ(
        imcCloneDrv::CommandFrame(0x3285, 0, 6, 127),
        (Bytes{0xFE, 0xFE, 0xEE, 0xEF, 0xE8, 0x32, 0x85, 0x00, 0x00, 0x06, 0x37, 0x46, 0xFD}));
    EXPECT_EQ(imcCloneDrv::CommandFrame(0x3285, 0, 19, 10)[9], 0x13);
}

TEST(AdjustFrames, AnswersAreCheckedBeforeTheirValueIsTaken)
{
    const struct {
        Bytes frame;
        int result;
        uint8_t value;
    } cases[] = {
        {{0xFE, 0xEF, 0xEE, 0xE8, 0x32, 0x85, 0, 0, 3, 'A', '5'}, 0, 0xA5},
        {{0xFE, 0xEF, 0xEE, 0xE8, 0x32, 0x85, 0, 0, 3, '0', '0', 'x'}, 0, 0x00},
        {{0xFE, 0xEF, 0xEE, 0xE8, 0x32, 0x85, 0, 0, 3, 'a', '5'}, 6, 0},  // lower case
        {{0xFE, 0xEF, 0xEE, 0xE8, 0x32, 0x85, 0, 0, 3, 'G', '5'}, 6, 0},
        {{0xFE, 0xEF, 0xEE, 0xE8, 0x32, 0xA5, 0, 0, 3, 'A', '5'}, 6, 0},  // other model
        {{0xFE, 0xEE, 0xEF, 0xE8, 0x32, 0x85, 0, 0, 3, 'A', '5'}, 6, 0},  // our own echo
        {{0xFE, 0xEF, 0xEE, 0xE8, 0x32, 0x85, 0, 0, 3, 'A'}, 6, 0},       // too short
    };
    for (const auto& c : cases) {
        uint8_t v = 0;
        EXPECT_EQ(imcCloneDrv::DecodeAnswer(c.frame, 0x3285, v), c.result);
        EXPECT_EQ(v, c.value);
    }
}

TEST_F(AdjustLinkTest, SingleCommandSetsTheRadioAndSwitchesSpeedOnlyWhenNeeded)
{
    ASSERT_TRUE(man.SendCommand(6, 127, nullptr, false, 4, &Done::On, &done));
    EXPECT_TRUE(man.AdjustCommandPending());
    EXPECT_EQ(man.AdjustDriver().StepInterval(), 4);
    EXPECT_FALSE(ui.enabled);
    // Either driver busy refuses every other operation.
    EXPECT_FALSE(man.Connect(&Done::On, &done));
    EXPECT_FALSE(man.SendCommand(7, 1, nullptr, false, 4, &Done::On, &done));
    ASSERT_TRUE(Finish());
    EXPECT_EQ(done.calls, 1);
    EXPECT_EQ(done.result, 0);
    EXPECT_TRUE(ui.enabled);
    EXPECT_FALSE(man.AdjustCommandPending());
    EXPECT_EQ(sim.adjust[6], 127);
    // The link was at no known speed: the switch to 9600 came first.
    ASSERT_EQ(port.sessions.size(), 2u);
    EXPECT_EQ(port.sessions[0].settings, "38400,N,8,1");
    EXPECT_EQ(port.sessions[1].settings, "9600,N,8,1");
    EXPECT_EQ(indCloneMan::LinkSpeed(), 0);

    ASSERT_TRUE(man.SendCommand(7, 3, nullptr, false, 250, &Done::On, &done));
    EXPECT_EQ(man.AdjustDriver().StepInterval(), 250);
    ASSERT_TRUE(Finish());
    EXPECT_EQ(sim.adjust[7], 3);
    ASSERT_EQ(port.sessions.size(), 3u);  // no speed switch this time
    EXPECT_EQ(port.sessions[2].sent, imcCloneDrv::CommandFrame(0x3285, 0, 7, 3));
    EXPECT_EQ(resets, 0);
}

TEST_F(AdjustLinkTest, TableReadsEveryChannelInOrderIntoItsOutput)
{
    const uint8_t channels[] = {0, 1, 2, 3, 4, 5, 8, 19};
    uint8_t out[8] = {};
    imcCloneDrv::Entry table[9];
    for (int i = 0; i < 8; ++i)
        table[i] = {3, &channels[i], &out[i]};
    sim.config().answerDelayMs = 30;
    sim.adjust[19] = 85;  // the level follows the filters: 5 below the plateau
    sim.adjust[20] = 145;
    ASSERT_TRUE(man.ReadTable(table, &Done::On, &done));
    ASSERT_TRUE(Finish());
    EXPECT_EQ(done.result, 0);
    EXPECT_EQ(done.operation, imcCloneDrv::OpTable);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(out[i], sim.Reading(channels[i])) << int(channels[i]);
        EXPECT_EQ(sim.adjustLog[static_cast<size_t>(i)], std::make_pair(3, int(channels[i])));
    }
    EXPECT_EQ(out[4], (185 + 200) / 2);
    EXPECT_EQ(ui.focuses, 0);  // the A/D window keeps the focus
    EXPECT_EQ(indCloneMan::LinkSpeed(), 1);
}

TEST_F(AdjustLinkTest, SweepSetsWaitsReadsAndHoldsLimitAndStepToAFrame)
{
    std::vector<std::pair<int, int>> seen;
    imcCloneDrv::SweepJob job;
    job.command = 19;
    job.start = 250;
    job.limit = 300;  // beyond a byte: held to 255
    job.step = 0;     // held to 1
    job.firstWaitMs = 100;
    job.waitMs = 20;
    job.evaluate = [&](int v, int level) { seen.emplace_back(v, level); };
    sim.adjust[20] = 145;
    ASSERT_TRUE(man.Sweep(job, &Done::On, &done));
    ASSERT_TRUE(Finish());
    EXPECT_EQ(done.result, 0);
    ASSERT_EQ(seen.size(), 6u);
    for (size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].first, 250 + static_cast<int>(i));
        sim.adjust[19] = static_cast<uint8_t>(seen[i].first);
        EXPECT_EQ(seen[i].second, sim.Reading(4));
    }
    // Set, read, set, read ...
    EXPECT_EQ(sim.adjustLog[0], std::make_pair(19, 250));
    EXPECT_EQ(sim.adjustLog[1], std::make_pair(3, 4));
    EXPECT_EQ(sim.adjustLog[2], std::make_pair(19, 251));
}

TEST_F(AdjustLinkTest, FaultsEndTheOperationWithTheirCodeAndClearThePendingFlag)
{
    const struct {
        RadioSim::Fault fault;
        int silentAfter;
        int delayMs;
        int result;
    } cases[] = {
        {RadioSim::Fault::None, 0, 0, 5},          // fallen silent
        {RadioSim::Fault::None, -1, 1500, 5},      // answers too late
        {RadioSim::Fault::None, -1, 400, 0},       // slow, but in time
        {RadioSim::Fault::BadChecksum, -1, 0, 6},  // damaged digits
        {RadioSim::Fault::LowerHex, -1, 0, 6},     //
        {RadioSim::Fault::WrongCount, -1, 0, 6},   // another model's answer
        {RadioSim::Fault::Refuse, -1, 0, 5},       // FA is no answer
        {RadioSim::Fault::Echo, -1, 0, 0},         // the echo is removed
        {RadioSim::Fault::Disconnect, -1, 0, 17},  // writing fails
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.fault));
        RadioSim radio;
        radio.config().fault = c.fault;
        radio.config().silentAfterAnswers = c.silentAfter;
        radio.config().answerDelayMs = c.delayMs;
        radio.config().dropAfter = 0;
        radio.config().curveAt0 = 0xAB;  // a reading with letters
        SimPort p(radio);
        indCloneMan m(&p);
        m.AdjustDriver().SetWaiter(linktest::ManualWaiter());
        m.SetCodes(0x3285, 0);
        m.SetAdjustReset([](void* ctx) { ++*static_cast<int*>(ctx); }, &resets);
        if (c.fault == RadioSim::Fault::Echo)
            m.Driver().SetEchoFlag(true);
        m.RememberEchoFlag();
        uint8_t reading = 0x55;
        Done d;
        const int before = resets;
        const size_t boxes = Boxes();
        if (c.fault == RadioSim::Fault::Disconnect) {
            // The cable is pulled at the first reading; the next command cannot be written.
            ASSERT_TRUE(m.SendCommand(3, 5, &reading, false, 4, &Done::On, &d));
            ASSERT_TRUE(RunManual([&] { return !m.IsBusy(); }));
            ASSERT_TRUE(m.SendCommand(6, 1, nullptr, false, 4, &Done::On, &d));
            ASSERT_TRUE(RunManual([&] { return !m.IsBusy(); }));
            EXPECT_EQ(d.result, 2);  // the port no longer opens
            continue;
        }
        ASSERT_TRUE(m.SendCommand(3, 5, &reading, false, 4, &Done::On, &d));
        ASSERT_TRUE(RunManual([&] { return !m.IsBusy(); }));
        EXPECT_EQ(d.calls, 1);
        EXPECT_EQ(d.result, c.result);
        EXPECT_FALSE(m.AdjustCommandPending());
        EXPECT_EQ(reading, c.result == 0 ? radio.Reading(5) : 0x55);
        EXPECT_EQ(Boxes(), boxes + (c.result == 0 ? 0 : 1));
        // A single command's failure keeps the adjustment state.
        EXPECT_EQ(resets, before);
    }
}

TEST_F(AdjustLinkTest, AFailedTableResetsTheAdjustmentState)
{
    sim.config().silentAfterAnswers = 1;
    const uint8_t ch[2] = {0, 1};
    uint8_t out[2] = {};
    const imcCloneDrv::Entry table[] = {{3, &ch[0], &out[0]}, {3, &ch[1], &out[1]}, {}};
    ASSERT_TRUE(man.ReadTable(table, &Done::On, &done));
    ASSERT_TRUE(Finish());
    EXPECT_EQ(done.result, 5);
    EXPECT_EQ(out[0], sim.Reading(0));
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(indCloneMan::LinkSpeed(), -1);
    EXPECT_TRUE(ui.enabled);
}

}  // namespace
