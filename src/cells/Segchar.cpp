#include "cells/Segchar.h"

#include <cstdlib>
#include <memory>

#include "overlay/cmcGTex.h"
#include "platform/TextUtil.h"

namespace {

// Reads a signed decimal number at s[pos], advancing pos; false when there is none.
bool ReadInt(const std::string& s, size_t& pos, int32_t& value)
{
    size_t start = pos;
    if (pos < s.size() && (s[pos] == '-' || s[pos] == '+'))
        ++pos;
    size_t digits = pos;
    long v = 0;
    while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9') {
        if (v < 100000000)
            v = v * 10 + (s[pos] - '0');
        ++pos;
    }
    if (pos == digits) {
        pos = start;
        return false;
    }
    value = static_cast<int32_t>(s[start] == '-' ? -v : v);
    return true;
}

bool Expect(const std::string& s, size_t& pos, char c)
{
    if (pos < s.size() && s[pos] == c) {
        ++pos;
        return true;
    }
    return false;
}

}  // namespace

Segchar::Segchar(std::string_view entry)
{
    int32_t number = 0;
    for (const std::string& raw : txt::Split(entry, '\n')) {
        std::string line = txt::Trim(raw);
        if (!line.empty() && line[0] == '#')
            break;
        if (line.rfind("//", 0) == 0 || line == "0" || line.empty()) {
            ++number;
            continue;
        }
        m_segments.push_back(ParseLine(line, number++));
    }
    for (const Segment& seg : m_segments) {
        for (const dataTriangle& t : seg.triangles) {
            for (const auto& p : t.p) {
                m_minX = p.x < m_minX ? p.x : m_minX;
                m_maxX = p.x > m_maxX ? p.x : m_maxX;
                m_minY = p.y < m_minY ? p.y : m_minY;
                m_maxY = p.y > m_maxY ? p.y : m_maxY;
            }
        }
    }
}

Segment Segchar::ParseLine(std::string_view line, int32_t number)
{
    Segment seg;
    seg.number = number;
    const std::string s = txt::RemoveSpaces(line);
    size_t pos = 0;
    int32_t count = 0;
    if (!ReadInt(s, pos, count))
        return seg;
    seg.editable = count >= 0;
    const int32_t wanted = count < 0 ? -count : count;
    for (int32_t k = 0; k < wanted; ++k) {
        dataTriangle t;
        t.number = k;
        bool ok = Expect(s, pos, '|');
        for (int j = 0; ok && j < 3; ++j) {
            ok = Expect(s, pos, '(') && ReadInt(s, pos, t.p[j].x) && Expect(s, pos, ',') &&
                 ReadInt(s, pos, t.p[j].y) && Expect(s, pos, ')');
        }
        if (!ok)
            break;
        seg.triangles.push_back(t);
    }
    return seg;
}

namespace {
struct OverlayGlyph {
    cmcGTex* store = nullptr;
    std::string fileName;
    std::unique_ptr<Segchar> glyph;
};
OverlayGlyph& Built()
{
    static OverlayGlyph built;
    return built;
}
}  // namespace

const Segchar& Segchar::FromOverlay()
{
    OverlayGlyph& b = Built();
    const std::string fileName = g_GTex ? g_GTex->FileName() : std::string();
    if (!b.glyph || b.store != g_GTex || b.fileName != fileName) {
        b.store = g_GTex;
        b.fileName = fileName;
        b.glyph = std::make_unique<Segchar>(g_GTex ? g_GTex->GetLines(kEntry) : std::string());
    }
    return *b.glyph;
}

void Segchar::ResetOverlay()
{
    Built().glyph.reset();
}

void Segchar::SetPattern(uint16_t pattern)
{
    const int32_t n = SegmentCount();
    for (int32_t i = 0; i < n; ++i) {
        int bit = n - 1 - i;
        m_segments[i].lit = bit < 16 && ((pattern >> bit) & 1);
    }
}

uint16_t Segchar::Pattern() const
{
    const int32_t n = SegmentCount();
    uint32_t pattern = 0;
    for (int32_t i = 0; i < n; ++i) {
        int bit = n - 1 - i;
        if (m_segments[i].lit && bit < 16)
            pattern |= 1u << bit;
    }
    return static_cast<uint16_t>(pattern);
}
