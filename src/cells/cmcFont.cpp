#include "cells/cmcFont.h"

#include <cstdlib>
#include <limits>

#include "platform/TextUtil.h"

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

int32_t Clamp32(int64_t v)
{
    if (v > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    if (v < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}

// a * b / c rounded to the nearest integer, halves away from zero.
int32_t MulDivRound(int64_t a, int64_t b, int64_t c)
{
    const int64_t n = a * b;
    const int64_t q = ((n < 0 ? -n : n) + c / 2) / c;
    return Clamp32(n < 0 ? -q : q);
}

// A leading decimal number, held at the 32-bit limit so scaling cannot overflow; false
// when there are no digits.
bool ReadNumber(std::string_view s, int64_t* out)
{
    int32_t v = 0;
    if (!txt::ReadLeadingInt(s, &v))
        return false;
    *out = v;
    return true;
}

// Matches a name of a vocabulary by prefix: leading blanks allowed, nothing but blanks after.
bool MatchName(std::string_view field, std::string_view name)
{
    size_t i = 0;
    while (i < field.size() && IsBlank(field[i]))
        ++i;
    if (field.substr(i, name.size()) != name)
        return false;
    for (i += name.size(); i < field.size(); ++i)
        if (!IsBlank(field[i]))
            return false;
    return true;
}

// Height or size field: a number (0 leaves it), or "%" and a percentage of the current value.
bool ScaledValue(std::string_view field, int32_t current, int32_t* out)
{
    std::string f = txt::SkipSpaces(field);
    int64_t v = 0;
    if (!f.empty() && f[0] == '%') {
        if (!ReadNumber(std::string_view(f).substr(1), &v))
            return false;
        int64_t r = static_cast<int64_t>(current) * v / 100;  // truncates toward zero
        *out = r == 0 ? 1 : Clamp32(r);
        return true;
    }
    if (!ReadNumber(f, &v) || v == 0)
        return false;
    *out = Clamp32(v);
    return true;
}

struct Named {
    const char* name;
    int32_t value;
};

const Named kCharsets[] = {
    {"ANSI_CHARSET", 0},      {"DEFAULT_CHARSET", 1},    {"SYMBOL_CHARSET", 2},
    {"MAC_CHARSET", 77},      {"SHIFTJIS_CHARSET", 128}, {"HANGEUL_CHARSET", 129},
    {"JOHAB_CHARSET", 130},   {"GB2312_CHARSET", 134},   {"CHINESEBIG5_CHARSET", 136},
    {"GREEK_CHARSET", 161},   {"TURKISH_CHARSET", 162},  {"VIETNAMESE_CHARSET", 163},
    {"HEBREW_CHARSET", 177},  {"ARABIC_CHARSET", 178},   {"BALTIC_CHARSET", 186},
    {"RUSSIAN_CHARSET", 204}, {"THAI_CHARSET", 222},     {"EASTEUROPE_CHARSET", 238},
    {"OEM_CHARSET", 255},
};
const Named kStyles[] = {
    {"fsBold", cmcFont::fsBold},
    {"fsItalic", cmcFont::fsItalic},
    {"fsUnderline", cmcFont::fsUnderline},
    {"fsStrikeOut", cmcFont::fsStrikeOut},
};
const Named kPitches[] = {
    {"fpDefault", cmcFont::fpDefault},
    {"fpFixed", cmcFont::fpFixed},
    {"fpVariable", cmcFont::fpVariable},
};

template <size_t N>
const Named* Match(std::string_view field, const Named (&list)[N])
{
    for (const Named& n : list)
        if (MatchName(field, n.name))
            return &n;
    return nullptr;
}

}  // namespace

void cmcFont::SetHeight(int32_t h)
{
    height = h;
    size = MulDivRound(-static_cast<int64_t>(h), 72, kPixelsPerInch);
}

void cmcFont::SetSize(int32_t s)
{
    size = s;
    height = MulDivRound(-static_cast<int64_t>(s), kPixelsPerInch, 72);
}

void cmcFont::ApplyDescription(std::string_view text)
{
    const std::vector<std::string> fields = txt::Split(text, ',');
    for (size_t n = 0; n < fields.size() && n < 7; ++n) {
        const std::string& f = fields[n];
        switch (n) {
            case 0:
                if (const Named* c = Match(f, kCharsets))
                    charset = c->value;
                break;
            case 1: {
                std::string face = txt::SkipSpaces(f);
                if (!face.empty())
                    name = face;
                break;
            }
            case 2:
                LookupColor(f, &color);
                break;
            case 3: {
                int32_t h = 0;
                if (ScaledValue(f, height, &h))
                    SetHeight(h);
                break;
            }
            case 4: {
                int32_t s = 0;
                if (ScaledValue(f, size, &s))
                    SetSize(s);
                break;
            }
            case 5: {
                bool first = true;
                for (const std::string& piece : txt::Split(f, '+')) {
                    const Named* st = Match(piece, kStyles);
                    if (!st)
                        continue;
                    if (first)
                        style = 0;
                    first = false;
                    style = static_cast<uint8_t>(style | st->value);
                }
                break;
            }
            case 6:
                if (const Named* p = Match(f, kPitches))
                    pitch = p->value;
                break;
        }
    }
}
