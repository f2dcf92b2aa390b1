#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The frames of the radio's cloning protocol as pure functions on bytes. A frame sent by
// the program starts FE FE EE EF, one sent by the radio FE FE EF EE; every frame ends with
// FD, and neither FE nor FD occurs inside a frame: data travels as hexadecimal text.
namespace CloneFrames {

using Bytes = std::vector<uint8_t>;

constexpr uint8_t kPreamble = 0xFE;
constexpr uint8_t kEnd = 0xFD;
constexpr uint8_t kReady = 0xFB;
constexpr uint8_t kRefused = 0xFA;
constexpr uint8_t kProgram = 0xEF;
constexpr uint8_t kRadio = 0xEE;
constexpr uint8_t kCmdInfo = 0xE0;
constexpr uint8_t kCmdInfoReply = 0xE1;
constexpr uint8_t kCmdRead = 0xE2;
constexpr uint8_t kCmdWrite = 0xE3;
constexpr uint8_t kCmdData = 0xE4;
constexpr uint8_t kCmdEnd = 0xE5;
constexpr uint8_t kCmdEndAck = 0xE6;
constexpr uint8_t kCmdMode = 0xE8;
// The maker text of the end frame.
constexpr std::string_view kMakerText = "Tavo Inc.";
// A frame (from its last FE, without FD) never holds more than this.
constexpr int kMaxFrame = 521;

// Hexadecimal text to bytes: digits of either case pair up, high digit first; any other
// character is skipped; a digit left over at the end becomes a byte with it in the high half.
Bytes HexToBytes(std::string_view text);

// A request (E0 info, E2 read, E3 write) with preamble extra FE bytes in front.
Bytes Request(uint8_t command, int modelCode, int subCode, int preamble);
// The sum check that makes all decoded bytes of a data frame add up to 0.
uint8_t Checksum(uint32_t address, const uint8_t* data, int count);
// A data frame for count bytes at address; fromRadio picks the direction of the header.
Bytes DataFrame(uint32_t address, const uint8_t* data, int count, bool fromRadio, int preamble = 0);
// The end frame; with the count it carries frameCount mod 256 as two hexadecimal digits.
Bytes EndFrame(bool withCount, int frameCount, bool fromRadio);

// A data frame's body taken apart.
struct Data {
    uint32_t address = 0;
    int count = 0;
    Bytes bytes;
};
// Decodes the hexadecimal body of a data frame (the text after E4, without FD):
// 0 when well formed (upper-case digits only, an even number of decoded bytes,
// address, count, count bytes and a zero sum), else 6.
int DecodeData(const uint8_t* text, int length, Data& out);

// A frame as the extraction keeps it: from its last FE up to, not including, FD
// (FE EF EE cmd ... for a radio's frame). Checks of the radio's answers:
// The identification answer: 0 with model, sub code and information bytes, else 6.
int DecodeInfo(const Bytes& frame, int& modelCode, int& subCode, Bytes& info);
// The end of a read: 0, 6 (not an end frame of the right form) or 7 (wrong count).
int CheckEnd(const Bytes& frame, bool withCount, int framesReceived);
// The end acknowledgement FE EF EE E6 00.
bool IsEndAck(const Bytes& frame);

// Splits a byte stream into frames: FE starts a frame (dropping a partial one), bytes
// outside a frame are ignored, FD completes it. A frame that grows beyond kMaxFrame is
// abandoned and reported as overlong.
class Splitter {
public:
    enum class Got { Nothing, Frame, Overlong };
    // Takes one byte; on Frame, frame() holds the completed frame.
    Got Put(uint8_t byte);
    const Bytes& frame() const { return m_frame; }
    bool open() const { return m_open; }
    void Reset()
    {
        m_frame.clear();
        m_open = false;
    }

private:
    Bytes m_frame;
    bool m_open = false;
};

}  // namespace CloneFrames
