#include "indCloneInfo.h"

#include <algorithm>

#include "platform/TextUtil.h"

namespace {

std::string TextAt(const uint8_t* block, int offset, int size)
{
    return std::string(reinterpret_cast<const char*>(block) + offset, static_cast<size_t>(size));
}

void PutText(std::vector<uint8_t>& block, int offset, int size, const std::string& text)
{
    for (int i = 0; i < size; ++i)
        block[static_cast<size_t>(offset + i)] =
            i < static_cast<int>(text.size()) ? static_cast<uint8_t>(text[static_cast<size_t>(i)])
                                              : ' ';
}

// Reads hexadecimal digits from the start of a text (after leading blanks), at most max of
// them; the count read goes to *digits.
uint32_t LeadingHex(std::string_view s, size_t max, int* digits)
{
    size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
        ++i;
    uint32_t value = 0;
    *digits = 0;
    for (; i < s.size() && static_cast<size_t>(*digits) < max; ++i) {
        const int d = txt::HexDigit(s[i]);
        if (d < 0)
            break;
        value = value * 16 + static_cast<uint32_t>(d);
        ++*digits;
    }
    return value;
}

}  // namespace

bool indCloneInfo::Parse(const uint8_t* block, size_t size)
{
    if (block == nullptr || size != static_cast<size_t>(kSize))
        return false;
    model[0] = block[kModel];
    model[1] = block[kModel + 1];
    format = block[kFormat];
    revision = block[kRevision];
    option11 = block[kOption11];
    option12 = block[kOption12];
    option13 = block[kOption13];
    status = block[kStatus];
    password = block[kPassword];
    comment1 = TextAt(block, kComment1, kCommentSize);
    comment2 = TextAt(block, kComment2, kCommentSize);
    serial = TextAt(block, kSerial, kSerialSize);
    checkSum = TextAt(block, kCheckSum, kCheckSumSize);
    readEnd = TextAt(block, kReadEnd, 4);
    return true;
}

std::vector<uint8_t> indCloneInfo::Build() const
{
    std::vector<uint8_t> block(kSize, ' ');
    block[kLength] = kSize;
    block[kModel] = model[0];
    block[kModel + 1] = model[1];
    block[kFormat] = format;
    block[kRevision] = revision;
    for (int i = 5; i < kOption11; ++i)
        block[static_cast<size_t>(i)] = 0;
    block[kOption11] = option11;
    block[kOption12] = option12;
    block[kOption13] = option13;
    block[kStatus] = status;
    block[kPassword] = password;
    PutText(block, kComment1, kCommentSize, comment1);
    PutText(block, kComment2, kCommentSize, comment2);
    PutText(block, kSerial, kSerialSize, serial);
    PutText(block, kCheckSum, kCheckSumSize, checkSum);
    PutText(block, kReadEnd, 4, readEnd);
    return block;
}

std::string indCloneInfo::SerialText() const
{
    if (serial.size() != static_cast<size_t>(kSerialSize) ||
        !std::all_of(serial.begin(), serial.end(), [](char c) { return txt::HexDigit(c) >= 0; }))
        return " ";
    // Exactly 4, 2 and 6 characters of the field: nothing beyond its 12 characters is read.
    int digits = 0;
    const uint32_t a = LeadingHex(std::string_view(serial).substr(0, 4), 4, &digits);
    const uint32_t b = LeadingHex(std::string_view(serial).substr(4, 2), 2, &digits);
    const uint32_t c = LeadingHex(std::string_view(serial).substr(6, 6), 6, &digits);
    return txt::Format("%04u%02u%07u", a, b, c);
}

std::string indCloneInfo::CheckSumText() const
{
    int digits = 0;
    const uint32_t sum = LeadingHex(checkSum, kCheckSumSize, &digits);
    return txt::Format("$%04X", digits > 0 ? sum : 0u);
}

std::string indCloneInfo::RevisionText() const
{
    return txt::Format("%d.%d", revision >> 4, revision & 0x0F);
}

int indCloneInfo::ModelLine() const
{
    const uint8_t m0 = model[0];
    if (m0 & 0x80)
        return 0;
    if ((m0 & 0x60) == 0x60)
        return 2;
    if (m0 & 0x40)
        return 1;
    if (m0 & 0x04)
        return 3;
    return 0;
}
