#include "RadioSim.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace {

using CloneFrames::Bytes;

void Append(std::vector<uint8_t>& out, const Bytes& b)
{
    out.insert(out.end(), b.begin(), b.end());
}

}  // namespace

RadioSim::RadioSim() : m_eeprom(DefaultEeprom()) {}

std::vector<uint8_t> RadioSim::DefaultEeprom()
{
    std::vector<uint8_t> e(kEepromSize);
    for (size_t a = 0; a < e.size(); ++a)
        e[a] = static_cast<uint8_t>((a * 7 + (a >> 8) * 13) & 0xFF);
    // The identity fields a radio of this model carries: model code, the fixed 1, the
    // maker trailers, the second model code, and the end and base of the packed data.
    const uint8_t head[] = {0x32, 0x85, 0x01};
    std::copy(std::begin(head), std::end(head), e.begin());
    const char trailer[] = "TAVO Inc";
    std::copy(trailer, trailer + 8, e.begin() + 0x0100);
    e[0x0108] = 0x00;
    e[0x010A] = 0x32;
    e[0x010B] = 0x85;
    e[0x0112] = 0x07;  // end of the packed data: 0708
    e[0x0113] = 0x08;
    e[0x0114] = 0x01;  // base: 0180
    e[0x0115] = 0x80;
    std::copy(trailer, trailer + 8, e.begin() + 0x0700);
    return e;
}

indCloneInfo RadioSim::DefaultInfo()
{
    indCloneInfo info;
    info.model[0] = 0x00;
    info.model[1] = 0x01;
    info.revision = 0x12;
    info.comment1 = "TM5150Q";
    info.comment2 = "SIMULATED RADIO";
    info.serial = "04D20C00007B";
    info.checkSum = "3A5C";
    return info;
}

std::vector<uint8_t> RadioSim::InfoBytes() const
{
    indCloneInfo info = m_config.info;
    info.format = static_cast<uint8_t>(m_config.infoByte3);
    info.password = static_cast<uint8_t>(m_config.infoByte15);
    char end[8];
    std::snprintf(end, sizeof end, "%04X", m_config.readEnd & 0xFFFF);
    info.readEnd = end;
    return info.Build();
}

bool RadioSim::Struck() const
{
    return (m_config.fault == Fault::DropAfter || m_config.fault == Fault::Disconnect) &&
           m_dataFrames >= m_config.dropAfter;
}

void RadioSim::Receive(const uint8_t* bytes, size_t n, std::vector<uint8_t>& out)
{
    if (m_disconnected)
        return;
    for (size_t i = 0; i < n; ++i) {
        const uint8_t b = bytes[i];
        if (m_config.fault == Fault::Echo) {
            out.push_back(b);
        } else if (m_config.fault == Fault::BadEcho) {
            // The probe comes back whole; now and then a byte of a frame does not.
            out.push_back(b != 0xFE && ++m_echoCount % 7 == 0 ? static_cast<uint8_t>(b ^ 0x01) : b);
        }
        if (m_splitter.Put(b) == CloneFrames::Splitter::Got::Frame)
            OnFrame(m_splitter.frame(), out);
        if (m_disconnected)
            return;
    }
}

void RadioSim::OnFrame(const Bytes& frame, std::vector<uint8_t>& out)
{
    // FE EE EF cmd ...: only frames addressed to the radio count.
    if (frame.size() < 4 || frame[1] != CloneFrames::kRadio || frame[2] != CloneFrames::kProgram)
        return;
    if (m_config.fault == Fault::Silence || m_dropped)
        return;
    switch (frame[3]) {
        case CloneFrames::kCmdMode:
            OnMode(frame, out);
            break;
        case CloneFrames::kCmdInfo:
            AnswerInfo(out);
            break;
        case CloneFrames::kCmdRead:
            AnswerRead(out);
            break;
        case CloneFrames::kCmdWrite:
            m_writing = true;
            m_writeFrames = 0;
            m_dataFrames = 0;
            m_refusedWrite = m_config.fault == Fault::Refuse || PasswordRefused();
            out.push_back(m_refusedWrite ? CloneFrames::kRefused : CloneFrames::kReady);
            log.push_back("write request");
            break;
        case CloneFrames::kCmdData:
            if (m_writing && !m_refusedWrite)
                OnWriteData(frame, out);
            break;
        case CloneFrames::kCmdEnd:
            if (m_writing && !m_refusedWrite)
                OnWriteEnd(frame, out);
            break;
        default:
            break;
    }
}

void RadioSim::OnMode(const Bytes& frame, std::vector<uint8_t>& out)
{
    // FE EE EF E8 mm mm ss ss kind ...
    if (frame.size() < 9)
        return;
    const uint8_t kind = frame[8];
    if (kind != 0x01 && kind != 0x99 && kind != 0x55) {
        // An adjustment command: the value as two hexadecimal characters.
        auto digit = [](uint8_t c) {
            return c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
        };
        if (frame.size() < 11 || digit(frame[9]) < 0 || digit(frame[10]) < 0) {
            log.push_back("damaged adjustment command");
            return;
        }
        OnAdjust(kind, digit(frame[9]) * 16 + digit(frame[10]), out);
        return;
    }
    if (kind == 0x01 && frame.size() >= 11) {
        // "27": go to 9600 after this frame; "09": go to 38400.
        if (frame[9] == '2' && frame[10] == '7')
            m_baud = 9600;
        else if (frame[9] == '0' && frame[10] == '9')
            m_baud = 38400;
    } else if (kind == 0x99 && frame.size() >= 11) {
        const size_t len = frame[9];
        password.clear();
        for (size_t i = 0; i < len && 11 + i < frame.size(); ++i)
            password += static_cast<char>(frame[11 + i]);
        log.push_back("password " + password);
        m_sessionPassword = password;
    } else if (kind == 0x55 && frame.size() >= 11) {
        lastMode = frame[10] == '1' ? 1 : 0;
    }
}

namespace {

int Plateau(int v, int lo, int hi, int slope)
{
    const int away = v < lo ? lo - v : v > hi ? v - hi : 0;
    return std::max(0, 200 - slope * away);
}

}  // namespace

uint8_t RadioSim::Reading(int channel) const
{
    if (channel == m_config.curveChannel) {
        const int v = adjust[lastCurveCommand];
        const int r = m_config.curveAt0 + (m_config.curveAt255 - m_config.curveAt0) * v / 255;
        return static_cast<uint8_t>(std::clamp(r, 0, 255));
    }
    if (channel == m_config.levelChannel) {
        const int p1 = Plateau(adjust[19], m_config.bpf1Lo, m_config.bpf1Hi, m_config.bpfSlope);
        const int p2 = Plateau(adjust[20], m_config.bpf2Lo, m_config.bpf2Hi, m_config.bpfSlope);
        return static_cast<uint8_t>((p1 + p2) / 2);
    }
    return channel >= 0 && channel < 20 ? m_config.adConstant[channel] : 0;
}

void RadioSim::OnAdjust(int command, int value, std::vector<uint8_t>& out)
{
    adjustLog.emplace_back(command, value);
    char line[48];
    std::snprintf(line, sizeof line, "adjust %d %d", command, value);
    log.push_back(line);
    if (command != kAdjReadAd) {
        adjust[command] = static_cast<uint8_t>(value);
        adjustSet[command] = true;
        if (command == 6 || command == 7)
            lastCurveCommand = command;
        return;
    }
    // A reading: the radio answers, unless it has fallen silent or the line misbehaves.
    if (m_config.silentAfterAnswers >= 0 && adAnswers >= m_config.silentAfterAnswers)
        return;
    if ((m_config.fault == Fault::DropAfter || m_config.fault == Fault::Disconnect) &&
        adAnswers >= m_config.dropAfter) {
        m_disconnected = m_config.fault == Fault::Disconnect;
        m_dropped = m_config.fault == Fault::DropAfter;
        return;
    }
    ++adAnswers;
    if (m_config.fault == Fault::Refuse) {
        out.push_back(CloneFrames::kRefused);
        return;
    }
    char digits[3];
    std::snprintf(digits, sizeof digits, m_config.fault == Fault::LowerHex ? "%02x" : "%02X",
                  Reading(value));
    if (m_config.fault == Fault::BadChecksum)
        digits[1] = 'G';
    const int model = m_config.fault == Fault::WrongCount ? 0x32A5 : m_config.modelCode;
    Append(out,
           {0xFE, 0xFE, CloneFrames::kProgram, CloneFrames::kRadio, CloneFrames::kCmdMode,
            static_cast<uint8_t>(model >> 8), static_cast<uint8_t>(model),
            static_cast<uint8_t>(m_config.subCode >> 8), static_cast<uint8_t>(m_config.subCode),
            static_cast<uint8_t>(command), static_cast<uint8_t>(digits[0]),
            static_cast<uint8_t>(digits[1]), CloneFrames::kEnd});
}

void RadioSim::AnswerInfo(std::vector<uint8_t>& out)
{
    ++infosAnswered;
    log.push_back("info");
    // With no frames to count, the drop and the pulled cable strike at the request.
    if (m_config.dropAfter <= 0 && m_config.fault == Fault::Disconnect) {
        m_disconnected = true;
        return;
    }
    if (m_config.dropAfter <= 0 && m_config.fault == Fault::DropAfter) {
        m_dropped = true;
        return;
    }
    if (m_config.fault == Fault::Refuse) {
        out.push_back(CloneFrames::kRefused);
        return;
    }
    Bytes frame = {0xFE, 0xFE, CloneFrames::kProgram, CloneFrames::kRadio,
                   CloneFrames::kCmdInfoReply};
    const int model = m_config.fault == Fault::BadChecksum ? 0x32A5 : m_config.modelCode;
    frame.push_back(static_cast<uint8_t>(model >> 8));
    frame.push_back(static_cast<uint8_t>(model));
    frame.push_back(static_cast<uint8_t>(m_config.subCode >> 8));
    frame.push_back(static_cast<uint8_t>(m_config.subCode));
    Append(frame, InfoBytes());
    frame.push_back(CloneFrames::kEnd);
    Append(out, frame);
}

bool RadioSim::PasswordRefused()
{
    const bool refused =
        !m_config.clonePassword.empty() && m_sessionPassword != m_config.clonePassword;
    m_sessionPassword.clear();
    if (refused)
        log.push_back("wrong clone password");
    return refused;
}

void RadioSim::AnswerRead(std::vector<uint8_t>& out)
{
    log.push_back("read");
    m_writing = false;
    m_dataFrames = 0;
    if (m_config.fault == Fault::Refuse || PasswordRefused()) {
        out.push_back(CloneFrames::kRefused);
        return;
    }
    const int end = std::min(m_config.readEnd, kEepromSize - 1);
    int frames = 0;
    for (int a = 0; a <= end; a += 16) {
        if (Struck()) {
            if (m_config.fault == Fault::Disconnect)
                m_disconnected = true;
            m_dropped = m_config.fault == Fault::DropAfter;
            return;
        }
        const int n = std::min(16, end - a + 1);
        Bytes frame =
            CloneFrames::DataFrame(static_cast<uint32_t>(a), m_eeprom.data() + a, n, true);
        if (m_config.fault == Fault::LowerHex) {
            for (size_t i = 5; i + 1 < frame.size(); ++i)
                frame[i] = static_cast<uint8_t>(frame[i] >= 'A' && frame[i] <= 'F' ? frame[i] + 32
                                                                                   : frame[i]);
        }
        if (m_config.fault == Fault::BadChecksum && frames == 3)
            frame[frame.size() - 2] = frame[frame.size() - 2] == '0' ? '1' : '0';
        Append(out, frame);
        ++frames;
        ++m_dataFrames;
    }
    Append(out, CloneFrames::EndFrame(true, frames + (m_config.fault == Fault::WrongCount ? 1 : 0),
                                      true));
    ++readsCompleted;
}

void RadioSim::OnWriteData(const Bytes& frame, std::vector<uint8_t>& out)
{
    if (Struck()) {
        if (m_config.fault == Fault::Disconnect)
            m_disconnected = true;
        m_dropped = m_config.fault == Fault::DropAfter;
        return;
    }
    CloneFrames::Data data;
    if (CloneFrames::DecodeData(frame.data() + 4, static_cast<int>(frame.size()) - 4, data) != 0 ||
        static_cast<int>(data.address) + data.count > kEepromSize) {
        out.push_back(CloneFrames::kRefused);
        m_refusedWrite = true;
        log.push_back("damaged data frame");
        return;
    }
    std::copy(data.bytes.begin(), data.bytes.end(), m_eeprom.begin() + data.address);
    if (m_config.fault == Fault::FlipStored && static_cast<int>(data.address) <= kFlipAddress &&
        kFlipAddress < static_cast<int>(data.address) + data.count)
        m_eeprom[kFlipAddress] ^= 0x01;
    ++m_writeFrames;
    ++m_dataFrames;
    // A page is acknowledged once the radio holds all of it.
    if ((data.address + static_cast<uint32_t>(data.count)) % 128 == 0)
        out.push_back(CloneFrames::kReady);
}

void RadioSim::OnWriteEnd(const Bytes& frame, std::vector<uint8_t>& out)
{
    m_writing = false;
    // FE EE EF E5 "Tavo Inc." count: the same form the program checks on a read.
    Bytes asRadio = frame;
    std::swap(asRadio[1], asRadio[2]);
    const int expected = m_writeFrames + (m_config.fault == Fault::WrongCount ? 1 : 0);
    const bool good = CloneFrames::CheckEnd(asRadio, true, expected) == 0;
    const bool damaged = m_config.fault == Fault::BadChecksum;
    Bytes ack = {0xFE,
                 0xFE,
                 CloneFrames::kProgram,
                 CloneFrames::kRadio,
                 CloneFrames::kCmdEndAck,
                 static_cast<uint8_t>(good && !damaged ? 0x00 : 0x01),
                 CloneFrames::kEnd};
    Append(out, ack);
    if (good)
        ++writesCompleted;
    log.push_back(good ? "write complete" : "write end refused");
}
