#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cells/Segment.h"

class cmcGTex;

// The glyph of one character position of the radio's segment display, read from the
// overlay entry "GI_PCG_Seg_Data": line i describes segment i as its triangle count and the
// triangles, for example "2|(0,0)(4,0)(0,4)|(4,0)(4,4)(0,4)". A negative count marks a
// segment the character editor does not offer. Lines beginning with "//" and lines that are
// exactly "0" are not segments. A pattern lights segment i (of n) with bit n - 1 - i.
class Segchar {
public:
    static constexpr const char* kEntry = "GI_PCG_Seg_Data";

    Segchar() = default;
    // The entry's lines, joined with line feeds (as cmcGTex::GetLines gives them). A line
    // that is not well formed gives a segment of the triangles that could be read.
    explicit Segchar(std::string_view entry);

    // The glyph of the main overlay store (g_GTex), built once per store and file.
    static const Segchar& FromOverlay();
    // Forgets the glyph built by FromOverlay (tests that build stores over line arrays).
    static void ResetOverlay();

    int32_t SegmentCount() const { return static_cast<int32_t>(m_segments.size()); }
    const std::vector<Segment>& Segments() const { return m_segments; }
    Segment& SegmentAt(int32_t i) { return m_segments[i]; }

    void SetPattern(uint16_t pattern);
    uint16_t Pattern() const;

    // Extents over every point of every triangle; 999999999 and -999999999 when empty.
    int32_t MinX() const { return m_minX; }
    int32_t MaxX() const { return m_maxX; }
    int32_t MinY() const { return m_minY; }
    int32_t MaxY() const { return m_maxY; }
    int32_t Width() const { return m_maxX > m_minX ? m_maxX - m_minX : 0; }
    int32_t Height() const { return m_maxY > m_minY ? m_maxY - m_minY : 0; }

private:
    static Segment ParseLine(std::string_view line, int32_t number);

    std::vector<Segment> m_segments;
    int32_t m_minX = 999999999;
    int32_t m_maxX = -999999999;
    int32_t m_minY = 999999999;
    int32_t m_maxY = -999999999;
};
