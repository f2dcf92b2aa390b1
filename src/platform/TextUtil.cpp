#include "platform/TextUtil.h"

#include <locale.h>

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace txt {

namespace {
int g_codePage = 1252;

bool IsSpace(char c)
{
    return c == ' ' || c == '\t';
}

}  // namespace

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

void SetCodePage(int codePage)
{
    g_codePage = codePage;
}
int CodePage()
{
    return g_codePage;
}

bool IsLeadByte(unsigned char c)
{
    if (g_codePage == 932)
        return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    return false;
}

const char* CodePageName()
{
    return g_codePage == 932 ? "CP932" : "CP1252";
}

size_t Find(std::string_view s, char c, size_t from)
{
    for (size_t i = from; i < s.size(); ++i) {
        if (IsLeadByte(static_cast<unsigned char>(s[i]))) {
            ++i;  // the trail byte is never a syntax character
            continue;
        }
        if (s[i] == c)
            return i;
    }
    return std::string_view::npos;
}

std::vector<std::string> Split(std::string_view line, char sep)
{
    std::vector<std::string> out;
    size_t start = 0;
    for (;;) {
        size_t p = Find(line, sep, start);
        if (p == std::string_view::npos) {
            out.emplace_back(line.substr(start));
            return out;
        }
        out.emplace_back(line.substr(start, p - start));
        start = p + 1;
    }
}

std::optional<std::string> Field(std::string_view line, char sep, int n)
{
    if (n < 0)
        return std::nullopt;
    size_t start = 0;
    for (int i = 0; i < n; ++i) {
        size_t p = Find(line, sep, start);
        if (p == std::string_view::npos)
            return std::nullopt;
        start = p + 1;
    }
    size_t end = Find(line, sep, start);
    return std::string(line.substr(start, end == std::string_view::npos ? end : end - start));
}

std::string UpTo(std::string_view s, std::string_view delimiters)
{
    for (size_t i = 0; i < s.size(); ++i) {
        if (IsLeadByte(static_cast<unsigned char>(s[i]))) {
            ++i;
            continue;
        }
        if (delimiters.find(s[i]) != std::string_view::npos)
            return std::string(s.substr(0, i));
    }
    return std::string(s);
}

std::string SkipSpaces(std::string_view s)
{
    size_t i = 0;
    while (i < s.size() && IsSpace(s[i]))
        ++i;
    return std::string(s.substr(i));
}

std::string Trim(std::string_view s)
{
    size_t b = 0, e = s.size();
    while (b < e && IsSpace(s[b]))
        ++b;
    while (e > b && IsSpace(s[e - 1]))
        --e;
    return std::string(s.substr(b, e - b));
}

std::string RemoveSpaces(std::string_view s)
{
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) {
            out += s[i];
            out += s[++i];
        } else if (!IsSpace(s[i])) {
            out += s[i];
        }
    }
    return out;
}

std::string KeepOnly(std::string_view s, std::string_view extra)
{
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (IsLeadByte(static_cast<unsigned char>(s[i]))) {
            ++i;
            continue;
        }
        char c = s[i];
        if ((c >= '0' && c <= '9') || extra.find(c) != std::string_view::npos)
            out += c;
    }
    return out;
}

double ReadReal(std::string_view f)
{
    double v = 0;
    double scale = 0;
    size_t i = 0;
    bool neg = false;
    if (!f.empty() && f[0] == '-') {
        neg = true;
        i = 1;
    }
    for (; i < f.size(); ++i) {
        const char c = f[i];
        if (c == '.') {
            if (scale != 0)
                break;
            scale = 1;
            continue;
        }
        if (c < '0' || c > '9')
            break;
        if (scale != 0) {
            scale /= 10;
            v += (c - '0') * scale;
        } else {
            v = v * 10 + (c - '0');
        }
    }
    return neg ? -v : v;
}

bool ReadLeadingInt(std::string_view s, int32_t* out)
{
    size_t i = 0;
    while (i < s.size() && IsSpace(s[i]))
        ++i;
    bool neg = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+'))
        neg = s[i++] == '-';
    int64_t v = 0;
    size_t digits = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i, ++digits)
        v = std::min<int64_t>(v * 10 + (s[i] - '0'), INT32_MAX);
    if (digits == 0)
        return false;
    *out = static_cast<int32_t>(neg ? -v : v);
    return true;
}

int32_t ReadDecimal(std::string_view s)
{
    std::string f = KeepOnly(s, ".-");
    if (f.size() > 9)
        f.resize(9);
    if (f.empty())
        return 0;
    const double v = ReadReal(f);
    const bool neg = v < 0;
    double r = std::floor((neg ? -v : v) + 0.5);
    return static_cast<int32_t>(neg ? -r : r);
}

int GetNibble(const uint8_t* bytes, int k)
{
    uint8_t b = bytes[k / 2];
    return (k % 2 == 0) ? (b >> 4) : (b & 0x0F);
}

void SetNibble(uint8_t* bytes, int k, int value)
{
    uint8_t& b = bytes[k / 2];
    if (k % 2 == 0)
        b = static_cast<uint8_t>((b & 0x0F) | ((value & 0x0F) << 4));
    else
        b = static_cast<uint8_t>((b & 0xF0) | (value & 0x0F));
}

bool GetBitMsb(const uint8_t* bytes, int k)
{
    return (bytes[k / 8] >> (7 - k % 8)) & 1;
}

void SetBitMsb(uint8_t* bytes, int k, bool on)
{
    const uint8_t m = static_cast<uint8_t>(0x80 >> (k % 8));
    if (on)
        bytes[k / 8] |= m;
    else
        bytes[k / 8] &= static_cast<uint8_t>(~m);
}

std::vector<uint8_t> HexToBytes(std::string_view hex)
{
    std::vector<uint8_t> out;
    int high = -1;
    for (char c : hex) {
        int v = HexDigit(c);
        if (v < 0)
            continue;
        if (high < 0) {
            high = v;
        } else {
            out.push_back(static_cast<uint8_t>((high << 4) | v));
            high = -1;
        }
    }
    if (high >= 0)
        out.push_back(static_cast<uint8_t>(high << 4));
    return out;
}

std::string BytesToHex(const uint8_t* bytes, size_t n)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(n * 2);
    for (size_t i = 0; i < n; ++i) {
        out += digits[bytes[i] >> 4];
        out += digits[bytes[i] & 0x0F];
    }
    return out;
}

std::string BytesToHex(const std::vector<uint8_t>& bytes)
{
    return BytesToHex(bytes.data(), bytes.size());
}

std::string DoubleAmpersand(std::string_view s)
{
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) {
            out += s[i];
            out += s[++i];
            continue;
        }
        out += s[i];
        if (s[i] == '&')
            out += '&';
    }
    return out;
}

std::string Format(const char* fmt, ...)
{
    // Formatting follows the C locale whatever the desktop's is: a decimal point always.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    const locale_t previous = uselocale(cLocale);
    va_list ap;
    va_start(ap, fmt);
    va_list ap2;
    va_copy(ap2, ap);
    int n = std::vsnprintf(nullptr, 0, fmt, ap);
    va_end(ap);
    std::string out;
    if (n > 0) {
        out.resize(static_cast<size_t>(n) + 1);
        std::vsnprintf(out.data(), out.size(), fmt, ap2);
        out.resize(static_cast<size_t>(n));
    }
    va_end(ap2);
    uselocale(previous);
    return out;
}

}  // namespace txt
