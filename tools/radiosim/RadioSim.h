#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "link/CloneFrames.h"
#include "model/indCloneInfo.h"

// The radio's side of the cloning protocol, as a byte machine: bytes from the program go
// in, the radio's answers (and, for an echoing cable, the echo) come out. It answers
// identification, clone read and clone write from its EEPROM and can misbehave in each
// way the program must survive. The line (pseudo-terminal or in-memory port) is not
// its business.
class RadioSim {
public:
    enum class Fault {
        None,
        Echo,         // the cable returns every byte sent to the radio
        BadEcho,      // ... but damages some of them
        Silence,      // the radio never answers
        BadChecksum,  // a data frame with a wrong sum; a damaged info or end answer
        LowerHex,     // data frames in lower-case hexadecimal
        WrongCount,   // the end frame counts one frame too many; a write's count is refused
        Refuse,       // FA instead of FB
        DropAfter,    // stops answering after N data frames
        Disconnect,   // the cable is pulled after N data frames
        FlipStored,   // a written byte (address kFlipAddress) is stored with its low bit flipped
    };
    static constexpr int kFlipAddress = 0x0200;
    static constexpr int kEepromSize = 0x0780;

    struct Config {
        Fault fault = Fault::None;
        int dropAfter = 8;  // data frames before DropAfter and Disconnect strike
        int modelCode = 0x3285;
        int subCode = 0;
        int readEnd = 0x077F;  // the last address a clone read delivers
        int infoByte3 = 0;     // identification byte 3 (above 1: a radio the program refuses)
        int infoByte15 = 0;    // identification byte 15 (bit 3: the radio wants a password)

        // Adjustment. Answers wait this long before they leave the radio (the line, not
        // the radio, applies it: the in-memory port and the pseudo-terminal).
        int answerDelayMs = 0;
        // After this many A/D answers the radio falls silent: it still takes settings but
        // answers no reading (-1: never).
        int silentAfterAnswers = -1;
        // A/D channels 0 to 19 that read a constant value.
        uint8_t adConstant[20] = {180, 120, 160, 90,  0,  0,   0,   0, 60, 70,
                                  80,  128, 100, 110, 40, 150, 140, 0, 0,  0};
        // One channel follows the last bisection item set (command 6 or 7): a straight line
        // from curveAt0 (setting 0) to curveAt255 (setting 255); falling when at 0 is higher.
        int curveChannel = 5;
        int curveAt0 = 20;
        int curveAt255 = 230;
        // One channel is the level behind the two band-pass filters (commands 19 and 20):
        // the mean of two plateaus, each flat at 200 from lo to hi and falling by slope per
        // step outside.
        int levelChannel = 4;
        int bpf1Lo = 90, bpf1Hi = 110;
        int bpf2Lo = 138, bpf2Hi = 150;
        int bpfSlope = 3;
        // The rest of the information block; read end and bytes 3 and 15 override its own.
        indCloneInfo info = DefaultInfo();
        // Set: a read or write is refused (FA) unless this clone password came before it.
        std::string clonePassword;
    };
    // The adjustment command that selects the channel, sets up, and reads an A/D channel.
    static constexpr int kAdjSelectChannel = 0;
    static constexpr int kAdjSetUp = 2;
    static constexpr int kAdjReadAd = 3;
    // The information a fresh simulated radio reports.
    static indCloneInfo DefaultInfo();

    RadioSim();
    explicit RadioSim(const Config& config) : RadioSim() { m_config = config; }

    Config& config() { return m_config; }
    const Config& config() const { return m_config; }
    // The radio's EEPROM, 0000 to 077F.
    std::vector<uint8_t>& eeprom() { return m_eeprom; }
    const std::vector<uint8_t>& eeprom() const { return m_eeprom; }
    // A recognisable default content.
    static std::vector<uint8_t> DefaultEeprom();
    // The 80 identification bytes the radio sends.
    std::vector<uint8_t> InfoBytes() const;

    // Bytes from the program, as they arrive; the answer bytes are appended to out.
    void Receive(const uint8_t* bytes, size_t n, std::vector<uint8_t>& out);
    // The cable has been pulled: nothing goes in or out any more.
    bool Disconnected() const { return m_disconnected; }
    // The line speed the radio listens at, as set by the mode frames (starts at 9600).
    int Baud() const { return m_baud; }

    // What happened, for tests and the log.
    int writesCompleted = 0;  // acknowledged end frames of clone writes
    int readsCompleted = 0;   // read answers sent to the end
    int infosAnswered = 0;
    std::string password;  // the last clone password received
    int lastMode = -1;     // 0 read/info mode, 1 write mode
    std::vector<std::string> log;
    // Adjustment: the last value of every command byte, whether it was ever set, the
    // commands in arrival order (command, value), and the A/D answers given.
    uint8_t adjust[256] = {};
    bool adjustSet[256] = {};
    std::vector<std::pair<int, int>> adjustLog;
    int adAnswers = 0;
    int lastCurveCommand = 6;
    // The reading of an A/D channel under the current settings.
    uint8_t Reading(int channel) const;

private:
    void OnFrame(const CloneFrames::Bytes& frame, std::vector<uint8_t>& out);
    void OnMode(const CloneFrames::Bytes& frame, std::vector<uint8_t>& out);
    void OnAdjust(int command, int value, std::vector<uint8_t>& out);
    void AnswerInfo(std::vector<uint8_t>& out);
    void AnswerRead(std::vector<uint8_t>& out);
    void OnWriteData(const CloneFrames::Bytes& frame, std::vector<uint8_t>& out);
    void OnWriteEnd(const CloneFrames::Bytes& frame, std::vector<uint8_t>& out);
    bool Struck() const;
    // A locked radio takes a read or write only after its password; each needs its own.
    bool PasswordRefused();

    Config m_config;
    std::vector<uint8_t> m_eeprom;
    CloneFrames::Splitter m_splitter;
    bool m_writing = false;
    bool m_refusedWrite = false;
    int m_writeFrames = 0;
    int m_dataFrames = 0;  // frames of the running operation, for DropAfter and Disconnect
    bool m_dropped = false;
    bool m_disconnected = false;
    int m_baud = 9600;
    uint32_t m_echoCount = 0;
    std::string m_sessionPassword;
};
