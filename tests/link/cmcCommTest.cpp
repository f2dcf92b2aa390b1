#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

#include "link/cmcComm.h"
#include "link/cmcPortTable.h"
#include "support/TestServices.h"

namespace {

// A pseudo-terminal pair: the port under test opens the slave side, the test plays the
// radio on the master side.
class Pty {
public:
    Pty()
    {
        m_master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (m_master >= 0 && grantpt(m_master) == 0 && unlockpt(m_master) == 0)
            m_slave = ptsname(m_master);
    }
    ~Pty() { CloseMaster(); }
    bool ok() const { return m_master >= 0 && !m_slave.empty(); }
    const std::string& slave() const { return m_slave; }
    int master() const { return m_master; }
    void CloseMaster()
    {
        if (m_master >= 0)
            close(m_master);
        m_master = -1;
    }

    // Everything that arrives until nothing more has come for quietMs.
    std::vector<uint8_t> Drain(int quietMs = 30)
    {
        std::vector<uint8_t> got;
        pollfd pfd{m_master, POLLIN, 0};
        while (poll(&pfd, 1, quietMs) > 0) {
            uint8_t buf[4096];
            const ssize_t n = read(m_master, buf, sizeof buf);
            if (n <= 0)
                break;
            got.insert(got.end(), buf, buf + n);
        }
        return got;
    }
    void Write(const std::string& bytes)
    {
        ASSERT_EQ(write(m_master, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }

private:
    int m_master = -1;
    std::string m_slave;
};

int OpenFdCount()
{
    int n = 0;
    if (DIR* d = opendir("/proc/self/fd")) {
        while (readdir(d))
            ++n;
        closedir(d);
    }
    return n;
}

// Waits (boundedly) until the port has at least n bytes to read.
bool WaitForInput(cmcComm& comm, int32_t n)
{
    for (int i = 0; i < 200 && comm.InputCount() < n; ++i)
        poll(nullptr, 0, 5);
    return comm.InputCount() >= n;
}

constexpr int kPort = 7;

class cmcCommTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pty.ok());
        ASSERT_TRUE(cmcPortTable::System().SetAssignment(kPort, pty.slave()));
    }
    Pty pty;
};

TEST(cmcCommSettings, SettingsTextsReadAsTheLineSettings)
{
    using SB = cmcComm::StopBits;
    struct Case {
        const char* text;
        int32_t baud;
        bool parity;
        int bits;
        SB stop;
    } cases[] = {
        {"9600,O,9,1.5", 9600, true, 8, SB::OneAndHalf},
        {"38400,N,8,1", 38400, false, 8, SB::One},
        {"9600,m,5,2", 9600, true, 5, SB::Two},
        {"9600,E,3,1", 9600, false, 4, SB::One},
        {"19200,o,7,x", 19200, true, 7, SB::One},
        {" 9600 , n , 8 , 1 ", 9600, false, 8, SB::One},
        {"9600", 9600, false, 8, SB::One},  // missing fields keep the defaults
    };
    for (const Case& c : cases) {
        cmcComm::LineSettings line;
        ASSERT_TRUE(cmcComm::ParseSettings(c.text, line)) << c.text;
        EXPECT_EQ(line.baudRate, c.baud) << c.text;
        EXPECT_EQ(line.parityCheck, c.parity) << c.text;
        EXPECT_EQ(line.dataBits, c.bits) << c.text;
        EXPECT_EQ(line.stopBits, c.stop) << c.text;
    }
    for (const char* bad : {"0,N,8,1", "", "N,8,1", "-9600,N,8,1", "14400,N,8,1"}) {
        cmcComm::LineSettings line;
        EXPECT_FALSE(cmcComm::ParseSettings(bad, line)) << bad;
    }
}

TEST(cmcCommSettings, OpenFailuresNameTheirReason)
{
    using E = cmcComm::OpenError;
    const std::pair<int, E> cases[] = {
        {ENOENT, E::NoDevice},        {ENODEV, E::NoDevice},
        {ENXIO, E::NoDevice},         {EACCES, E::PermissionDenied},
        {EPERM, E::PermissionDenied}, {EBUSY, E::Busy},
        {EWOULDBLOCK, E::Busy},       {EIO, E::Other},
    };
    for (const auto& [err, want] : cases)
        EXPECT_EQ(cmcComm::ErrorFor(err), want) << err;
}

TEST(cmcCommSettings, PermissionAdviceSaysWhatToDo)
{
    struct Case {
        const char* group;
        bool member, inSession;
        const char* says;
    } const cases[] = {
        {"dialout", false, false, "sudo usermod -aG dialout ann\nthen log out and in again."},
        {"uucp", false, false, "sudo usermod -aG uucp ann"},
        {"dialout", true, false, "after this session began. Log out and in again."},
        {"dialout", true, true, "Check the device's permissions."},
        {"root", false, false, "Ask the administrator"},
        {"", false, false, "Ask the administrator"},
    };
    for (const Case& c : cases) {
        const std::string text =
            cmcComm::PermissionAdvice("/dev/ttyUSB0", c.group, "ann", c.member, c.inSession);
        EXPECT_NE(text.find(c.says), std::string::npos) << text;
        EXPECT_EQ(text.rfind("You may not use /dev/ttyUSB0", 0), 0u) << text;
    }
    EXPECT_EQ(cmcComm::HoldingProcess("/dev/no-such-device"), "");
}

TEST_F(cmcCommTest, OpenAppliesTheSettingsToTheDevice)
{
    cmcComm comm;
    ASSERT_TRUE(comm.Open(kPort, "9600,O,9,1.5"));
    EXPECT_TRUE(comm.IsOpen());
    EXPECT_EQ(comm.PortNumber(), kPort);
    EXPECT_EQ(comm.DevicePath(), pty.slave());
    const cmcComm::LineSettings& line = comm.Line();
    EXPECT_EQ(line.baudRate, 9600);
    EXPECT_TRUE(line.parityCheck);
    EXPECT_EQ(line.dataBits, 8);
    EXPECT_EQ(line.stopBits, cmcComm::StopBits::OneAndHalf);
    EXPECT_FALSE(line.dtr);
    EXPECT_EQ(line.rtsMode, 1);
    EXPECT_EQ(line.writeMsPerByte, 10);
    EXPECT_EQ(line.xonLimit, 16000);
    EXPECT_EQ(line.xoffLimit, 24000);

    // The master side reports the slave's terminal settings.
    termios t{};
    ASSERT_EQ(tcgetattr(pty.master(), &t), 0);
    EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B9600));
    EXPECT_EQ(cfgetispeed(&t), static_cast<speed_t>(B9600));
    EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_TRUE(t.c_cflag & CSTOPB);
    EXPECT_TRUE(t.c_cflag & CLOCAL);
    EXPECT_FALSE(t.c_cflag & (PARENB | CRTSCTS));
    EXPECT_TRUE(t.c_iflag & INPCK);
    EXPECT_FALSE(t.c_iflag & (IXON | IXOFF | ICRNL | ISTRIP));
    EXPECT_FALSE(t.c_oflag & OPOST);
    EXPECT_FALSE(t.c_lflag & (ICANON | ECHO | ISIG));
    EXPECT_EQ(t.c_cc[VMIN], 0);
    EXPECT_EQ(t.c_cc[VTIME], 0);

    const struct {
        int mode, kept;
    } modes[] = {{4, 1}, {-1, 1}, {3, 3}, {2, 2}, {0, 0}};  // out of range: ignored
    for (auto m : modes) {
        comm.SetRtsMode(m.mode);
        EXPECT_EQ(comm.Line().rtsMode, m.kept) << m.mode;
    }
    EXPECT_TRUE(comm.IsOpen());
}

TEST_F(cmcCommTest, EachOpenStartsFromTheDefaultLineAndKeepsOnlyTheRtsMode)
{
    cmcComm comm;
    comm.SetRtsMode(0);
    ASSERT_TRUE(comm.Open(kPort, "9600,O,7,2"));
    comm.Close();
    // A shorter text must not inherit parity, word size or stop bits of the last opening.
    ASSERT_TRUE(comm.Open(kPort, "38400"));
    const cmcComm::LineSettings& line = comm.Line();
    EXPECT_EQ(line.baudRate, 38400);
    EXPECT_FALSE(line.parityCheck);
    EXPECT_EQ(line.dataBits, 8);
    EXPECT_EQ(line.stopBits, cmcComm::StopBits::One);
    EXPECT_EQ(line.writeMsPerByte, 2);
    EXPECT_EQ(line.rtsMode, 0);  // chosen by the caller, not by the settings text

    termios t{};
    ASSERT_EQ(tcgetattr(pty.master(), &t), 0);
    EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_FALSE(t.c_cflag & CSTOPB);
    EXPECT_FALSE(t.c_iflag & INPCK);
    comm.Close();

    // A failed opening leaves nothing behind for the next one either.
    EXPECT_FALSE(comm.Open(kPort, "0,M,5,2"));
    ASSERT_TRUE(comm.Open(kPort, "9600,O,6"));
    EXPECT_EQ(comm.Line().dataBits, 6);
    EXPECT_EQ(comm.Line().stopBits, cmcComm::StopBits::One);
}

TEST_F(cmcCommTest, ASendIsWrittenInPiecesOf1024OnePerTenMilliseconds)
{
    auto& timers = qvtest::Services().timers;
    cmcComm comm;
    ASSERT_TRUE(comm.Open(kPort, "38400,N,8,1"));
    std::vector<uint8_t> data(3000);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<uint8_t>(i % 251);

    EXPECT_EQ(comm.Send(data.data(), 3000), 0);
    std::vector<uint8_t> got = pty.Drain();
    EXPECT_EQ(got.size(), 1024u);
    EXPECT_EQ(comm.PendingCount(), 3000 - 1024);
    timers.Advance(9);
    EXPECT_TRUE(pty.Drain().empty());
    timers.Advance(1);
    std::vector<uint8_t> second = pty.Drain();
    EXPECT_EQ(second.size(), 1024u);
    timers.Advance(10);
    std::vector<uint8_t> third = pty.Drain();
    EXPECT_EQ(third.size(), 952u);

    got.insert(got.end(), second.begin(), second.end());
    got.insert(got.end(), third.begin(), third.end());
    EXPECT_EQ(got, data);
    EXPECT_EQ(comm.PendingCount(), 0);
    EXPECT_FALSE(comm.WriteError());
    timers.Advance(50);
    EXPECT_TRUE(pty.Drain().empty());
    EXPECT_EQ(timers.ActiveCount(), 0);  // the send task stopped itself
}

TEST_F(cmcCommTest, ReadsReturnAtOnceWithWhatHasArrived)
{
    cmcComm comm;
    ASSERT_TRUE(comm.Open(kPort, "9600,N,8,1"));
    uint8_t buf[256];
    EXPECT_EQ(comm.Read(buf, sizeof buf), 0);  // nothing there: no wait
    pty.Write("\xFE\xFE\xEF\xEE\xFD");
    ASSERT_TRUE(WaitForInput(comm, 5));
    EXPECT_EQ(comm.InputCount(), 5);
    EXPECT_EQ(comm.Read(buf, 2), 2);
    EXPECT_EQ(buf[0], 0xFE);
    EXPECT_EQ(comm.Read(buf, sizeof buf), 3);
    EXPECT_EQ(buf[2], 0xFD);
    EXPECT_EQ(comm.Read(buf, sizeof buf), 0);
    EXPECT_EQ(comm.Read(nullptr, 10), 0);
}

TEST_F(cmcCommTest, AMissingDeviceFailsCleanlyAndThePortOpensAfterwards)
{
    cmcComm comm;
    ASSERT_TRUE(cmcPortTable::System().SetAssignment(kPort, "/nonexistent/ttyUSB9"));
    EXPECT_FALSE(comm.Open(kPort, "9600,N,8,1"));
    EXPECT_EQ(comm.LastError(), cmcComm::OpenError::NoDevice);
    EXPECT_EQ(comm.LastErrno(), ENOENT);
    EXPECT_FALSE(comm.IsOpen());
    for (int n : {0, 257}) {
        EXPECT_FALSE(comm.Open(n, "9600,N,8,1"));
        EXPECT_EQ(comm.LastError(), cmcComm::OpenError::NoDevice);
    }

    ASSERT_TRUE(cmcPortTable::System().SetAssignment(kPort, pty.slave()));
    EXPECT_TRUE(comm.Open(kPort, "9600,N,8,1"));
    EXPECT_EQ(comm.LastError(), cmcComm::OpenError::None);
}

TEST_F(cmcCommTest, AFailureAfterOpeningTheDeviceClosesItAgain)
{
    cmcComm comm;
    const int fds = OpenFdCount();
    ASSERT_TRUE(cmcPortTable::System().SetAssignment(kPort, "/dev/null"));  // not a terminal
    EXPECT_FALSE(comm.Open(kPort, "9600,N,8,1"));
    EXPECT_EQ(comm.LastError(), cmcComm::OpenError::Other);
    EXPECT_EQ(comm.LastErrno(), ENOTTY);
    EXPECT_EQ(OpenFdCount(), fds);

    ASSERT_TRUE(cmcPortTable::System().SetAssignment(kPort, pty.slave()));
    EXPECT_FALSE(comm.Open(kPort, "0,N,8,1"));
    EXPECT_EQ(comm.LastError(), cmcComm::OpenError::BadSettings);
    EXPECT_EQ(OpenFdCount(), fds);

    EXPECT_TRUE(comm.Open(kPort, "9600,N,8,1"));
    comm.Close();
    EXPECT_EQ(OpenFdCount(), fds);
}

TEST_F(cmcCommTest, APortInUseIsBusyAndAnOpenPortIsNotReopened)
{
    cmcComm first;
    cmcComm second;
    ASSERT_TRUE(first.Open(kPort, "9600,N,8,1"));
    EXPECT_FALSE(second.Open(kPort, "9600,N,8,1"));
    EXPECT_EQ(second.LastError(), cmcComm::OpenError::Busy);
    // The message names the process that holds the device: here, this one.
    const std::string self = "(process " + std::to_string(getpid()) + ")";
    EXPECT_NE(second.OpenFailure().find(self), std::string::npos) << second.OpenFailure();

    EXPECT_FALSE(first.Open(kPort, "38400,N,8,1"));
    EXPECT_EQ(first.LastError(), cmcComm::OpenError::AlreadyOpen);
    EXPECT_TRUE(first.IsOpen());
    EXPECT_EQ(first.Line().baudRate, 9600);

    first.Close();
    EXPECT_TRUE(second.Open(kPort, "9600,N,8,1"));
}

TEST_F(cmcCommTest, AnotherProgramsLockedPortStaysAsThatProgramLeftIt)
{
    // Another program holds the device with a lock but without exclusive mode.
    const int other = open(pty.slave().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(other, 0);
    ASSERT_EQ(flock(other, LOCK_EX | LOCK_NB), 0);
    cmcComm comm;
    EXPECT_FALSE(comm.Open(kPort, "9600,N,8,1"));
    EXPECT_EQ(comm.LastError(), cmcComm::OpenError::Busy);
    // The refused opening must not have switched the other program's terminal to
    // exclusive use, which would refuse its own next opening.
    int exclusive = -1;
    ASSERT_EQ(ioctl(other, TIOCGEXCL, &exclusive), 0);
    EXPECT_EQ(exclusive, 0);
    close(other);

    ASSERT_TRUE(comm.Open(kPort, "9600,N,8,1"));
    ASSERT_EQ(ioctl(comm.Handle(), TIOCGEXCL, &exclusive), 0);
    EXPECT_NE(exclusive, 0);
}

TEST_F(cmcCommTest, CloseDropsTheQueueAndAClosedPortDoesNothing)
{
    auto& timers = qvtest::Services().timers;
    cmcComm comm;
    ASSERT_TRUE(comm.Open(kPort, "9600,N,8,1"));
    std::vector<uint8_t> data(2000, 0x55);
    comm.Send(data.data(), 2000);
    EXPECT_EQ(pty.Drain().size(), 1024u);
    comm.Close();
    EXPECT_FALSE(comm.IsOpen());
    EXPECT_EQ(comm.PendingCount(), 0);
    timers.Advance(50);
    EXPECT_TRUE(pty.Drain().empty());

    uint8_t buf[8];
    EXPECT_EQ(comm.Send(buf, 8), -1);
    EXPECT_EQ(comm.Read(buf, 8), 0);
    EXPECT_EQ(comm.InputCount(), 0);
    EXPECT_EQ(comm.OutputCount(), 0);
    comm.Close();  // twice is harmless
}

TEST_F(cmcCommTest, AWriteThatFailsSetsTheWriteErrorUntilClose)
{
    cmcComm comm;
    ASSERT_TRUE(comm.Open(kPort, "9600,N,8,1"));
    pty.CloseMaster();  // the far end hangs up: writes fail
    const uint8_t frame[] = {0xFE, 0xFE, 0xEE, 0xEF, 0xE0, 0xFD};
    EXPECT_EQ(comm.Send(frame, sizeof frame), 0);
    EXPECT_TRUE(comm.WriteError());
    comm.Close();
    EXPECT_FALSE(comm.WriteError());
}

TEST_F(cmcCommTest, ADeviceGoneUnderTheOpenPortIsNamedAsSuch)
{
    cmcComm comm;
    ASSERT_TRUE(comm.Open(kPort, "9600,N,8,1"));
    uint8_t buf[8];
    EXPECT_EQ(comm.Read(buf, 8), 0);
    EXPECT_EQ(comm.LineFailure(), "");  // nothing has come yet: no failure
    pty.CloseMaster();                  // the cable is pulled
    EXPECT_EQ(comm.Read(buf, 8), 0);
    EXPECT_EQ(comm.LineFailure().rfind("The device " + pty.slave() + " went away", 0), 0u)
        << comm.LineFailure();
    comm.Close();
    EXPECT_NE(comm.LineFailure(), "");  // still there for the message after the close
}

}  // namespace
