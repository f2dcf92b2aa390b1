#include "platform/InstanceMailbox.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/InstanceLock.h"

namespace plat {

namespace {

// A message is small; a sender that stalls longer than this is dropped, so a broken
// second start can never hang the window.
constexpr int kReadTimeoutMs = 1000;
constexpr size_t kMaxMessage = 64 * 1024;

bool Address(const std::string& path, sockaddr_un& addr)
{
    std::memset(&addr, 0, sizeof addr);
    addr.sun_family = AF_UNIX;
    if (path.size() >= sizeof addr.sun_path)
        return false;
    std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
    return true;
}

}  // namespace

InstanceMailbox::~InstanceMailbox()
{
    Close();
}

std::string InstanceMailbox::SocketPath(const std::string& mutexName)
{
    std::string path = InstanceLock::LockPath(mutexName);
    const std::string lock = ".lock";
    if (path.size() >= lock.size() &&
        path.compare(path.size() - lock.size(), lock.size(), lock) == 0)
        path.resize(path.size() - lock.size());
    return path + ".sock";
}

bool InstanceMailbox::Listen(const std::string& mutexName)
{
    Close();
    const std::string path = SocketPath(mutexName);
    sockaddr_un addr;
    if (!Address(path, addr))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return false;
    ::unlink(path.c_str());
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(fd, 8) != 0) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    m_path = path;
    return true;
}

std::vector<std::vector<std::string>> InstanceMailbox::Receive()
{
    std::vector<std::vector<std::string>> messages;
    if (m_fd < 0)
        return messages;
    for (;;) {
        const int c = ::accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC);
        if (c < 0)
            break;
        std::string data;
        char buf[4096];
        for (;;) {
            pollfd p{c, POLLIN, 0};
            if (::poll(&p, 1, kReadTimeoutMs) <= 0)
                break;
            const ssize_t n = ::read(c, buf, sizeof buf);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            data.append(buf, static_cast<size_t>(n));
            if (data.size() > kMaxMessage)
                break;
        }
        ::close(c);
        std::vector<std::string> paths;
        for (size_t from = 0, end; (end = data.find('\0', from)) != std::string::npos;
             from = end + 1)
            if (end > from)
                paths.push_back(data.substr(from, end - from));
        if (!paths.empty())
            messages.push_back(std::move(paths));
    }
    return messages;
}

void InstanceMailbox::Close()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        ::unlink(m_path.c_str());
        m_fd = -1;
    }
}

bool InstanceMailbox::Send(const std::string& mutexName, const std::vector<std::string>& paths)
{
    sockaddr_un addr;
    if (!Address(SocketPath(mutexName), addr))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        ::close(fd);
        return false;
    }
    std::string data;
    for (const std::string& p : paths)
        data += p + '\0';
    bool ok = true;
    for (size_t done = 0; done < data.size();) {
        const ssize_t n = ::send(fd, data.data() + done, data.size() - done, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok = false;
            break;
        }
        done += static_cast<size_t>(n);
    }
    ::close(fd);
    return ok;
}

}  // namespace plat
