#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

class cmcEeprom;

// Result codes of clone file reads and writes; ShowFileError turns them into messages.
enum cmcClnResult : int {
    kClnOk = 0,
    kClnFileOpen = 1,    // the file cannot be opened
    kClnFileAccess = 2,  // writing the file failed
    kClnModel = 3,       // model code not accepted
    kClnExtra = 4,       // extra code not accepted
    kClnMapRev = 5,      // map revision not accepted
    kClnFormat = 6,      // malformed header or data line
    kClnCoverage = 7,    // expected addresses missing
    kClnData = 8,        // data outside the image or the expected ranges
    kClnNewer = 9,       // data of a newer kind than this program may load
};

// Keeps chosen address ranges of an EEPROM image on disk as hexadecimal text, and reads
// such a file back with header, map-revision, format and coverage checks.
//
// Range lists are arrays of int32_t pairs (first, last), both inclusive, ended by the
// first pair whose last address is below its first (the model uses (1, 0)); a pair
// outside the attached image also ends the list.
//
// One object serves one read or one write.
class cmcClnFile {
public:
    using MapRevCheck = bool (*)(void* context, int mapRev);
    using HeaderCheck = bool (*)(void* context, int modelCode, int extraCode, int* errorCode);
    // Stands in for write(2) so tests can make a write fail as a full disk would.
    using WriteFn = long (*)(void* context, int fd, const void* data, size_t length);
    // Stands in for getc(3) so tests can make a read fail part-way as a failing disk would:
    // answers the next byte, EOF at the end, or kReadFailed.
    using ReadFn = int (*)(void* context, std::FILE* file);
    static constexpr int kReadFailed = -2;

    cmcClnFile() = default;
    cmcClnFile(const cmcClnFile&) = delete;
    cmcClnFile& operator=(const cmcClnFile&) = delete;

    void AttachImage(cmcEeprom* image);
    void SetModelCode(int code) { m_modelCode = code; }
    void SetExtraCode(int code) { m_extraCode = code; }
    void SetComment(const std::string& text) { m_comment = text; }
    void SetMapRev(int mapRev) { m_mapRev = mapRev; }
    void SetMapRevCheck(MapRevCheck check, void* context);
    void SetHeaderCheck(HeaderCheck check, void* context);
    void SetWriteFn(WriteFn fn, void* context);
    void SetReadFn(ReadFn fn, void* context);

    // Saves the ranges. The file is written beside the target and renamed over it only
    // when everything was written, so a failure leaves any previous file as it was.
    cmcClnResult Write(const std::string& path, const int32_t* ranges);
    // Loads the file into the attached image; with a range list the file must cover
    // exactly those ranges. On any failure the image is left as it was.
    cmcClnResult Read(const std::string& path, const int32_t* ranges);
    // Compares what the last read stored with the ranges: ok, missing or extra addresses.
    cmcClnResult CheckCoverage(const int32_t* ranges);

    int ModelCode() const { return m_modelCode; }
    int ExtraCode() const { return m_extraCode; }
    const std::string& Comment() const { return m_comment; }
    int MapRev() const { return m_mapRev; }
    int32_t FirstAddress() const { return m_firstAddress; }
    int32_t LastAddress() const { return m_lastAddress; }

    static constexpr int kBytesPerLine = 16;

private:
    bool NextRange(const int32_t* ranges, int& i, int32_t& first, int32_t& last) const;
    void Mark(std::vector<uint8_t>& bitmap, int32_t first, int32_t last);
    cmcClnResult WriteLines(int fd, const int32_t* ranges);
    bool WriteAll(int fd, const std::string& text);
    cmcClnResult ReadLines(std::FILE* file, const int32_t* ranges);
    bool ReadLine(std::FILE* file, std::string& line, bool& tooLong, bool* ended = nullptr);
    int NextByte(std::FILE* file);
    cmcClnResult ParseDataLine(const std::string& line);

    int m_formatFlag = 1;
    cmcEeprom* m_image = nullptr;
    int m_modelCode = 0;
    int m_extraCode = 0;
    std::string m_comment;
    int m_bytesPerLine = kBytesPerLine;
    int m_mapRev = -1;
    int32_t m_firstAddress = 0;
    int32_t m_lastAddress = 0;
    std::vector<uint8_t> m_coverage;
    std::vector<uint8_t> m_loaded;
    MapRevCheck m_mapRevCheck = nullptr;
    void* m_mapRevContext = nullptr;
    HeaderCheck m_headerCheck = nullptr;
    void* m_headerContext = nullptr;
    WriteFn m_writeFn = nullptr;
    void* m_writeContext = nullptr;
    ReadFn m_readFn = nullptr;
    void* m_readContext = nullptr;
    bool m_readFailed = false;
};
