#include "link/cmcCloneDrv.h"

#include <time.h>

#include <algorithm>

#include "common/cmcTask.h"
#include "link/IPort.h"
#include "link/cmcComm.h"

namespace {

constexpr int32_t kReadChunk = 256;
constexpr int kFramesPerStep = 8;
// Ranges longer than this are not a range list but damage.
constexpr int kMaxRanges = 4096;

// The pairs of a range list up to its terminator (last below first).
std::vector<int32_t> Pairs(const int32_t* ranges)
{
    std::vector<int32_t> out;
    for (int i = 0; ranges && i < kMaxRanges; ++i) {
        const int32_t first = ranges[2 * i], last = ranges[2 * i + 1];
        if (last < first)
            break;
        out.push_back(first);
        out.push_back(last);
    }
    return out;
}

bool Bit(const cmcBuff& bitmap, int32_t a)
{
    const int32_t byte = a / 8;
    return byte < bitmap.Size() && (bitmap.Data()[byte] >> (a % 8) & 1) != 0;
}

}  // namespace

cmcCloneDrv::cmcCloneDrv(IPort* port) : m_port(port), m_task(new cmcTask)
{
    if (!m_port) {
        m_ownPort = std::make_unique<cmcComm>();
        m_port = m_ownPort.get();
    }
    m_task->SetHandler(&cmcCloneDrv::OnStep, this);
}

cmcCloneDrv::~cmcCloneDrv()
{
    cmcTask::Dispose(m_task);
    m_port->Close();
}

void cmcCloneDrv::SetCodes(int modelCode, int subCode)
{
    m_modelCode = modelCode;
    m_subCode = subCode;
}

void cmcCloneDrv::SetImageSize(int32_t size)
{
    m_imageSize = std::max<int32_t>(size, 1);
}

void cmcCloneDrv::SetPortNumber(int n)
{
    m_portNumber = n;
}

void cmcCloneDrv::SetPortDevice(const std::string& path)
{
    // Another cable may echo differently: probe again.
    if (path != m_device)
        m_echo = false;
    m_device = path;
}

void cmcCloneDrv::SetDataPreambles(int first, int later)
{
    m_firstPreamble = std::max(first, 0);
    m_laterPreamble = std::max(later, 0);
}

void cmcCloneDrv::SetPageSize(int size)
{
    if (size > 0)
        m_pageSize = size;
}

void cmcCloneDrv::SetPageOffset(int offset)
{
    if (offset > 0)
        m_pageOffset = offset;
}

#define QV_TIMEOUT_SETTER(name, field) \
    void cmcCloneDrv::name(int ms)     \
    {                                  \
        if (ms > 0)                    \
            field = ms;                \
    }
QV_TIMEOUT_SETTER(SetDefaultTimeout, m_defaultTimeout)
QV_TIMEOUT_SETTER(SetScriptTimeout, m_scriptTimeout)
QV_TIMEOUT_SETTER(SetInfoTimeout, m_infoTimeout)
QV_TIMEOUT_SETTER(SetReadyTimeout, m_readyTimeout)
QV_TIMEOUT_SETTER(SetEndTimeout, m_endTimeout)
#undef QV_TIMEOUT_SETTER

void cmcCloneDrv::SetRtsMode(int mode)
{
    m_port->SetRtsMode(mode);
}

bool cmcCloneDrv::RangesInside(const int32_t* ranges, int32_t imageSize)
{
    if (!ranges)
        return false;
    int i = 0;
    for (; i < kMaxRanges; ++i) {
        const int32_t first = ranges[2 * i], last = ranges[2 * i + 1];
        if (last < first)
            return true;
        if (first < 0 || last >= imageSize)
            return false;
    }
    return false;
}

int cmcCloneDrv::CheckCoverage(const cmcBuff& received, const int32_t* ranges, int32_t imageSize)
{
    const std::vector<int32_t> pairs = Pairs(ranges);
    auto inRanges = [&](int32_t a) {
        for (size_t i = 0; i < pairs.size(); i += 2) {
            if (a >= pairs[i] && a <= pairs[i + 1])
                return true;
        }
        return false;
    };
    bool missing = false;
    const int32_t bits = std::max(imageSize, received.Size() * 8);
    for (int32_t a = 0; a < bits; ++a) {
        const bool got = Bit(received, a);
        const bool want = a < imageSize && inRanges(a);
        if (got && !want)
            return ResOutside;
        if (want && !got)
            missing = true;
    }
    return missing ? ResIncomplete : ResOk;
}

bool cmcCloneDrv::Begin(int operation, Callback callback, void* context)
{
    if (IsBusy())
        return false;
    m_operation = operation;
    m_frames = m_rawBytes = m_dataBytes = 0;
    m_range = 0;
    m_address = m_ranges.size() >= 2 ? m_ranges[0] : 0;
    m_receive.Clear();
    m_frameBuffer.Clear();
    m_expectedEcho.Clear();
    m_splitter.Reset();
    m_result = std::make_unique<dst_CDrv_Result>();
    m_result->operation = operation;
    m_result->result = ResNoPort;
    m_result->modelCode = m_modelCode;
    m_result->subCode = m_subCode;
    m_result->image.SetSize(m_imageSize);
    m_result->image.Fill(0);
    m_result->received.AppendFill(0, (m_imageSize + 7) / 8);
    m_callback = callback;
    m_context = context;
    m_state = StStart;
    m_timeout.Start(static_cast<uint32_t>(m_defaultTimeout));
    m_task->SetInterval(m_stepMs);
    return true;
}

bool cmcCloneDrv::StartInfo(Callback callback, void* context)
{
    if (IsBusy())
        return false;
    m_ranges.clear();
    return Begin(OpInfo, callback, context);
}

bool cmcCloneDrv::StartRead(const int32_t* ranges, Callback callback, void* context)
{
    if (IsBusy() || !RangesInside(ranges, m_imageSize))
        return false;
    m_ranges = Pairs(ranges);
    return Begin(OpRead, callback, context);
}

bool cmcCloneDrv::StartWrite(const cmcEeprom& image, const int32_t* ranges, Callback callback,
                             void* context)
{
    if (IsBusy() || !RangesInside(ranges, std::min(m_imageSize, image.GetSize())))
        return false;
    m_ranges = Pairs(ranges);
    if (!Begin(OpWrite, callback, context))
        return false;
    m_result->image.SetBlock(0, image.Data(), std::min(m_imageSize, image.GetSize()));
    return true;
}

void cmcCloneDrv::OnStep(void* context, cmcTask*)
{
    static_cast<cmcCloneDrv*>(context)->Step();
}

void cmcCloneDrv::Wait(uint32_t ms)
{
    if (m_waiter) {
        m_waiter(ms);
        return;
    }
    cmcTick tick;
    tick.Start(ms);
    while (tick.Remaining() > 0) {
        const timespec pause{0, 1000000};
        nanosleep(&pause, nullptr);
    }
}

void cmcCloneDrv::SendBytes(const uint8_t* bytes, int32_t length)
{
    if (length <= 0)
        return;
    m_port->Send(bytes, length);
    m_rawBytes += length;
    if (m_echo)
        m_expectedEcho.AppendBytes(bytes, length);
}

int32_t cmcCloneDrv::ReadIn()
{
    uint8_t area[kReadChunk];
    const int32_t n = m_port->Read(area, kReadChunk);
    if (n > 0) {
        m_receive.AppendBytes(area, n);
        m_rawBytes += n;
    }
    return n > 0 ? n : 0;
}

bool cmcCloneDrv::ExtractAnswer(CloneFrames::Bytes& answer)
{
    ReadIn();
    bool found = false;
    while (m_receive.Size() > 0) {
        const auto got = m_splitter.Put(static_cast<uint8_t>(m_receive.PopFront()));
        if (got == CloneFrames::Splitter::Got::Frame) {
            answer = m_splitter.frame();
            found = true;
        } else if (got == CloneFrames::Splitter::Got::Overlong) {
            answer.assign(1, 0x00);  // fails every check
            return true;
        }
    }
    return found;
}

uint32_t cmcCloneDrv::TimeoutFor(int state) const
{
    switch (state) {
        case StScript:
            return static_cast<uint32_t>(m_script.empty() ? m_defaultTimeout : m_scriptTimeout);
        case StInfoReply:
            return static_cast<uint32_t>(m_infoTimeout);
        case StFirstReady:
            return static_cast<uint32_t>(m_readyTimeout);
        case StEndAck:
            return static_cast<uint32_t>(m_endTimeout);
        default:
            return static_cast<uint32_t>(m_defaultTimeout);
    }
}

void cmcCloneDrv::Step()
{
    if (m_state == StIdle) {
        m_task->SetInterval(-1);
        return;
    }
    const bool expired = m_timeout.Remaining() == 0;
    if (m_portNumber != m_lastPortNumber) {
        m_echo = false;
        m_lastPortNumber = m_portNumber;
    }
    const int state = m_state;
    int next = state;
    bool progress = false;
    bool run = true;

    if (m_echo && state != StDrain) {
        if (m_expectedEcho.Size() > 0) {
            ReadIn();
            while (m_receive.Size() > 0 && m_expectedEcho.Size() > 0) {
                if (m_receive.Data()[0] != m_expectedEcho.Data()[0]) {
                    m_result->result = ResEcho;
                    next = StDrain;
                    run = false;
                    break;
                }
                m_receive.PopFront();
                m_expectedEcho.PopFront();
                progress = true;
            }
        }
        const int32_t allowed = state == StSend ? 128 : 0;
        if (run && m_expectedEcho.Size() > allowed)
            run = false;
    } else if (!m_echo) {
        m_expectedEcho.Clear();
    }

    if (run)
        next = Run(state, progress);

    if (next != state || progress) {
        m_timeout.Start(TimeoutFor(next));
    } else if (expired) {
        m_result->result = m_echo && m_expectedEcho.Size() > 0 ? ResEcho : ResTimeout;
        // A time-out while draining ends the operation rather than waiting again.
        next = state == StDrain ? StFinish : StDrain;
    }
    m_state = next;

    if (m_receive.Size() > 4096 || m_receive.FrontGap() > 4096)
        m_receive.Compact();
    if (m_expectedEcho.Size() > 4096 || m_expectedEcho.FrontGap() > 4096)
        m_expectedEcho.Compact();

    if (m_state != StIdle && m_state != StFinish && m_port->WriteError()) {
        m_result->result = ResWriteFailed;
        m_state = StFinish;
    }
    if (m_state == StFinish)
        Finish();
}

int cmcCloneDrv::Run(int state, bool& progress)
{
    CloneFrames::Bytes answer;
    switch (state) {
        case StStart:
            progress = true;
            return StScript;
        case StScript:
            return RunScript(progress);
        case StOpen:
            progress = true;
            return OpenPort();
        case StInfoRequest:
            SendBytes(CloneFrames::Request(CloneFrames::kCmdInfo, m_modelCode, m_subCode,
                                           m_requestPreamble));
            m_splitter.Reset();
            progress = true;
            return StInfoReply;
        case StInfoReply: {
            if (!ExtractAnswer(answer))
                return state;
            int model = 0, sub = 0;
            CloneFrames::Bytes info;
            m_result->result = CloneFrames::DecodeInfo(answer, model, sub, info);
            if (m_result->result == ResOk) {
                m_result->modelCode = model;
                m_result->subCode = sub;
                m_result->info.Set(info.data(), static_cast<int32_t>(info.size()));
            }
            return StDrain;
        }
        case StReadRequest:
            SendBytes(CloneFrames::Request(CloneFrames::kCmdRead, m_modelCode, m_subCode,
                                           m_requestPreamble));
            m_splitter.Reset();
            progress = true;
            return StReceive;
        case StReceive:
            return Receive(progress);
        case StWriteRequest:
            SendBytes(CloneFrames::Request(CloneFrames::kCmdWrite, m_modelCode, m_subCode,
                                           m_requestPreamble));
            m_splitter.Reset();
            progress = true;
            return m_waitReady ? StFirstReady : StSend;
        case StFirstReady:
        case StPageReady:
            ReadIn();
            while (m_receive.Size() > 0) {
                const int byte = m_receive.PopFront();
                if (byte == CloneFrames::kReady) {
                    progress = true;
                    // Go on sending in this step: the line stays busy.
                    return SendData(progress);
                }
                if (byte == CloneFrames::kRefused) {
                    m_result->result = ResFrame;
                    return StDrain;
                }
            }
            return state;
        case StSend:
            return SendData(progress);
        case StEnd:
            SendBytes(CloneFrames::EndFrame(m_endWithCount, m_frames, false));
            m_splitter.Reset();
            progress = true;
            return StEndAck;
        case StEndAck:
            if (!ExtractAnswer(answer))
                return state;
            m_result->result = CloneFrames::IsEndAck(answer) ? ResOk : ResNoEndAck;
            return StDrain;
        case StDrain:
            // Waiting for the line is not progress.
            return m_port->PendingCount() > 0 ? state : StFinish;
        default:
            return StepExtra(state, progress);
    }
}

int cmcCloneDrv::RunScript(bool& progress)
{
    if (m_script.empty())
        return m_port->PendingCount() > 0 ? StScript : StOpen;
    progress = true;
    if (m_script[0] == '(') {
        const size_t close = m_script.find(')');
        const std::string settings =
            m_script.substr(1, close == std::string::npos ? std::string::npos : close - 1);
        m_script.erase(0, close == std::string::npos ? m_script.size() : close + 1);
        m_port->Close();
        if (!OpenWith(settings)) {
            m_result->result = ResNoPort;
            m_script.clear();
            return StDrain;
        }
        FlushInput();
        return StScript;
    }
    const size_t open = m_script.find('(');
    const std::string piece = m_script.substr(0, open);
    m_script.erase(0, open == std::string::npos ? m_script.size() : open);
    SendBytes(CloneFrames::HexToBytes(piece));
    return StScript;
}

bool cmcCloneDrv::OpenWith(const std::string& settings)
{
    if (!m_device.empty())
        return m_port->OpenDevice(m_device, settings);
    return m_port->Open(m_portNumber, settings);
}

int cmcCloneDrv::OpenPort()
{
    m_port->Close();
    if (!OpenWith(m_settings)) {
        m_result->result = ResNoPort;
        return StDrain;
    }
    FlushInput();
    if (m_echoDetection)
        DetectEcho();
    switch (m_operation) {
        case OpInfo:
            return StInfoRequest;
        case OpRead:
            return StReadRequest;
        case OpWrite:
            return StWriteRequest;
        default:
            return FirstStateFor(m_operation);
    }
}

void cmcCloneDrv::FlushInput()
{
    // A radio or cable may send garbage when powered or plugged in.
    m_port->PurgeInput();
    Wait(100);
    uint8_t area[kReadChunk];
    for (int32_t total = 0; total < 65535;) {
        const int32_t n = m_port->Read(area, std::min<int32_t>(kReadChunk, 65535 - total));
        if (n <= 0)
            break;
        total += n;
    }
}

void cmcCloneDrv::DetectEcho()
{
    uint8_t area[kReadChunk];
    Wait(100);
    cmcTick window;
    window.Start(100);
    while (window.Remaining() > 0) {
        m_port->Read(area, kReadChunk);
        Wait(5);
    }
    m_port->Read(area, kReadChunk);
    static const uint8_t probe[4] = {0xFE, 0xFE, 0xFE, 0xFE};
    for (int attempt = 0; attempt < 2; ++attempt) {
        m_port->Send(probe, 4);
        m_rawBytes += 4;
        int seen = 0;
        window.Start(100);
        while (seen < 4) {
            const int32_t n = m_port->Read(area, 4 - seen);
            for (int32_t i = 0; i < n; ++i)
                seen += area[i] == 0xFE ? 1 : 0;
            if (seen >= 4 || window.Remaining() == 0)
                break;
            Wait(5);
        }
        if (seen >= 4) {
            m_echo = true;
            return;
        }
        if (seen == 0) {
            m_echo = false;
            return;
        }
    }
    m_echo = true;
}

int cmcCloneDrv::Receive(bool& progress)
{
    ReadIn();
    while (m_receive.Size() > 0) {
        const auto got = m_splitter.Put(static_cast<uint8_t>(m_receive.PopFront()));
        if (got == CloneFrames::Splitter::Got::Overlong) {
            m_result->result = ResFrame;
            return StDrain;
        }
        if (got != CloneFrames::Splitter::Got::Frame)
            continue;
        const int end = ProcessFrame(m_splitter.frame(), progress);
        if (end >= 0) {
            m_result->result = end;
            return StDrain;
        }
    }
    return StReceive;
}

int cmcCloneDrv::ProcessFrame(const CloneFrames::Bytes& frame, bool& progress)
{
    const int size = static_cast<int>(frame.size());
    if (size <= 11 || size >= 523 || frame[0] != CloneFrames::kPreamble ||
        frame[1] != CloneFrames::kProgram || frame[2] != CloneFrames::kRadio)
        return ResFrame;
    if (frame[3] == CloneFrames::kCmdData) {
        CloneFrames::Data data;
        if (CloneFrames::DecodeData(frame.data() + 4, size - 4, data) != 0)
            return ResFrame;
        const int32_t first = static_cast<int32_t>(data.address);
        if (first + data.count > std::min(m_imageSize, m_result->image.GetSize()))
            return ResOutside;
        m_result->image.SetBlock(first, data.bytes.data(), data.count);
        for (int32_t a = first; a < first + data.count; ++a)
            m_result->received.Data()[a / 8] |= static_cast<uint8_t>(1u << (a % 8));
        m_dataBytes += data.count;
        ++m_frames;
        progress = true;
        return -1;
    }
    if (frame[3] == CloneFrames::kCmdEnd) {
        const int end = CloneFrames::CheckEnd(frame, m_endWithCount, m_frames);
        if (end != 0)
            return end;
        if (m_operation != OpRead)
            return ResOk;
        std::vector<int32_t> list = m_ranges;
        list.push_back(1);
        list.push_back(0);
        return CheckCoverage(m_result->received, list.data(), m_imageSize);
    }
    return ResFrame;
}

void cmcCloneDrv::SendHeldFrames()
{
    if (!HoldsFrames())
        return;
    m_port->Send(m_frameBuffer.Data(), m_frameBuffer.Size());
    if (m_echo)
        m_expectedEcho.Append(m_frameBuffer);
    m_frameBuffer.Clear();
}

int cmcCloneDrv::SendData(bool& progress)
{
    for (int k = 0; k < kFramesPerStep; ++k) {
        if (m_range * 2 >= m_ranges.size()) {
            // Everything is built: nothing may stay held back before the end frame.
            SendHeldFrames();
            return m_port->PendingCount() > 0 ? StSend : StEnd;
        }
        const int32_t first = m_ranges[m_range * 2], last = m_ranges[m_range * 2 + 1];
        if (m_address > last) {
            ++m_range;
            if (m_range * 2 < m_ranges.size())
                m_address = m_ranges[m_range * 2];
            continue;
        }
        const int32_t a = m_address;
        const int32_t n = std::min<int32_t>(m_bytesPerFrame - a % m_bytesPerFrame, last - a + 1);
        const CloneFrames::Bytes frame =
            CloneFrames::DataFrame(static_cast<uint32_t>(a), m_result->image.Data() + a, n, false,
                                   m_frames == 0 ? m_firstPreamble : m_laterPreamble);
        m_frameBuffer.AppendBytes(frame.data(), static_cast<int32_t>(frame.size()));
        m_rawBytes += static_cast<int32_t>(frame.size());
        m_dataBytes += n;
        ++m_frames;
        m_address += n;
        progress = true;
        // Hold frames back while the line is still busy, so page acknowledgements come in time.
        if (m_port->PendingCount() <= 4 * m_frameBuffer.Size())
            SendHeldFrames();
        if (m_pageSize > 0 && m_address != first && m_address % m_pageSize == m_pageOffset) {
            // The radio acknowledges a page only when it has all of it.
            SendHeldFrames();
            return StPageReady;
        }
    }
    return StSend;
}

int cmcCloneDrv::StepExtra(int, bool&)
{
    // A state nobody knows still ends through the callback.
    return StDrain;
}

int cmcCloneDrv::FirstStateFor(int)
{
    return StInfoRequest;
}

void cmcCloneDrv::Finish()
{
    m_port->Close();
    m_state = StIdle;
    m_task->SetInterval(-1);
    std::unique_ptr<dst_CDrv_Result> result = std::move(m_result);
    const Callback callback = m_callback;
    void* context = m_context;
    m_callback = nullptr;
    m_context = nullptr;
    m_receive.Clear();
    m_frameBuffer.Clear();
    m_expectedEcho.Clear();
    m_splitter.Reset();
    if (callback)
        callback(context, result.get());
}
