#include "link/cmcComm.h"

#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <vector>

#include "common/cmcTask.h"
#include "link/cmcPortTable.h"
#include "platform/TextUtil.h"

namespace {

// Write deadlines are about real hardware, so they run on the real monotonic clock even
// when the program's clock is a test's manual one.
int64_t NowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

struct Speed {
    int32_t baud;
    speed_t code;
};
constexpr Speed kSpeeds[] = {
    {50, B50},           {75, B75},           {110, B110},         {134, B134},
    {150, B150},         {200, B200},         {300, B300},         {600, B600},
    {1200, B1200},       {1800, B1800},       {2400, B2400},       {4800, B4800},
    {9600, B9600},       {19200, B19200},     {38400, B38400},     {57600, B57600},
    {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000},
    {1500000, B1500000}, {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000},
    {3500000, B3500000}, {4000000, B4000000},
};

bool SpeedCode(int32_t baud, speed_t& code)
{
    for (const Speed& s : kSpeeds) {
        if (s.baud == baud) {
            code = s.code;
            return true;
        }
    }
    return false;
}

}  // namespace

cmcComm::cmcComm() : m_sendTask(new cmcTask)
{
    m_sendTask->SetHandler(&cmcComm::SendPump, this);
}

cmcComm::~cmcComm()
{
    Close();
    cmcTask::Dispose(m_sendTask);
}

bool cmcComm::ParseSettings(const std::string& text, LineSettings& line)
{
    auto field = [&](int n) { return txt::Trim(txt::Field(text, ',', n).value_or("")); };

    const int32_t baud = txt::ReadDecimal(field(0));
    speed_t code;
    if (baud <= 0 || !SpeedCode(baud, code))
        return false;
    line.baudRate = baud;
    line.writeMsPerByte = 100000 / baud;

    const std::string parity = field(1);
    if (!parity.empty()) {
        const char p = parity[0];
        line.parityCheck = p == 'M' || p == 'm' || p == 'O' || p == 'o';
    }
    const std::string bits = field(2);
    if (!bits.empty()) {
        const int32_t n = txt::ReadDecimal(bits);
        line.dataBits = n < 4 ? 4 : (n > 8 ? 8 : n);
    }
    const std::string stop = field(3);
    if (!stop.empty()) {
        if (stop == "1.5")
            line.stopBits = StopBits::OneAndHalf;
        else if (stop == "2")
            line.stopBits = StopBits::Two;
        else
            line.stopBits = StopBits::One;
    }
    return true;
}

cmcComm::OpenError cmcComm::ErrorFor(int err)
{
    switch (err) {
        case 0:
            return OpenError::None;
        case ENOENT:
        case ENODEV:
        case ENXIO:
        case ENOTDIR:
            return OpenError::NoDevice;
        case EACCES:
        case EPERM:
        case EROFS:
            return OpenError::PermissionDenied;
        case EBUSY:
        case EWOULDBLOCK:
            return OpenError::Busy;
        default:
            return OpenError::Other;
    }
}

bool cmcComm::Fail(OpenError error, int err)
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    m_lastError = error;
    m_lastErrno = err;
    m_advice.clear();
    // The details are looked up now: later the holder may have gone, or the cable come back.
    if (error == OpenError::Busy && !m_device.empty()) {
        m_advice = HoldingProcess(m_device);
    } else if (error == OpenError::PermissionDenied && !m_device.empty()) {
        std::string groupName, user;
        bool member = false, inSession = false;
        struct stat st {};
        if (stat(m_device.c_str(), &st) == 0) {
            if (const struct group* g = getgrgid(st.st_gid)) {
                groupName = g->gr_name;
                if (const passwd* pw = getpwuid(geteuid())) {
                    user = pw->pw_name;
                    member = pw->pw_gid == st.st_gid;
                    for (char** m = g->gr_mem; m && *m && !member; ++m)
                        member = user == *m;
                }
            }
            const int n = getgroups(0, nullptr);
            std::vector<gid_t> groups(n > 0 ? n : 0);
            if (n > 0 && getgroups(n, groups.data()) == n)
                inSession = std::find(groups.begin(), groups.end(), st.st_gid) != groups.end();
            inSession = inSession || getegid() == st.st_gid;
        }
        m_advice = PermissionAdvice(m_device, groupName, user, member, inSession);
    }
    return false;
}

std::string cmcComm::HoldingProcess(const std::string& device)
{
    char* real = realpath(device.c_str(), nullptr);
    if (!real)
        return {};
    const std::string target = real;
    std::free(real);
    DIR* proc = opendir("/proc");
    if (!proc)
        return {};
    std::string found;
    while (const dirent* e = readdir(proc)) {
        const std::string pid = e->d_name;
        if (pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const std::string fdDir = "/proc/" + pid + "/fd";
        DIR* fds = opendir(fdDir.c_str());
        if (!fds)
            continue;
        bool holds = false;
        while (const dirent* f = readdir(fds)) {
            char link[4096];
            const std::string path = fdDir + "/" + f->d_name;
            const ssize_t n = readlink(path.c_str(), link, sizeof link - 1);
            if (n > 0 && std::string(link, static_cast<size_t>(n)) == target) {
                holds = true;
                break;
            }
        }
        closedir(fds);
        if (holds) {
            std::string name;
            std::ifstream comm("/proc/" + pid + "/comm");
            std::getline(comm, name);
            found = (name.empty() ? std::string("?") : name) + " (process " + pid + ")";
            break;
        }
    }
    closedir(proc);
    return found;
}

std::string cmcComm::PermissionAdvice(const std::string& device, const std::string& group,
                                      const std::string& user, bool member, bool inSession)
{
    if (group.empty() || group == "root")
        return "You may not use " + device + ". Ask the administrator for access to it.";
    if (member && !inSession)
        return "You may not use " + device + " yet: your user was added to the group \"" + group +
               "\" after this session began. Log out and in again.";
    if (inSession)
        return "You may not use " + device + ", although you are in its group \"" + group +
               "\". Check the device's permissions.";
    return "You may not use " + device + ": it belongs to the group \"" + group +
           "\", and your user is not in it. Add your user to the group with\n    sudo usermod "
           "-aG " +
           group + " " + (user.empty() ? std::string("$USER") : user) +
           "\nthen log out and in again.";
}

bool cmcComm::Open(int portNumber, const std::string& settings)
{
    if (IsOpen()) {
        m_lastError = OpenError::AlreadyOpen;
        m_lastErrno = 0;
        return false;
    }
    const std::string path = cmcPortTable::System().DevicePath(portNumber);
    if (path.empty()) {
        m_device.clear();
        return Fail(OpenError::NoDevice, ENOENT);
    }
    if (!OpenDevice(path, settings))
        return false;
    m_portNumber = portNumber;
    return true;
}

bool cmcComm::OpenDevice(const std::string& path, const std::string& settings)
{
    if (IsOpen()) {
        m_lastError = OpenError::AlreadyOpen;
        m_lastErrno = 0;
        return false;
    }
    m_portNumber = 0;
    m_device = path;
    // Every opening starts from the default line; only the RTS mode is the caller's choice
    // that outlives an opening. Fields the text leaves out mean N, 8 and 1.
    LineSettings line;
    line.rtsMode = m_line.rtsMode;
    if (!ParseSettings(settings, line))
        return Fail(OpenError::BadSettings, EINVAL);

    m_fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0) {
        const int err = errno;
        return Fail(ErrorFor(err), err);
    }
    // From here on every failure closes the device again, so the port can be opened later.
    if (!isatty(m_fd))
        return Fail(OpenError::Other, ENOTTY);
    // TIOCEXCL keeps other programs out; the lock also covers a second opening by a
    // privileged process and the same device reached under another name. The lock comes
    // first: exclusive mode belongs to the terminal, not to our descriptor, so setting it
    // on a device someone else holds would outlive this failed opening.
    if (flock(m_fd, LOCK_EX | LOCK_NB) != 0 || ioctl(m_fd, TIOCEXCL) != 0) {
        const int err = errno;
        return Fail(err == EWOULDBLOCK ? OpenError::Busy : ErrorFor(err), err);
    }
    if (tcflush(m_fd, TCIOFLUSH) != 0) {
        const int err = errno;
        return Fail(ErrorFor(err), err);
    }
    m_line = line;
    if (!ApplyLine()) {
        const int err = errno ? errno : EINVAL;
        return Fail(err == EINVAL ? OpenError::BadSettings : OpenError::Other, err);
    }
    m_writeError = false;
    m_lineLost = false;
    m_lastError = OpenError::None;
    m_lastErrno = 0;
    return true;
}

bool cmcComm::ApplyLine()
{
    termios t{};
    if (tcgetattr(m_fd, &t) != 0)
        return false;
    cfmakeraw(&t);
    t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK | IGNPAR | PARMRK);
    if (m_line.parityCheck)
        t.c_iflag |= INPCK;
    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | CSTOPB | PARENB | PARODD | CRTSCTS | CMSPAR);
    switch (m_line.dataBits) {
        case 4:
        case 5:
            t.c_cflag |= CS5;
            break;
        case 6:
            t.c_cflag |= CS6;
            break;
        case 7:
            t.c_cflag |= CS7;
            break;
        default:
            t.c_cflag |= CS8;
            break;
    }
    // The kernel has no 1.5 stop bits: sending two keeps the peer's timing safe.
    if (m_line.stopBits != StopBits::One)
        t.c_cflag |= CSTOPB;
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    t.c_cc[VSTART] = m_line.xonChar;
    t.c_cc[VSTOP] = m_line.xoffChar;
    speed_t code = B9600;
    if (!SpeedCode(m_line.baudRate, code)) {
        errno = EINVAL;
        return false;
    }
    if (cfsetispeed(&t, code) != 0 || cfsetospeed(&t, code) != 0)
        return false;
    errno = 0;
    if (tcsetattr(m_fd, TCSANOW, &t) != 0)
        return false;
    // tcsetattr succeeds when any part was taken: check that the speed was.
    termios check{};
    if (tcgetattr(m_fd, &check) != 0)
        return false;
    if (cfgetospeed(&check) != code) {
        errno = EINVAL;
        return false;
    }
    ApplyModemLines();
    return true;
}

void cmcComm::SetModemLine(int line, bool on)
{
    // Devices without modem lines (a pseudo-terminal) refuse this; nothing to do there.
    ioctl(m_fd, on ? TIOCMBIS : TIOCMBIC, &line);
}

void cmcComm::ApplyModemLines()
{
    // Opening raises DTR and RTS; the radio's cable expects DTR low and RTS per the mode.
    m_line.dtr = false;
    SetModemLine(TIOCM_DTR, false);
    SetModemLine(TIOCM_RTS, m_line.rtsMode == 1 || m_line.rtsMode == 2);
}

void cmcComm::SetRtsMode(int mode)
{
    if (mode < 0 || mode > 3)
        return;
    m_line.rtsMode = mode;
    if (IsOpen())
        ApplyLine();
}

void cmcComm::Close()
{
    m_sendTask->SetInterval(-1);
    if (m_fd >= 0) {
        const int32_t queued = OutputCount();
        if (queued > 0) {
            const int64_t deadline =
                NowMs() + int64_t{m_line.writeMsPerByte} * queued + m_line.writeConstantMs;
            // Bytes the kernel could not send in time are dropped, so close does not hang.
            if (!WaitDrained(deadline))
                tcflush(m_fd, TCOFLUSH);
        }
        ::close(m_fd);
        m_fd = -1;
    }
    m_sendBuffer.Clear();
    m_writeError = false;
}

int cmcComm::Send(const void* bytes, int32_t length)
{
    if (!IsOpen())
        return -1;
    m_sendTask->SetInterval(-1);
    m_sendBuffer.AppendBytes(bytes, length);
    m_sendTask->SetInterval(0);
    Pump();
    return 0;
}

int32_t cmcComm::Read(void* buffer, int32_t length)
{
    if (!IsOpen() || !buffer || length <= 0)
        return 0;
    for (;;) {
        const ssize_t got = ::read(m_fd, buffer, static_cast<size_t>(length));
        if (got == 0 && !m_lineLost) {
            // Nothing to read, or a hang-up: a device unplugged under the open port.
            pollfd pfd{m_fd, POLLIN, 0};
            if (poll(&pfd, 1, 0) > 0 && (pfd.revents & (POLLHUP | POLLERR)))
                m_lineLost = true;
        }
        if (got >= 0)
            return static_cast<int32_t>(got);
        if (errno == EIO || errno == ENXIO || errno == ENODEV)
            m_lineLost = true;  // the device went away under the open port
        if (errno != EINTR)
            return 0;
    }
}

void cmcComm::PurgeInput()
{
    if (IsOpen())
        tcflush(m_fd, TCIFLUSH);
}

std::string cmcComm::LineFailure() const
{
    if (!m_lineLost)
        return {};
    return "The device " + m_device +
           " went away during the transfer: the cable may have been unplugged. Plug it in "
           "again; it may come back under another name, so choose it by its name under "
           "/dev/serial/by-id.";
}

std::string cmcComm::OpenFailure() const
{
    switch (m_lastError) {
        case OpenError::None:
        case OpenError::AlreadyOpen:
            return {};
        case OpenError::NoDevice:
            return m_device.empty()
                       ? "No serial device is assigned to this port number."
                       : "The device " + m_device +
                             " does not exist. If it is a USB cable, check that it is plugged "
                             "in; a cable plugged in again may get another name, so choose it "
                             "by its name under /dev/serial/by-id.";
        case OpenError::PermissionDenied:
            return !m_advice.empty() ? m_advice
                                     : "You may not use " + m_device +
                                           ": add your user to the \"dialout\" group and log "
                                           "in again.";
        case OpenError::Busy:
            return m_advice.empty()
                       ? "Another program is using " + m_device +
                             ". Close it and try again; \"sudo fuser -v " + m_device +
                             "\" names it."
                       : "Another program is using " + m_device + ": " + m_advice +
                             ". Close it and try again. If it is a service that takes new "
                             "serial devices, stop it or tell it to leave this cable alone.";
        case OpenError::BadSettings:
            return "The device " + m_device + " does not accept the line settings.";
        case OpenError::Other:
            break;
    }
    return "The device " + m_device + " cannot be opened (" + std::strerror(m_lastErrno) + ").";
}

int32_t cmcComm::InputCount() const
{
    int n = 0;
    if (!IsOpen() || ioctl(m_fd, FIONREAD, &n) != 0 || n < 0)
        return 0;
    return n;
}

int32_t cmcComm::OutputCount() const
{
    int n = 0;
    if (!IsOpen() || ioctl(m_fd, TIOCOUTQ, &n) != 0 || n < 0)
        return 0;
    return n;
}

int32_t cmcComm::PendingCount() const
{
    return OutputCount() + m_sendBuffer.Size();
}

void cmcComm::SendPump(void* context, cmcTask*)
{
    static_cast<cmcComm*>(context)->Pump();
}

void cmcComm::Pump()
{
    if (!IsOpen()) {
        m_sendTask->SetInterval(-1);
        return;
    }
    const int32_t n = std::min(m_sendBuffer.Size(), kOutputPieceSize);
    if (OutputCount() > 0) {
        m_sendTask->SetInterval(10);
        return;
    }
    if (n > 0 && !WritePiece(m_sendBuffer.Data(), n)) {
        m_writeError = true;
        m_sendTask->SetInterval(-1);
        return;
    }
    if (m_sendBuffer.Size() > n) {
        m_sendBuffer.RemoveFront(n);
        m_sendTask->SetInterval(10);
    } else {
        m_sendBuffer.Clear();
        m_sendTask->SetInterval(-1);
    }
}

bool cmcComm::WritePiece(const uint8_t* bytes, int32_t n)
{
    const int64_t deadline = NowMs() + int64_t{m_line.writeMsPerByte} * n + m_line.writeConstantMs;
    if (m_line.rtsMode == 3)
        SetModemLine(TIOCM_RTS, true);
    int32_t done = 0;
    while (done < n) {
        const ssize_t w = ::write(m_fd, bytes + done, static_cast<size_t>(n - done));
        if (w > 0) {
            done += static_cast<int32_t>(w);
            continue;
        }
        if (w < 0 && errno == EINTR)
            continue;
        if (w < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            m_lineLost = m_lineLost || errno == EIO || errno == ENXIO || errno == ENODEV;
            break;  // the device is gone or refuses
        }
        const int64_t left = deadline - NowMs();
        if (left <= 0)
            break;
        pollfd pfd{m_fd, POLLOUT, 0};
        if (poll(&pfd, 1, static_cast<int>(std::min<int64_t>(left, 50))) < 0 && errno != EINTR)
            break;
        if (pfd.revents & (POLLERR | POLLHUP | POLLNVAL))
            break;
    }
    const bool drained = done == n && WaitDrained(deadline);
    if (m_line.rtsMode == 3)
        SetModemLine(TIOCM_RTS, false);
    return drained;
}

bool cmcComm::WaitDrained(int64_t deadlineMs)
{
    for (;;) {
        const int32_t queued = OutputCount();
        if (queued <= 0)
            return true;
        const int64_t left = deadlineMs - NowMs();
        if (left <= 0)
            return false;
        // Sleep about as long as the queued bytes take on the wire (10 bits each).
        const int64_t wire = int64_t{queued} * 10000 / m_line.baudRate;
        poll(nullptr, 0,
             static_cast<int>(std::clamp<int64_t>(wire, 1, std::min<int64_t>(left, 20))));
    }
}
