// The clone manager: mode scripts, passwords, the window around it, result messages, and
// every fault of the simulated radio for identification, read and write.

#include <gtest/gtest.h>

#include "LinkTestSupport.h"
#include "RadioSim.h"
#include "SimFile.h"
#include "SimPort.h"
#include "link/indCloneMan.h"
#include "platform/TextUtil.h"

namespace {

using linktest::Find;
using linktest::RunManual;
using linktest::ScriptedPort;

constexpr int32_t kImage = 0x1D00;
const int32_t kReadRanges[] = {0x0000, 0x077F, 1, 0};
const int32_t kWriteRanges[] = {0x0100, 0x077F, 1, 0};

// The caller of the manager: takes the read image only on success, as the main window does.
struct Caller {
    cmcEeprom working;
    int calls = 0;
    int result = -1;
    Caller()
    {
        working.SetSize(kImage);
        for (int32_t a = 0; a < kImage; ++a)
            working.SetByte(a, static_cast<uint8_t>(a * 3));
    }
    static void Done(void* context, dst_CDrv_Result* r)
    {
        auto* c = static_cast<Caller*>(context);
        ++c->calls;
        c->result = r->result;
        if (r->result == 0 && r->operation == 2)
            c->working.SetBlock(0, r->image.Data(), 0x780);
    }
};

// The identification check of the main window, in short.
void AcceptRadio(void*, dst_CDrv_Result* r)
{
    if ((r->modelCode != 0x3285 && r->modelCode != 0x3179) || r->info.Size() != 80 ||
        r->info.Data()[0] != 80)
        r->result = 11;
    else if (r->info.Data()[3] > 1)
        r->result = 14;
}

void AcceptImage(void* context, dst_CDrv_Result* r)
{
    if (context)
        r->result = *static_cast<int*>(context);
}

std::vector<uint8_t> Hex(const std::string& text)
{
    return CloneFrames::HexToBytes(text);
}

class ManagerTest : public ::testing::Test {
protected:
    linktest::OverlayInstalled overlay;
    linktest::RecordingUi ui;
    Caller caller;

    // These tests are about the messages: every box is answered and then looked at.
    void SetUp() override { qvtest::Services().boxes.AnswerAll(plat::BoxResult::Ok); }

    void Prepare(indCloneMan& man)
    {
        man.Driver().SetWaiter(linktest::ManualWaiter());
        man.SetUi(&ui);
        man.SetCodes(0, 0);
        man.SetImageSize(kImage);
        man.SetChecks(&AcceptRadio, nullptr, &AcceptImage, nullptr);
        man.SetPort(3);
    }
    const std::vector<qvtest::TestMessageBoxes::Shown>& Boxes()
    {
        return qvtest::Services().boxes.Seen();
    }
    std::string HeadLine(int r) { return g_GTex->GetLine("GI_Mess_CloneErr_Head", r); }
};

TEST_F(ManagerTest, HighSpeedReadPlaysTheModeScriptAndRunsAt38400)
{
    ScriptedPort port;
    indCloneMan man(&port);
    Prepare(man);
    man.SetHighSpeed(true);
    ASSERT_TRUE(man.Read(kReadRanges, &Caller::Done, &caller));
    EXPECT_FALSE(ui.enabled);
    EXPECT_TRUE(ui.progressShown);
    ASSERT_TRUE(RunManual([&] { return !man.IsBusy(); }));
    EXPECT_EQ(port.openings,
              (std::vector<std::string>{"38400,N,8,1", "9600,N,8,1", "9600,N,8,1", "38400,N,8,1"}));
    const std::string wake(40, 'F');
    std::string fe20;
    for (int i = 0; i < 20; ++i)
        fe20 += "FE";
    const long fast = Find(port.sent, Hex(fe20 + "EEEF E8 00000000 01 3237 FD"));
    const long mode = Find(port.sent, Hex("FEFE EEEF E8 00000000 55 3030 FD"));
    const long slow = Find(port.sent, Hex(fe20 + "EEEF E8 00000000 01 3039 FD"));
    std::string fe48;
    for (int i = 0; i < 48; ++i)
        fe48 += "FE";
    const long request = Find(port.sent, Hex(fe48 + "FEFE EEEF E2 00000000 FD"));
    EXPECT_EQ(fast, 0);
    EXPECT_GT(mode, fast);
    EXPECT_GT(slow, mode);
    EXPECT_GT(request, slow);
    EXPECT_EQ(indCloneMan::LinkSpeed(), -1);  // the read timed out: nobody answered
    EXPECT_TRUE(ui.enabled);
    EXPECT_FALSE(ui.progressShown);
    EXPECT_EQ(caller.calls, 1);
    EXPECT_EQ(caller.result, 5);
}

TEST_F(ManagerTest, PasswordFrameComesBetweenTheSwitchTo9600AndTheModeFrame)
{
    RadioSim sim;
    SimPort port(sim);
    indCloneMan man(&port);
    Prepare(man);
    man.SetHighSpeed(false);
    man.SetPassword("AB1");
    man.SetSendPassword(true);
    ASSERT_TRUE(man.Write(caller.working, kWriteRanges, &Caller::Done, &caller));
    EXPECT_FALSE(man.SendPassword());
    ASSERT_TRUE(RunManual([&] { return !man.IsBusy(); }));
    EXPECT_EQ(caller.result, 0);
    EXPECT_EQ(sim.password, "AB1");
    ASSERT_GE(port.sessions.size(), 3u);
    EXPECT_EQ(port.sessions[1].settings, "9600,N,8,1");
    // 'A' + 'B' + '1' = 0xB4, its two's complement 0x4C.
    const auto& at9600 = port.sessions[1].sent;
    const long pwd = Find(at9600, Hex("FEFE EEEF E8 00000000 99 034C 414231 FD"));
    const long mode = Find(at9600, Hex("FEFE EEEF E8 00000000 55 3031 FD"));
    EXPECT_EQ(pwd, 0);
    EXPECT_GT(mode, pwd);
    EXPECT_EQ(sim.lastMode, 1);
    EXPECT_EQ(port.sessions.back().settings, "9600,N,8,1");
    EXPECT_EQ(indCloneMan::LinkSpeed(), 0);
}

TEST_F(ManagerTest, PortThatDoesNotOpenNamesThePortAndEnablesTheWindowAgain)
{
    RadioSim sim;
    SimPort port(sim);
    port.available = false;
    indCloneMan man(&port);
    Prepare(man);
    man.SetPort(7);
    ASSERT_TRUE(man.Connect(&Caller::Done, &caller));
    ASSERT_TRUE(RunManual([&] { return !man.IsBusy(); }));
    EXPECT_EQ(caller.result, 2);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].icon, plat::BoxIcon::Error);
    EXPECT_EQ(Boxes()[0].text.substr(0, Boxes()[0].text.find('\n')),
              "Serial port 7 could not be opened.");
    EXPECT_NE(Boxes()[0].text.find("No such device."), std::string::npos);
    EXPECT_TRUE(ui.enabled);
    EXPECT_EQ(indCloneMan::LinkSpeed(), -1);
}

TEST_F(ManagerTest, ADeviceGoneDuringTheTransferIsSaidRightAfterTheHeadLine)
{
    struct GonePort : SimPort {
        using SimPort::SimPort;
        std::string LineFailure() const override { return "The device /dev/ttyUSB0 went away."; }
    };
    RadioSim sim;
    sim.config().fault = RadioSim::Fault::Silence;
    GonePort port(sim);
    indCloneMan man(&port);
    Prepare(man);
    ASSERT_TRUE(man.Connect(&Caller::Done, &caller));
    ASSERT_TRUE(RunManual([&] { return !man.IsBusy(); }));
    EXPECT_EQ(caller.result, 5);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text.rfind(HeadLine(5) + "\nThe device /dev/ttyUSB0 went away.\n", 0), 0u)
        << Boxes()[0].text;
}

TEST_F(ManagerTest, NewerDataShowsOnlyItsHeadLine)
{
    RadioSim sim;
    SimPort port(sim);
    indCloneMan man(&port);
    Prepare(man);
    int newer = 16;
    man.SetChecks(&AcceptRadio, nullptr, &AcceptImage, &newer);
    ASSERT_TRUE(man.Read(kReadRanges, &Caller::Done, &caller));
    ASSERT_TRUE(RunManual([&] { return !man.IsBusy(); }));
    EXPECT_EQ(caller.result, 16);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, HeadLine(16));
}

TEST_F(ManagerTest, SecondOperationWhileOneRunsIsRefused)
{
    RadioSim sim;
    SimPort port(sim);
    indCloneMan man(&port);
    Prepare(man);
    ASSERT_TRUE(man.Read(kReadRanges, &Caller::Done, &caller));
    EXPECT_FALSE(man.Write(caller.working, kWriteRanges, &Caller::Done, &caller));
    EXPECT_FALSE(man.Connect(&Caller::Done, &caller));
    ASSERT_TRUE(RunManual([&] { return !man.IsBusy(); }));
    EXPECT_EQ(caller.calls, 1);
    EXPECT_EQ(caller.result, 0);
    EXPECT_EQ(ui.disables, 1);
    EXPECT_EQ(ui.enables, 1);
    EXPECT_EQ(ui.lastTotal, 0x780);
}

TEST_F(ManagerTest, WriteTimeoutsHoldAfterTheCommonSettings)
{
    RadioSim sim;
    SimPort port(sim);
    indCloneMan man(&port);
    Prepare(man);
    ASSERT_TRUE(man.Write(caller.working, kWriteRanges, &Caller::Done, &caller));
    EXPECT_EQ(man.Driver().DefaultTimeout(), 2000);
    EXPECT_EQ(man.Driver().ReadyTimeout(), 5000);
    ASSERT_TRUE(RunManual([&] { return !man.IsBusy(); }));
    ASSERT_TRUE(man.Read(kReadRanges, &Caller::Done, &caller));
    EXPECT_EQ(man.Driver().DefaultTimeout(), 1000);
    ASSERT_TRUE(RunManual([&] { return !man.IsBusy(); }));
}

TEST_F(ManagerTest, WithoutChecksOnlySuccessBecomesAFailureAndFailuresKeepTheirCode)
{
    RadioSim sim;
    SimPort port(sim);
    indCloneMan man(&port);
    Prepare(man);
    man.SetChecks(nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(man.Connect(&Caller::Done, &caller));
    ASSERT_TRUE(RunManual([&] { return !man.IsBusy(); }));
    EXPECT_EQ(caller.result, 11);
    ASSERT_TRUE(man.Read(kReadRanges, &Caller::Done, &caller));
    ASSERT_TRUE(RunManual([&] { return !man.IsBusy(); }));
    EXPECT_EQ(caller.result, 8);
    sim.config().fault = RadioSim::Fault::Silence;
    ASSERT_TRUE(man.Connect(&Caller::Done, &caller));
    ASSERT_TRUE(RunManual([&] { return !man.IsBusy(); }));
    EXPECT_EQ(caller.result, 5);
}

TEST_F(ManagerTest, RangesOutsideTheImageStartNothing)
{
    RadioSim sim;
    SimPort port(sim);
    indCloneMan man(&port);
    Prepare(man);
    const int32_t outside[] = {0x0000, kImage, 1, 0};
    EXPECT_FALSE(man.Read(outside, &Caller::Done, &caller));
    EXPECT_FALSE(man.Write(caller.working, outside, &Caller::Done, &caller));
    EXPECT_EQ(ui.disables, 0);
    EXPECT_EQ(port.opens, 0);
}

TEST_F(ManagerTest, EveryMessageKeyAndHintLineExists)
{
    for (int r = 1; r <= 20; ++r) {
        for (int op = 1; op <= 3; ++op) {
            const std::string text =
                indCloneMan::MessageFor(r, op, 4, r == 2 ? "/dev/ttyUSB9" : "", "why");
            if (r == 16 && op != 3) {
                EXPECT_EQ(text, HeadLine(16));
            } else if (r != 16) {
                EXPECT_NE(text.find("\n\n"), std::string::npos) << r;
            }
        }
    }
    EXPECT_EQ(indCloneMan::MessageFor(0, 1, 1, "", ""), "");
}

// Every fault of the simulated radio, for each operation: the right result code and
// message, the window enabled again, the working image unchanged, the port closed.
struct FaultCase {
    RadioSim::Fault fault;
    int info, read, write;
};
const FaultCase kFaults[] = {
    {RadioSim::Fault::None, 0, 0, 0},         {RadioSim::Fault::Echo, 0, 0, 0},
    {RadioSim::Fault::BadEcho, 4, 4, 4},      {RadioSim::Fault::Silence, 5, 5, 5},
    {RadioSim::Fault::BadChecksum, 6, 6, 10}, {RadioSim::Fault::LowerHex, 0, 6, 0},
    {RadioSim::Fault::WrongCount, 0, 7, 10},  {RadioSim::Fault::Refuse, 5, 5, 6},
    {RadioSim::Fault::DropAfter, 5, 5, 5},    {RadioSim::Fault::Disconnect, 5, 5, 17},
};

class ManagerFault : public ManagerTest, public ::testing::WithParamInterface<FaultCase> {
protected:
    void Check(int want, int operation, SimPort& port, const std::vector<uint8_t>& working)
    {
        EXPECT_EQ(caller.calls, 1);
        EXPECT_EQ(caller.result, want);
        EXPECT_TRUE(ui.enabled);
        EXPECT_FALSE(ui.progressShown);
        EXPECT_FALSE(port.IsOpen());
        EXPECT_EQ(port.opens, port.closes);
        if (want == 0) {
            EXPECT_TRUE(Boxes().empty());
        } else {
            ASSERT_EQ(Boxes().size(), 1u);
            const std::string& text = Boxes()[0].text;
            EXPECT_EQ(text.substr(0, text.find('\n')), HeadLine(want));
            EXPECT_EQ(text.find("incomplete image") != std::string::npos, operation == 3) << text;
        }
        if (want != 0 || operation != 2) {
            EXPECT_TRUE(std::equal(working.begin(), working.end(), caller.working.Data()));
        }
    }
};

TEST_P(ManagerFault, Identification)
{
    RadioSim sim;
    sim.config().fault = GetParam().fault;
    sim.config().dropAfter = 0;
    SimPort port(sim);
    indCloneMan man(&port);
    Prepare(man);
    const std::vector<uint8_t> before(caller.working.Data(), caller.working.Data() + kImage);
    ASSERT_TRUE(man.Connect(&Caller::Done, &caller));
    ASSERT_TRUE(RunManual([&] { return !man.IsBusy(); }));
    Check(GetParam().info, 1, port, before);
}

TEST_P(ManagerFault, Read)
{
    RadioSim sim;
    sim.config().fault = GetParam().fault;
    SimPort port(sim);
    indCloneMan man(&port);
    Prepare(man);
    const std::vector<uint8_t> before(caller.working.Data(), caller.working.Data() + kImage);
    ASSERT_TRUE(man.Read(kReadRanges, &Caller::Done, &caller));
    ASSERT_TRUE(RunManual([&] { return !man.IsBusy(); }));
    Check(GetParam().read, 2, port, before);
    if (GetParam().read == 0) {
        EXPECT_TRUE(std::equal(sim.eeprom().begin(), sim.eeprom().end(), caller.working.Data()));
    }
}

TEST_P(ManagerFault, Write)
{
    RadioSim sim;
    sim.config().fault = GetParam().fault;
    SimPort port(sim);
    indCloneMan man(&port);
    Prepare(man);
    const std::vector<uint8_t> before(caller.working.Data(), caller.working.Data() + kImage);
    ASSERT_TRUE(man.Write(caller.working, kWriteRanges, &Caller::Done, &caller));
    ASSERT_TRUE(RunManual([&] { return !man.IsBusy(); }));
    Check(GetParam().write, 3, port, before);
    if (GetParam().write == 0) {
        EXPECT_TRUE(std::equal(sim.eeprom().begin() + 0x100, sim.eeprom().end(),
                               caller.working.Data() + 0x100));
    }
}

INSTANTIATE_TEST_SUITE_P(AllFaults, ManagerFault, ::testing::ValuesIn(kFaults),
                         [](const auto& info) {
                             std::string n = SimFile::FaultName(info.param.fault);
                             std::erase(n, '-');
                             return n;
                         });

}  // namespace
