#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/cmcBuff.h"
#include "common/cmcTick.h"
#include "link/CloneFrames.h"
#include "link/dst_CDrv_Result.h"

class cmcTask;
class IPort;

// Speaks the radio's cloning protocol, one operation at a time: identification, clone
// read, clone write, or a derived driver's own. A state machine stepped every 10 ms by a
// timer task plays the mode script, opens the port, probes the cable for echo, exchanges
// the frames and hands a result record to exactly one callback per started operation.
class cmcCloneDrv {
public:
    using Callback = void (*)(void* context, dst_CDrv_Result* result);

    enum Operation { OpInfo = 1, OpRead = 2, OpWrite = 3 };
    enum Result {
        ResOk = 0,
        ResNoPort = 2,
        ResEcho = 4,
        ResTimeout = 5,
        ResFrame = 6,
        ResFrameCount = 7,
        ResIncomplete = 8,
        ResOutside = 9,
        ResNoEndAck = 10,
        ResWriteFailed = 17,
    };
    enum State {
        StIdle = 0,
        StStart = 2,
        StScript = 3,
        StOpen = 4,
        StInfoRequest = 5,
        StInfoReply = 6,
        StReadRequest = 7,
        StReceive = 8,
        StWriteRequest = 9,
        StFirstReady = 10,
        StSend = 11,
        StPageReady = 12,
        StEnd = 13,
        StEndAck = 14,
        StDrain = 22,
        StFinish = 23,
    };

    // The driver talks through port; without one it owns a serial port of its own.
    explicit cmcCloneDrv(IPort* port = nullptr);
    virtual ~cmcCloneDrv();
    cmcCloneDrv(const cmcCloneDrv&) = delete;
    cmcCloneDrv& operator=(const cmcCloneDrv&) = delete;

    // Configuration, set before an operation.
    void SetCodes(int modelCode, int subCode);
    void SetImageSize(int32_t size);
    void SetPortNumber(int n);
    // A device path used instead of the port number ("" for none).
    void SetPortDevice(const std::string& path);
    void SetPortSettings(const std::string& settings) { m_settings = settings; }
    void SetRequestPreamble(int count) { m_requestPreamble = count; }
    void SetDataPreambles(int first, int later);
    void SetEndWithCount(bool on) { m_endWithCount = on; }
    void SetEchoDetection(bool on) { m_echoDetection = on; }
    void SetWaitReady(bool on) { m_waitReady = on; }
    // Values of 0 or below leave the old value.
    void SetPageSize(int size);
    void SetPageOffset(int offset);
    void SetScript(const std::string& script) { m_script = script; }
    void SetDefaultTimeout(int ms);
    void SetScriptTimeout(int ms);
    void SetInfoTimeout(int ms);
    void SetReadyTimeout(int ms);
    void SetEndTimeout(int ms);
    void SetEchoFlag(bool on) { m_echo = on; }
    bool EchoFlag() const { return m_echo; }
    void SetRtsMode(int mode);
    // The step interval of the next operation in milliseconds (10 unless set).
    void SetStepInterval(int ms) { m_stepMs = ms > 0 ? ms : 10; }
    int StepInterval() const { return m_stepMs; }
    // The short blocking waits of port opening and echo probing go through this; tests
    // give one that moves their clock. The default waits on the program's clock.
    void SetWaiter(std::function<void(uint32_t ms)> waiter) { m_waiter = std::move(waiter); }

    // Operations. False while one runs, and (read, write) for a range list that is
    // missing or leaves the image.
    bool StartInfo(Callback callback, void* context);
    bool StartRead(const int32_t* ranges, Callback callback, void* context);
    bool StartWrite(const cmcEeprom& image, const int32_t* ranges, Callback callback,
                    void* context);
    bool IsBusy() const { return m_state != StIdle; }

    // Progress of the running operation.
    int State() const { return m_state; }
    int32_t DataBytes() const { return m_dataBytes; }
    int32_t RawBytes() const { return m_rawBytes; }
    int32_t FrameCount() const { return m_frames; }
    int ModelCode() const { return m_modelCode; }
    int SubCode() const { return m_subCode; }
    int32_t ImageSize() const { return m_imageSize; }
    int DefaultTimeout() const { return m_defaultTimeout; }
    int ReadyTimeout() const { return m_readyTimeout; }
    int PortNumber() const { return m_portNumber; }
    const std::string& PortDevice() const { return m_device; }
    const std::string& PortSettings() const { return m_settings; }
    IPort& Port() { return *m_port; }
    // One step of the state machine; the timer calls it, tests may too.
    void Step();

    // Coverage of a read as sets: 0 when the received addresses are exactly those of the
    // range list, 9 when any lies outside it, else 8.
    static int CheckCoverage(const cmcBuff& received, const int32_t* ranges, int32_t imageSize);
    // The ranges of a list up to its terminator; false when a range leaves [0, imageSize).
    static bool RangesInside(const int32_t* ranges, int32_t imageSize);

protected:
    // For states the base does not know: the next state (base: 0); set progress when the
    // step moved the operation on.
    virtual int StepExtra(int state, bool& progress);
    // The first state after the port has opened, for a derived operation (base: 5).
    virtual int FirstStateFor(int operation);
    bool Begin(int operation, Callback callback, void* context);
    void SendBytes(const uint8_t* bytes, int32_t length);
    void SendBytes(const CloneFrames::Bytes& bytes)
    {
        SendBytes(bytes.data(), static_cast<int32_t>(bytes.size()));
    }
    // Reads what has arrived (at most 256 bytes) into the receive buffer; the count read.
    int32_t ReadIn();
    // Takes complete frames from the receive buffer; true when an answer was found.
    bool ExtractAnswer(CloneFrames::Bytes& answer);
    dst_CDrv_Result* ResultRecord() { return m_result.get(); }
    // Restarts the time-out of the current state (a derived state that waits on purpose).
    void RestartTimeout() { m_timeout.Start(static_cast<uint32_t>(m_defaultTimeout)); }

private:
    static void OnStep(void* context, cmcTask* task);
    int Run(int state, bool& progress);
    int RunScript(bool& progress);
    int OpenPort();
    bool OpenWith(const std::string& settings);
    void FlushInput();
    void DetectEcho();
    void Wait(uint32_t ms);
    int Receive(bool& progress);
    int ProcessFrame(const CloneFrames::Bytes& frame, bool& progress);
    int SendData(bool& progress);
    bool HoldsFrames() const { return m_frameBuffer.Size() > 0; }
    void SendHeldFrames();
    uint32_t TimeoutFor(int state) const;
    void Finish();

    std::unique_ptr<IPort> m_ownPort;
    IPort* m_port;
    cmcTask* m_task = nullptr;

    int m_modelCode = 0, m_subCode = 0;
    int32_t m_imageSize = 1;
    int m_portNumber = 1;
    int m_lastPortNumber = 1;
    std::string m_device;
    std::string m_settings = "9600,n,8,1";
    int m_stepMs = 10;
    int m_requestPreamble = 0;
    int m_firstPreamble = 0, m_laterPreamble = 0;
    bool m_endWithCount = true;
    bool m_echoDetection = true;
    bool m_waitReady = false;
    int m_pageSize = 0, m_pageOffset = 0;
    std::string m_script;
    int m_bytesPerFrame = 16;
    int m_defaultTimeout = 1000, m_scriptTimeout = 1000, m_infoTimeout = 1000;
    int m_readyTimeout = 1000, m_endTimeout = 2000;
    std::function<void(uint32_t)> m_waiter;

    int m_state = StIdle;
    int m_operation = 0;
    std::vector<int32_t> m_ranges;  // pairs, without the terminator
    size_t m_range = 0;             // index of the current pair of a write
    int32_t m_address = 0;
    int32_t m_frames = 0;
    int32_t m_rawBytes = 0;
    int32_t m_dataBytes = 0;
    bool m_echo = false;
    cmcBuff m_receive;
    cmcBuff m_frameBuffer;
    cmcBuff m_expectedEcho;
    CloneFrames::Splitter m_splitter;
    cmcTick m_timeout;
    Callback m_callback = nullptr;
    void* m_context = nullptr;
    std::unique_ptr<dst_CDrv_Result> m_result;
};
