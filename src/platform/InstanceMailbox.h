#pragma once
#include <string>
#include <vector>

namespace plat {

// Lets a second start of the program hand its files to the first, so that double-clicking
// a clone file opens it in the window already running. The first instance listens on a
// local socket beside its single-instance lock; a later start sends the file names and
// leaves. One message is a list of absolute paths, each ended by a NUL byte.
class InstanceMailbox {
public:
    InstanceMailbox() = default;
    ~InstanceMailbox();
    InstanceMailbox(const InstanceMailbox&) = delete;
    InstanceMailbox& operator=(const InstanceMailbox&) = delete;

    // Listens on the mutex's socket. Only the holder of the instance lock may call it: a
    // socket left by an ended instance is replaced.
    bool Listen(const std::string& mutexName);
    // The descriptor to watch for arrivals; -1 when not listening.
    int Fd() const { return m_fd; }
    // Takes every message waiting now; each message's paths in the order sent.
    std::vector<std::vector<std::string>> Receive();
    void Close();

    // Hands paths to the running instance. False when nobody listens.
    static bool Send(const std::string& mutexName, const std::vector<std::string>& paths);
    // Beside the lock file: the same name with ".sock" for ".lock".
    static std::string SocketPath(const std::string& mutexName);

private:
    int m_fd = -1;
    std::string m_path;
};

}  // namespace plat
