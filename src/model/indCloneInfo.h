#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The radio's 80-byte information block (the body of its identification answer) and where
// each field of it lies. The program reads the fields from here and the simulated radio
// builds its answer with the same offsets, so the two can never disagree.
//
//   0        block length, always 80 (50 hex)
//   1, 2     model field (the first byte carries the model line bits)
//   3        data format (above 1: a radio newer than this program)
//   4        firmware revision (high nibble major, low nibble minor)
//   5..10    reserved
//   11..13   option bytes b11, b12, b13 (fitted option units)
//   14       status byte (mask 20: over-voltage was seen)
//   15       clone password flags (mask 08: wants a password, mask 10: given already)
//   16..31   comment line 1, 16 characters, space-filled
//   32..47   comment line 2, 16 characters, space-filled
//   48..59   serial number, 12 hexadecimal characters (4, 2 and 6 digits)
//   60..63   checksum, 4 hexadecimal characters
//   64..67   read end, 4 hexadecimal characters (the last EEPROM address a read takes)
//   68..79   reserved
struct indCloneInfo {
    static constexpr int kSize = 80;
    static constexpr int kLength = 0;
    static constexpr int kModel = 1;
    static constexpr int kFormat = 3;
    static constexpr int kRevision = 4;
    static constexpr int kOption11 = 11;
    static constexpr int kOption12 = 12;
    static constexpr int kOption13 = 13;
    static constexpr int kStatus = 14;
    static constexpr int kPassword = 15;
    static constexpr int kComment1 = 16;
    static constexpr int kComment2 = 32;
    static constexpr int kCommentSize = 16;
    static constexpr int kSerial = 48;
    static constexpr int kSerialSize = 12;
    static constexpr int kCheckSum = 60;
    static constexpr int kCheckSumSize = 4;
    static constexpr int kReadEnd = 64;

    // The fields of a block, as bytes and texts; Parse fills them, Build writes them back.
    uint8_t model[2] = {0, 0};
    uint8_t format = 0;
    uint8_t revision = 0;
    uint8_t option11 = 0, option12 = 0, option13 = 0;
    uint8_t status = 0;
    uint8_t password = 0;
    std::string comment1, comment2;  // 16 characters each
    std::string serial;              // 12 characters
    std::string checkSum;            // 4 characters
    std::string readEnd;             // 4 characters

    // Reads the fields of an 80-byte block; false (and nothing read) for any other size.
    bool Parse(const uint8_t* block, size_t size);
    // The 80-byte block holding these fields (texts cut or space-filled to their size).
    std::vector<uint8_t> Build() const;

    // The serial number as it is shown: the 12 characters read as 4, 2 and 6 hexadecimal
    // digits, shown as decimal "%04d%02d%07ld"; a single space when any character is not a
    // hexadecimal digit.
    std::string SerialText() const;
    // The checksum as it is shown: "$%04X" of its hexadecimal digits ("$0000" when there are
    // none).
    std::string CheckSumText() const;
    // The revision as it is shown: "%d.%d" of the two nibbles.
    std::string RevisionText() const;
    // Which line of the model names the model field stands for (0 to 3).
    int ModelLine() const;
};
