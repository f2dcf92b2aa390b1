#include "platform/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace plat {

InstanceLock::~InstanceLock()
{
    Release();
}

std::string InstanceLock::LockPath(const std::string& mutexName)
{
    std::string dir;
    if (const char* rt = std::getenv("XDG_RUNTIME_DIR"); rt && *rt)
        dir = rt;
    else if (const char* tmp = std::getenv("TMPDIR"); tmp && *tmp)
        dir = tmp;
    else
        dir = "/tmp";
    std::string file;
    for (char c : mutexName) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '.';
        file += plain ? c : '_';
    }
    return dir + "/" + file + ".lock";
}

bool InstanceLock::Acquire(const std::string& mutexName)
{
    Release();
    const std::string path = LockPath(mutexName);
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return true;  // no place for a lock: do not refuse to start
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int err = errno;
        ::close(fd);
        return err != EWOULDBLOCK;
    }
    m_fd = fd;
    return true;
}

void InstanceLock::Release()
{
    if (m_fd >= 0) {
        ::flock(m_fd, LOCK_UN);
        ::close(m_fd);
        m_fd = -1;
    }
}

}  // namespace plat
