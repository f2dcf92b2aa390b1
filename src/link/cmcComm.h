#pragma once
#include <cstdint>
#include <string>

#include "common/cmcBuff.h"
#include "link/IPort.h"

class cmcTask;

// The serial port: opens the device of a port number with a settings text such as
// "38400,N,8,1", reads without waiting, and sends through a queue that a task drains in
// pieces of 1024 bytes. Each piece is written like a blocking write: it returns once the
// kernel's output queue has drained, or the write time-out has passed. Single-threaded.
class cmcComm : public IPort {
public:
    static constexpr int32_t kInputQueueSize = 32000;
    static constexpr int32_t kOutputPieceSize = 1024;

    // Why the last Open failed, so that messages can say what to do.
    enum class OpenError {
        None,
        AlreadyOpen,       // the port is open already
        NoDevice,          // the number names no device, or the device is not there
        PermissionDenied,  // no access to the device (usually: not in the "dialout" group)
        Busy,              // another program has the port open
        BadSettings,       // the settings text has no usable baud rate
        Other,             // anything else; see LastErrno
    };

    enum class StopBits { One, OneAndHalf, Two };

    // The line settings as applied. The characters, limits and time-outs are those the
    // protocol was designed around; the kernel uses what it has an equivalent for.
    struct LineSettings {
        int32_t baudRate = 9600;
        bool parityCheck = false;  // "M" or "O"; the parity scheme itself stays none
        int dataBits = 8;          // 4 to 8; the kernel's smallest word is 5 bits
        StopBits stopBits = StopBits::One;
        int rtsMode = 1;  // 0 low, 1 high, 2 handshake (held high), 3 high while sending
        bool dtr = false;
        uint8_t xonChar = 0x11;
        uint8_t xoffChar = 0x13;
        uint8_t errorChar = 0x3F;
        uint8_t eofChar = 0xFD;
        uint8_t eventChar = 0xFE;
        int32_t xonLimit = kInputQueueSize / 2;
        int32_t xoffLimit = kInputQueueSize * 3 / 4;
        int32_t writeMsPerByte = 100000 / 9600;  // write time-out: per byte ...
        int32_t writeConstantMs = 3000;          // ... plus this
    };

    cmcComm();
    ~cmcComm() override;
    cmcComm(const cmcComm&) = delete;
    cmcComm& operator=(const cmcComm&) = delete;

    // Opens the device of port n (see cmcPortTable). False when the port is open already or
    // any step fails; a device opened before the failing step is closed again. The line
    // starts from the defaults each time (fields missing from the text mean N, 8, 1); the
    // RTS mode set before is kept.
    bool Open(int portNumber, const std::string& settings) override;
    // As Open, on a device path (port number 0).
    bool OpenDevice(const std::string& path, const std::string& settings) override;
    // Stops the send task, lets the kernel finish what it holds (bounded by the write
    // time-out), closes, empties the send queue and clears the write error.
    void Close() override;
    bool IsOpen() const override { return m_fd >= 0; }

    // Queues bytes and writes the first piece at once; the rest follows every 10 ms.
    // Returns 0, or -1 when the port is closed.
    int Send(const void* bytes, int32_t length) override;
    // Reads at most length bytes of what has arrived, without waiting. 0 on failure.
    int32_t Read(void* buffer, int32_t length) override;
    // Drops every byte that has arrived and not been read.
    void PurgeInput() override;
    int32_t InputCount() const override;    // bytes waiting to be read
    int32_t OutputCount() const;            // bytes in the kernel's output queue
    int32_t PendingCount() const override;  // OutputCount plus the send queue
    // 0 to 3; other values are ignored. Applied at once when open.
    void SetRtsMode(int mode) override;
    bool WriteError() const override { return m_writeError; }
    std::string OpenFailure() const override;
    std::string LineFailure() const override;

    int PortNumber() const { return m_portNumber; }
    const std::string& DevicePath() const { return m_device; }
    const LineSettings& Line() const { return m_line; }
    int Handle() const { return m_fd; }

    OpenError LastError() const { return m_lastError; }
    int LastErrno() const { return m_lastErrno; }  // 0 when not from the system

    // Reading of a settings text: baud rate, parity letter, data bits, stop bits, split at
    // single-byte commas. A missing field keeps the value already in line. False when the
    // baud rate is 0 or not one the kernel supports.
    static bool ParseSettings(const std::string& text, LineSettings& line);
    // The open failure an errno value stands for.
    static OpenError ErrorFor(int err);
    // The process holding device open, as "name (process N)", from /proc; "" when it cannot
    // be seen (another user's processes are hidden unless we are privileged).
    static std::string HoldingProcess(const std::string& device);
    // What to do about a device the user may not open. group is the device's group ("" when
    // unknown); member: the user is listed in it; inSession: this login already has it.
    static std::string PermissionAdvice(const std::string& device, const std::string& group,
                                        const std::string& user, bool member, bool inSession);

private:
    static void SendPump(void* context, cmcTask* task);
    void Pump();
    bool Fail(OpenError error, int err);
    bool ApplyLine();
    void ApplyModemLines();
    void SetModemLine(int line, bool on);
    bool WritePiece(const uint8_t* bytes, int32_t n);
    bool WaitDrained(int64_t deadlineMs);

    int m_fd = -1;
    int m_portNumber = 0;
    std::string m_device;
    bool m_writeError = false;
    bool m_lineLost = false;  // a read or write found the device gone since the opening
    cmcBuff m_sendBuffer;
    LineSettings m_line;
    cmcTask* m_sendTask = nullptr;
    OpenError m_lastError = OpenError::None;
    int m_lastErrno = 0;
    std::string m_advice;  // the reason's details, found when the opening failed
};
