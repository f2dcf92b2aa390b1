#include "cells/CodecProtocol.h"

#include <cmath>
#include <limits>

#include "cells/cmcCellObj.h"
#include "overlay/cmcGTex.h"
#include "platform/TextUtil.h"

bool CodecProtocol::HandlesKeys(const cmcCellCapsule& capsule)
{
    // A choice arrives in a copy of the capsule that opened the list, which still carries
    // the key that opened it: only requests without input act on keys.
    return capsule.grid != nullptr && capsule.inputMode == cmcCellCapsule::kInputKey;
}

bool CodecProtocol::ChoiceFor(const cmcCellCapsule& capsule, int32_t listId, int32_t* chosen)
{
    if (capsule.inputMode != cmcCellCapsule::kInputChoice || capsule.context == nullptr ||
        capsule.context->cell == nullptr || capsule.context->cell->id != listId)
        return false;
    *chosen = capsule.context->cell->index;
    return true;
}

bool CodecProtocol::ForeignContext(const cmcCellCapsule& capsule, int32_t listId)
{
    int32_t unused;
    return capsule.context != nullptr && !ChoiceFor(capsule, listId, &unused);
}

void CodecProtocol::Show(cmcCellCapsule& capsule, const std::string& text)
{
    capsule.text = text;
    capsule.selStart = 0;
    capsule.selLength = static_cast<int32_t>(text.size());
}

void CodecProtocol::OpenEditor(cmcCellCapsule& capsule, const std::string& text, int& opened)
{
    Show(capsule, text);
    opened = cmcCellCapsule::kResultEditor;
}

void CodecProtocol::OpenEditorWith(cmcCellCapsule& capsule, char typed, int& opened)
{
    capsule.text = std::string(1, typed);
    capsule.selStart = 1;
    capsule.selLength = 0;
    opened = cmcCellCapsule::kResultEditor;
}

void CodecProtocol::ShowDisabled(cmcCellCapsule& capsule, const char* text)
{
    Show(capsule, text);
    if (capsule.canvas != nullptr)
        capsule.canvas->SetFontColor(kDisabledColor);
}

char CodecProtocol::TypedChar(int32_t key)
{
    return (key >= 1 && key <= 255) ? static_cast<char>(key) : 0;
}

std::string CodecProtocol::KeepChars(std::string_view s, std::string_view set)
{
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (txt::IsLeadByte(static_cast<unsigned char>(s[i]))) {
            ++i;
            continue;
        }
        if (set.find(s[i]) != std::string_view::npos)
            out += s[i];
    }
    return out;
}

double CodecProtocol::ReadReal(std::string_view f)
{
    return txt::ReadReal(f);
}

int64_t CodecProtocol::ReadScaled(std::string_view f, int decimals)
{
    bool neg = false;
    size_t i = 0;
    if (!f.empty() && f[0] == '-') {
        neg = true;
        i = 1;
    }
    int64_t v = 0;
    int fractionDigits = -1;  // -1 before the "."
    bool roundUp = false;
    for (; i < f.size(); ++i) {
        const char c = f[i];
        if (c == '.') {
            if (fractionDigits >= 0)
                break;
            fractionDigits = 0;
            continue;
        }
        if (c < '0' || c > '9')
            break;
        if (fractionDigits < 0 || fractionDigits < decimals) {
            if (v < (int64_t{1} << 50))
                v = v * 10 + (c - '0');
            if (fractionDigits >= 0)
                ++fractionDigits;
        } else {
            if (fractionDigits == decimals)
                roundUp = c >= '5';
            ++fractionDigits;
        }
    }
    for (int k = fractionDigits < 0 ? 0 : fractionDigits; k < decimals; ++k) {
        if (v < (int64_t{1} << 50))
            v *= 10;
    }
    if (roundUp)
        ++v;
    return neg ? -v : v;
}

int64_t CodecProtocol::ReadDigits(std::string_view s)
{
    int64_t v = 0;
    for (char c : s) {
        if (c < '0' || c > '9')
            break;
        v = v * 10 + (c - '0');
        if (v > std::numeric_limits<int32_t>::max())
            return std::numeric_limits<int32_t>::max();
    }
    return v;
}

int32_t CodecProtocol::RoundHalfAway(double v)
{
    const double r = v < 0 ? -std::floor(-v + 0.5) : std::floor(v + 0.5);
    if (!(r > std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    if (r >= std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(r);
}

int32_t CodecProtocol::Limit(int64_t v, int32_t lo, int32_t hi)
{
    if (v < lo)
        return lo;
    if (v > hi)
        return hi;
    return static_cast<int32_t>(v);
}

int32_t CodecProtocol::Wrap(int64_t v, int32_t lo, int32_t hi)
{
    if (v < lo)
        return hi;
    if (v > hi)
        return lo;
    return static_cast<int32_t>(v);
}

std::string CodecProtocol::Upper(std::string_view s)
{
    std::string out(s);
    for (size_t i = 0; i < out.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(out[i]);
        if (txt::IsLeadByte(c)) {
            ++i;
            continue;
        }
        if (c >= 'a' && c <= 'z')
            out[i] = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

cmcGTex* CodecProtocol::Texts()
{
    return g_GTex;
}
