#pragma once
#include <string>

namespace plat {

// The single-instance rule as a kernel lock: an exclusive flock on a file named after the
// mutex. The kernel drops it however the process ends, so a crash never blocks a restart.
class InstanceLock {
public:
    InstanceLock() = default;
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // True when this process now holds the lock (the first instance). When the lock file
    // cannot be created at all the process counts as the first instance.
    bool Acquire(const std::string& mutexName);
    void Release();
    bool Held() const { return m_fd >= 0; }

    // $XDG_RUNTIME_DIR, else the temp folder, plus a file name made from the mutex name.
    static std::string LockPath(const std::string& mutexName);

private:
    int m_fd = -1;
};

}  // namespace plat
