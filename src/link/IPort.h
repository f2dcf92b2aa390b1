#pragma once
#include <cstdint>
#include <string>

// What the clone protocol needs of a serial line: open with a settings text, read what is
// there without waiting, queue bytes for sending, discard stale input, the byte counts
// and the RTS mode. The termios port, the test peers and the simulated radio serve it.
class IPort {
public:
    virtual ~IPort() = default;

    // Port number n (see cmcPortTable) with a settings text such as "38400,N,8,1".
    virtual bool Open(int portNumber, const std::string& settings) = 0;
    // A device path instead of a number.
    virtual bool OpenDevice(const std::string& path, const std::string& settings) = 0;
    // Lets queued output go out (bounded), then closes.
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;

    // Queues bytes for sending; 0, or -1 when closed.
    virtual int Send(const void* bytes, int32_t length) = 0;
    // At most length bytes of what has arrived, without waiting.
    virtual int32_t Read(void* buffer, int32_t length) = 0;
    // Discards whatever input waits unread.
    virtual void PurgeInput() = 0;
    virtual int32_t InputCount() const = 0;
    // Bytes not yet on the line: the device's output queue plus our own send queue.
    virtual int32_t PendingCount() const = 0;
    virtual void SetRtsMode(int mode) = 0;
    // A write transferred fewer bytes than asked.
    virtual bool WriteError() const = 0;
    // Why the last opening failed, in a few words for the user ("" when it did not fail
    // or there is nothing to add).
    virtual std::string OpenFailure() const { return {}; }
    // Why the line failed after the opening (the device went away), or "".
    virtual std::string LineFailure() const { return {}; }
};
