#include "link/CloneFrames.h"

#include <algorithm>
#include <cstdio>

#include "platform/TextUtil.h"

namespace CloneFrames {

namespace {

// Upper-case digits only: the radio never sends anything else inside a data frame.
int StrictHexValue(uint8_t c)
{
    return (c >= 'a' && c <= 'f') ? -1 : txt::HexDigit(static_cast<char>(c));
}

void AppendText(Bytes& out, const std::string& text)
{
    out.insert(out.end(), text.begin(), text.end());
}

void Header(Bytes& out, bool fromRadio, uint8_t command)
{
    out.push_back(kPreamble);
    out.push_back(kPreamble);
    out.push_back(fromRadio ? kProgram : kRadio);
    out.push_back(fromRadio ? kRadio : kProgram);
    out.push_back(command);
}

bool IsRadioFrame(const Bytes& frame, uint8_t command)
{
    return frame.size() >= 4 && frame[0] == kPreamble && frame[1] == kProgram &&
           frame[2] == kRadio && frame[3] == command;
}

}  // namespace

Bytes HexToBytes(std::string_view text)
{
    return txt::HexToBytes(text);
}

Bytes Request(uint8_t command, int modelCode, int subCode, int preamble)
{
    Bytes out(static_cast<size_t>(preamble > 0 ? preamble : 0), kPreamble);
    Header(out, false, command);
    out.push_back(static_cast<uint8_t>(modelCode >> 8));
    out.push_back(static_cast<uint8_t>(modelCode));
    out.push_back(static_cast<uint8_t>(subCode >> 8));
    out.push_back(static_cast<uint8_t>(subCode));
    out.push_back(kEnd);
    return out;
}

uint8_t Checksum(uint32_t address, const uint8_t* data, int count)
{
    uint32_t sum = (address & 0xFF) + ((address >> 8) & 0xFF) + static_cast<uint32_t>(count);
    for (int i = 0; i < count; ++i)
        sum += data[i];
    return static_cast<uint8_t>(0x100 - (sum & 0xFF));
}

Bytes DataFrame(uint32_t address, const uint8_t* data, int count, bool fromRadio, int preamble)
{
    Bytes out(static_cast<size_t>(preamble > 0 ? preamble : 0), kPreamble);
    Header(out, fromRadio, kCmdData);
    AppendText(out, txt::Format("%04X%02X", address & 0xFFFF, count & 0xFF));
    for (int i = 0; i < count; ++i)
        AppendText(out, txt::Format("%02X", data[i]));
    AppendText(out, txt::Format("%02X", Checksum(address, data, count)));
    out.push_back(kEnd);
    return out;
}

Bytes EndFrame(bool withCount, int frameCount, bool fromRadio)
{
    Bytes out;
    Header(out, fromRadio, kCmdEnd);
    out.insert(out.end(), kMakerText.begin(), kMakerText.end());
    if (withCount)
        AppendText(out, txt::Format("%02X", frameCount & 0xFF));
    out.push_back(kEnd);
    return out;
}

int DecodeData(const uint8_t* text, int length, Data& out)
{
    // An odd number of characters, or of decoded bytes, is a damaged frame.
    if (length < 8 || (length & 3) != 0)
        return 6;
    Bytes bytes;
    bytes.reserve(static_cast<size_t>(length / 2));
    for (int i = 0; i < length; i += 2) {
        const int hi = StrictHexValue(text[i]);
        const int lo = StrictHexValue(text[i + 1]);
        if (hi < 0 || lo < 0)
            return 6;
        bytes.push_back(static_cast<uint8_t>(hi << 4 | lo));
    }
    const int count = bytes[2];
    if (static_cast<int>(bytes.size()) != count + 4)
        return 6;
    uint32_t sum = 0;
    for (uint8_t b : bytes)
        sum += b;
    if ((sum & 0xFF) != 0)
        return 6;
    out.address = static_cast<uint32_t>(bytes[0]) << 8 | bytes[1];
    out.count = count;
    out.bytes.assign(bytes.begin() + 3, bytes.begin() + 3 + count);
    return 0;
}

int DecodeInfo(const Bytes& frame, int& modelCode, int& subCode, Bytes& info)
{
    if (frame.size() < 8 || !IsRadioFrame(frame, kCmdInfoReply))
        return 6;
    for (size_t i = 4; i < 8; ++i) {
        if ((frame[i] >> 4) > 9 || (frame[i] & 0x0F) > 9)
            return 6;
    }
    modelCode = frame[4] << 8 | frame[5];
    subCode = frame[6] << 8 | frame[7];
    info.assign(frame.begin() + 8, frame.end());
    return 0;
}

int CheckEnd(const Bytes& frame, bool withCount, int framesReceived)
{
    if (!IsRadioFrame(frame, kCmdEnd))
        return 6;
    const size_t body = frame.size() - 4;
    const size_t want = kMakerText.size() + (withCount ? 2 : 0);
    if (body != want)
        return 6;
    if (!std::equal(kMakerText.begin(), kMakerText.end(), frame.begin() + 4))
        return 6;
    if (withCount) {
        const std::string count = txt::Format("%02X", framesReceived & 0xFF);
        const auto at = frame.begin() + 4 + static_cast<long>(kMakerText.size());
        if (!std::equal(count.begin(), count.end(), at))
            return 7;
    }
    return 0;
}

bool IsEndAck(const Bytes& frame)
{
    return frame.size() == 5 && IsRadioFrame(frame, kCmdEndAck) && frame[4] == 0x00;
}

Splitter::Got Splitter::Put(uint8_t byte)
{
    if (byte == kPreamble) {
        m_frame.assign(1, kPreamble);
        m_open = true;
        return Got::Nothing;
    }
    if (!m_open)
        return Got::Nothing;
    if (byte == kEnd) {
        m_open = false;
        return Got::Frame;
    }
    if (static_cast<int>(m_frame.size()) >= kMaxFrame) {
        Reset();
        return Got::Overlong;
    }
    m_frame.push_back(byte);
    return Got::Nothing;
}

}  // namespace CloneFrames
