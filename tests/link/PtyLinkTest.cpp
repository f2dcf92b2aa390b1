// The clone manager with the real serial port against the simulated radio on a
// pseudo-terminal, the radio running in a child process as the radiosim program does.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "LinkTestSupport.h"
#include "PtyLine.h"
#include "RadioSim.h"
#include "SimFile.h"
#include "SimProcess.h"
#include "link/cmcComm.h"
#include "link/indCloneMan.h"
#include "platform/IClock.h"
#include "platform/LoopTimerHost.h"
#include "platform/Services.h"

namespace {

constexpr int32_t kImage = 0x1D00;
const int32_t kReadRanges[] = {0x0000, 0x077F, 1, 0};
const int32_t kWriteRanges[] = {0x0100, 0x077F, 1, 0};

std::string SimFileName()
{
    return testing::TempDir() + "radiosim-" + std::to_string(getpid()) + ".clone";
}

// Real time for the duration of a test.
class RealTime {
public:
    RealTime() : m_before(plat::Get())
    {
        plat::Get().clock = &m_clock;
        plat::Get().timers = &m_timers;
    }
    ~RealTime() { plat::Get() = m_before; }
    bool Run(const std::function<bool()>& done, uint32_t ms) { return m_timers.RunUntil(done, ms); }

private:
    plat::Services m_before;
    plat::SteadyClock m_clock;
    plat::LoopTimerHost m_timers;
};

struct Outcome {
    int calls = 0;
    int result = -1;
    std::vector<uint8_t> image;
    static void Done(void* context, dst_CDrv_Result* r)
    {
        auto* o = static_cast<Outcome*>(context);
        ++o->calls;
        o->result = r->result;
        o->image.assign(r->image.Data(), r->image.Data() + 0x780);
    }
};

void AcceptRadio(void*, dst_CDrv_Result* r)
{
    if (r->modelCode != 0x3285 || r->info.Size() != 80 || r->info.Data()[0] != 80)
        r->result = 11;
}

void AcceptImage(void*, dst_CDrv_Result*) {}

class PtyLink : public ::testing::Test {
protected:
    linktest::OverlayInstalled overlay;
    linktest::RecordingUi ui;
    RealTime time;
    Outcome out;

    // The fault tests look at the message each failure shows.
    void SetUp() override { qvtest::Services().boxes.AnswerAll(plat::BoxResult::Ok); }

    void Prepare(indCloneMan& man, const std::string& device)
    {
        man.SetUi(&ui);
        man.SetCodes(0, 0);
        man.SetImageSize(kImage);
        man.SetChecks(&AcceptRadio, nullptr, &AcceptImage, nullptr);
        man.SetPort(0, device);
        man.SetHighSpeed(true);
    }
};

TEST_F(PtyLink, IdentifiesReadsAndWritesTheSimulatedRadio)
{
    SimProcess radio({}, false, SimFileName());
    ASSERT_TRUE(radio.ok());
    indCloneMan man;
    Prepare(man, radio.path());

    ASSERT_TRUE(man.Connect(&Outcome::Done, &out));
    ASSERT_TRUE(time.Run([&] { return !man.IsBusy(); }, 20000));
    EXPECT_EQ(out.result, 0);

    out = {};
    ASSERT_TRUE(man.Read(kReadRanges, &Outcome::Done, &out));
    ASSERT_TRUE(time.Run([&] { return !man.IsBusy(); }, 20000));
    ASSERT_EQ(out.result, 0);
    EXPECT_EQ(out.image, RadioSim::DefaultEeprom());

    cmcEeprom image;
    image.SetSize(kImage);
    for (int32_t a = 0; a < kImage; ++a)
        image.SetByte(a, static_cast<uint8_t>(a ^ 0x5A));
    out = {};
    ASSERT_TRUE(man.Write(image, kWriteRanges, &Outcome::Done, &out));
    ASSERT_TRUE(time.Run([&] { return !man.IsBusy(); }, 20000));
    EXPECT_EQ(out.result, 0);
    EXPECT_TRUE(qvtest::Services().boxes.Seen().empty());
    EXPECT_TRUE(ui.enabled);
    // Closed at the end: the device opens again at once.
    cmcComm again;
    EXPECT_TRUE(again.OpenDevice(radio.path(), "9600,N,8,1"));
    again.Close();
    radio.Stop();
    const std::vector<uint8_t> written = radio.Written();
    ASSERT_EQ(written.size(), 0x780u);
    const std::vector<uint8_t> before = RadioSim::DefaultEeprom();
    EXPECT_TRUE(std::equal(before.begin(), before.begin() + 0x100, written.begin()));
    EXPECT_TRUE(std::equal(written.begin() + 0x100, written.end(), image.Data() + 0x100));
}

struct FaultCase {
    RadioSim::Fault fault;
    int info, read, write, writeOr;
};
const FaultCase kFaults[] = {
    {RadioSim::Fault::Echo, 0, 0, 0, 0},        {RadioSim::Fault::BadEcho, 4, 4, 4, 4},
    {RadioSim::Fault::Silence, 5, 5, 5, 5},     {RadioSim::Fault::BadChecksum, 6, 6, 10, 10},
    {RadioSim::Fault::LowerHex, 0, 6, 0, 0},    {RadioSim::Fault::WrongCount, 0, 7, 10, 10},
    {RadioSim::Fault::Refuse, 5, 5, 6, 6},      {RadioSim::Fault::DropAfter, 5, 5, 5, 5},
    {RadioSim::Fault::Disconnect, 5, 5, 5, 17},
};

class PtyFault : public PtyLink, public ::testing::WithParamInterface<FaultCase> {
protected:
    void Expect(int want, int orWant)
    {
        EXPECT_EQ(out.calls, 1);
        EXPECT_TRUE(out.result == want || out.result == orWant) << out.result;
        EXPECT_TRUE(ui.enabled);
        EXPECT_FALSE(ui.progressShown);
        const auto& boxes = qvtest::Services().boxes.Seen();
        EXPECT_EQ(boxes.size(), out.result == 0 ? 0u : 1u);
        if (!boxes.empty()) {
            const std::string head = g_GTex->GetLine("GI_Mess_CloneErr_Head", out.result);
            EXPECT_EQ(boxes[0].text.substr(0, head.size()), head);
        }
    }
    void Run(int operation)
    {
        RadioSim::Config config;
        config.fault = GetParam().fault;
        config.dropAfter = operation == 1 ? 0 : 8;
        SimProcess radio(config, false, SimFileName());
        ASSERT_TRUE(radio.ok());
        indCloneMan man;
        Prepare(man, radio.path());
        cmcEeprom image;
        image.SetSize(kImage);
        image.Fill(0x42);
        bool started = false;
        if (operation == 1)
            started = man.Connect(&Outcome::Done, &out);
        else if (operation == 2)
            started = man.Read(kReadRanges, &Outcome::Done, &out);
        else
            started = man.Write(image, kWriteRanges, &Outcome::Done, &out);
        ASSERT_TRUE(started);
        ASSERT_TRUE(time.Run([&] { return !man.IsBusy(); }, 30000));
        EXPECT_FALSE(man.Driver().Port().IsOpen());
        for (int32_t a = 0; a < kImage; ++a)
            ASSERT_EQ(image.GetByte(a), 0x42);
    }
};

TEST_P(PtyFault, Identification)
{
    Run(1);
    Expect(GetParam().info, GetParam().info);
}

TEST_P(PtyFault, Read)
{
    Run(2);
    Expect(GetParam().read, GetParam().read);
}

TEST_P(PtyFault, Write)
{
    Run(3);
    // A pulled cable shows as silence or as a failed write, depending on the moment.
    Expect(GetParam().write, GetParam().writeOr);
}

INSTANTIATE_TEST_SUITE_P(AllFaults, PtyFault, ::testing::ValuesIn(kFaults), [](const auto& info) {
    std::string n = SimFile::FaultName(info.param.fault);
    std::erase(n, '-');
    return n;
});

}  // namespace
