#include "clonefile/cmcClnFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "clonefile/ShowFileError.h"
#include "common/cmcEeprom.h"
#include "platform/TextUtil.h"

namespace {

constexpr char kCommentKey[] = "Comment=";
constexpr char kMapRevKey[] = "MapRev=";
// Longest data line: address, count 255 and 255 bytes.
constexpr size_t kMaxDataLine = 6 + 2 * 255;
// Characters of a line that are looked at; anything longer is malformed as data and
// only the start of it is searched as a comment.
constexpr size_t kKeptLine = 767;

// Finds key in s at a position that is not the second byte of a double-byte character.
bool ContainsKey(const std::string& s, size_t from, const char* key)
{
    const size_t n = std::strlen(key);
    for (size_t i = from; i + n <= s.size(); ++i) {
        if (s.compare(i, n, key) == 0) {
            return true;
        }
        if (txt::IsLeadByte(static_cast<unsigned char>(s[i]))) {
            ++i;
        }
    }
    return false;
}

// strtol clamped to int, so an absurd revision cannot wrap into an accepted one.
int ReadRevision(const char* text)
{
    long v = std::strtol(text, nullptr, 10);
    if (v > INT_MAX) {
        return INT_MAX;
    }
    if (v < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(v);
}

void AppendHex(std::string& out, unsigned value, int digits)
{
    static const char kDigits[] = "0123456789ABCDEF";
    for (int d = digits - 1; d >= 0; --d) {
        out.push_back(kDigits[(value >> (4 * d)) & 0xF]);
    }
}

std::string FolderOf(const std::string& path)
{
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file that a save replaces: a symbolic link is followed, so the link stays a link.
std::string SaveTarget(const std::string& path)
{
    struct stat st;
    if (lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char* real = realpath(path.c_str(), nullptr);
        if (real) {
            std::string target(real);
            std::free(real);
            return target;
        }
    }
    return path;
}

mode_t NewFileMode()
{
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

}  // namespace

void cmcClnFile::AttachImage(cmcEeprom* image)
{
    m_image = image;
    const int32_t size = image ? image->GetSize() : 0;
    m_firstAddress = 0;
    m_lastAddress = size > 0 ? size - 1 : 0;
    const size_t bytes = size > 0 ? (static_cast<size_t>(size) + 7) / 8 : 0;
    m_coverage.assign(bytes, 0);
    m_loaded.assign(bytes, 0);
    if (size > 0) {
        Mark(m_coverage, 0, size - 1);
    }
}

void cmcClnFile::SetMapRevCheck(MapRevCheck check, void* context)
{
    m_mapRevCheck = check;
    m_mapRevContext = context;
}

void cmcClnFile::SetHeaderCheck(HeaderCheck check, void* context)
{
    m_headerCheck = check;
    m_headerContext = context;
}

void cmcClnFile::SetWriteFn(WriteFn fn, void* context)
{
    m_writeFn = fn;
    m_writeContext = context;
}

void cmcClnFile::SetReadFn(ReadFn fn, void* context)
{
    m_readFn = fn;
    m_readContext = context;
}

bool cmcClnFile::NextRange(const int32_t* ranges, int& i, int32_t& first, int32_t& last) const
{
    if (!ranges || !m_image) {
        return false;
    }
    first = ranges[2 * i];
    last = ranges[2 * i + 1];
    if (last < first || !m_image->IsAddress(first) || !m_image->IsAddress(last)) {
        return false;
    }
    ++i;
    return true;
}

void cmcClnFile::Mark(std::vector<uint8_t>& bitmap, int32_t first, int32_t last)
{
    if (first < 0 || last < first || static_cast<size_t>(last) / 8 >= bitmap.size()) {
        return;
    }
    for (int32_t a = first; a <= last; ++a) {
        bitmap[static_cast<size_t>(a) / 8] |= static_cast<uint8_t>(1u << (a % 8));
    }
}

// ---- writing ----

bool cmcClnFile::WriteAll(int fd, const std::string& text)
{
    const char* p = text.data();
    size_t left = text.size();
    while (left > 0) {
        long n = m_writeFn ? m_writeFn(m_writeContext, fd, p, left)
                           : static_cast<long>(::write(fd, p, left));
        if (n < 0 && errno == EINTR && !m_writeFn) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

cmcClnResult cmcClnFile::WriteLines(int fd, const int32_t* ranges)
{
    std::string line;
    AppendHex(line, static_cast<unsigned>(m_modelCode), 4);
    AppendHex(line, static_cast<unsigned>(m_extraCode), 4);
    line += "\r\n";
    if (!WriteAll(fd, line)) {
        return kClnFileAccess;
    }
    if (m_formatFlag == 1) {
        // A line break inside the comment would turn its rest into a bad data line.
        std::string comment = m_comment;
        for (char& c : comment) {
            if (c == '\r' || c == '\n') {
                c = ' ';
            }
        }
        if (!WriteAll(fd, std::string("#") + kCommentKey + comment + "\r\n") ||
            !WriteAll(fd, txt::Format("#%s%d\r\n", kMapRevKey, m_mapRev))) {
            return kClnFileAccess;
        }
    }
    const uint8_t* data = m_image ? m_image->Data() : nullptr;
    int i = 0;
    int32_t first = 0;
    int32_t last = 0;
    while (NextRange(ranges, i, first, last)) {
        if (last > 0xFFFF) {
            return kClnFileAccess;  // a line address has four digits; never write a wrong one
        }
        int32_t a = first;
        while (a <= last) {
            int32_t n = m_bytesPerLine - a % m_bytesPerLine;
            if (n > last - a + 1) {
                n = last - a + 1;
            }
            line.clear();
            AppendHex(line, static_cast<unsigned>(a), 4);
            AppendHex(line, static_cast<unsigned>(n), 2);
            for (int32_t k = 0; k < n; ++k) {
                AppendHex(line, data[a + k], 2);
            }
            line += "\r\n";
            if (!WriteAll(fd, line)) {
                return kClnFileAccess;
            }
            a += n;
        }
    }
    return kClnOk;
}

cmcClnResult cmcClnFile::Write(const std::string& path, const int32_t* ranges)
{
    cmcClnResult code = kClnOk;
    const std::string target = path.empty() ? path : SaveTarget(path);
    struct stat st;
    const bool exists = !target.empty() && stat(target.c_str(), &st) == 0;
    std::string temp;
    int fd = -1;
    // A file the user may not write is refused, as opening it for writing would be.
    if (target.empty() || (exists && (S_ISDIR(st.st_mode) || access(target.c_str(), W_OK) != 0))) {
        code = kClnFileOpen;
    } else {
        temp = target + ".XXXXXX";
        fd = mkstemp(temp.data());
        if (fd < 0) {
            code = kClnFileOpen;
        }
    }
    if (fd >= 0) {
        fchmod(fd, exists ? (st.st_mode & 07777) : NewFileMode());
        code = WriteLines(fd, ranges);
        if (code == kClnOk && fsync(fd) != 0) {
            code = kClnFileAccess;
        }
        if (close(fd) != 0 && code == kClnOk) {
            code = kClnFileAccess;
        }
        if (code == kClnOk && rename(temp.c_str(), target.c_str()) != 0) {
            code = kClnFileAccess;
        }
        if (code != kClnOk) {
            unlink(temp.c_str());
        } else {
            // Make the rename itself durable; not every file system allows this.
            int dir = open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            if (dir >= 0) {
                fsync(dir);
                close(dir);
            }
        }
    }
    ShowFileError(code);
    return code;
}

// ---- reading ----

// The next byte of the file; a failure reads as the end and is remembered.
int cmcClnFile::NextByte(std::FILE* file)
{
    const int c = m_readFn ? m_readFn(m_readContext, file) : std::getc(file);
    if (c == kReadFailed || (c == EOF && std::ferror(file))) {
        m_readFailed = true;
        return EOF;
    }
    return c;
}

// One line of the file without its LF and without one CR before it, so files with CR LF
// and LF line ends read alike. A last line without a line end is kept whole; ended tells
// whether the line had its LF.
bool cmcClnFile::ReadLine(std::FILE* file, std::string& line, bool& tooLong, bool* ended)
{
    line.clear();
    tooLong = false;
    if (ended) {
        *ended = false;
    }
    int c = NextByte(file);
    if (c == EOF) {
        return false;
    }
    while (c != EOF && c != '\n') {
        if (line.size() < kKeptLine) {
            line.push_back(static_cast<char>(c));
        } else {
            tooLong = true;
        }
        c = NextByte(file);
    }
    if (ended) {
        *ended = c == '\n';
    }
    if (!tooLong && !line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return true;
}

cmcClnResult cmcClnFile::ParseDataLine(const std::string& line)
{
    const size_t len = line.size();
    if (len < 8 || len > kMaxDataLine) {
        return kClnFormat;
    }
    for (char c : line) {
        if (txt::HexDigit(c) < 0) {
            return kClnFormat;
        }
    }
    auto hexAt = [&line](size_t pos, int digits) {
        int v = 0;
        for (int d = 0; d < digits; ++d) {
            v = v * 16 + txt::HexDigit(line[pos + d]);
        }
        return v;
    };
    const int32_t address = hexAt(0, 4);
    const int32_t count = hexAt(4, 2);
    if (len != 6 + 2 * static_cast<size_t>(count)) {
        return kClnFormat;
    }
    if (!m_image || !m_image->IsAddress(address) || !m_image->IsAddress(address + count - 1)) {
        return kClnData;
    }
    for (int32_t k = 0; k < count; ++k) {
        m_image->SetByte(address + k, static_cast<uint8_t>(hexAt(6 + 2 * k, 2)));
    }
    Mark(m_loaded, address, address + count - 1);
    return kClnOk;
}

cmcClnResult cmcClnFile::ReadLines(std::FILE* file, const int32_t* ranges)
{
    std::string line;
    bool tooLong = false;
    // The header: eight decimal digits, each read as one hexadecimal digit. Its line end
    // belongs to it, so a file holding only the eight digits is malformed.
    bool ended = false;
    if (!ReadLine(file, line, tooLong, &ended) || tooLong || !ended || line.size() != 8) {
        return kClnFormat;
    }
    int codes[2] = {0, 0};
    for (int i = 0; i < 8; ++i) {
        if (line[i] < '0' || line[i] > '9') {
            return kClnFormat;
        }
        codes[i / 4] = codes[i / 4] * 16 + (line[i] - '0');
    }
    if (m_headerCheck) {
        int error = kClnModel;
        if (!m_headerCheck(m_headerContext, codes[0], codes[1], &error)) {
            // A rejection never reads as success.
            return error != kClnOk ? static_cast<cmcClnResult>(error) : kClnModel;
        }
    } else if (codes[0] != m_modelCode) {
        return kClnModel;
    } else if (codes[1] != m_extraCode) {
        return kClnExtra;
    }

    bool dataSeen = false;
    while (ReadLine(file, line, tooLong)) {
        if (!line.empty() && line[0] == '#') {
            if (ContainsKey(line, 1, kMapRevKey)) {
                m_mapRev = ReadRevision(line.c_str() + 1 + std::strlen(kMapRevKey));
            }
            continue;
        }
        // Any other line, an empty one included, is a data line.
        if (!dataSeen) {
            dataSeen = true;
            if (m_formatFlag == 1 &&
                (!m_mapRevCheck || !m_mapRevCheck(m_mapRevContext, m_mapRev))) {
                return kClnMapRev;
            }
        }
        if (tooLong) {
            return kClnFormat;
        }
        const cmcClnResult code = ParseDataLine(line);
        if (code != kClnOk) {
            return code;
        }
    }
    return ranges ? CheckCoverage(ranges) : kClnOk;
}

cmcClnResult cmcClnFile::Read(const std::string& path, const int32_t* ranges)
{
    cmcEeprom rollback;
    if (m_image) {
        rollback.Assign(*m_image);
    }
    std::fill(m_loaded.begin(), m_loaded.end(), 0);
    m_readFailed = false;
    cmcClnResult code = kClnFileOpen;
    // Only a regular file is read. The open does not block (a FIFO without a writer would),
    // and devices such as /dev/zero, which never end, are refused before reading.
    std::FILE* file = nullptr;
    const int fd = path.empty() ? -1 : ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
        struct stat st;
        if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
            fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) == 0) {
            file = fdopen(fd, "rb");
        }
        if (!file) {
            ::close(fd);
        }
    }
    if (file) {
        code = ReadLines(file, ranges);
        // A read error is not the end of the file: the data may be incomplete.
        if (m_readFailed || std::ferror(file)) {
            code = kClnFileOpen;
        }
        std::fclose(file);
    }
    if (code != kClnOk && m_image) {
        m_image->Assign(rollback);
    }
    ShowFileError(code);
    return code;
}

cmcClnResult cmcClnFile::CheckCoverage(const int32_t* ranges)
{
    if (!ranges || m_loaded.empty()) {
        return kClnCoverage;
    }
    std::fill(m_coverage.begin(), m_coverage.end(), 0);
    int i = 0;
    int32_t first = 0;
    int32_t last = 0;
    while (NextRange(ranges, i, first, last)) {
        Mark(m_coverage, first, last);
    }
    if (m_loaded == m_coverage) {
        return kClnOk;
    }
    for (size_t k = 0; k < m_loaded.size(); ++k) {
        if (m_loaded[k] & ~m_coverage[k]) {
            return kClnData;
        }
    }
    return kClnCoverage;
}
