#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cells/cmcCanvas.h"

class Segchar;

// Texts of the radio's segment display. A stored character byte has the decimal point lit
// after it in bit 7 and the character code in bits 6..0: 0 to 15 blank, 16 to 31 the
// user-defined characters 0 to 15, 32 to 127 built-in glyphs. The user types such a text in
// an escaped form: "%" and two hexadecimal digits for a byte that cannot be typed (user
// characters are %10 to %1F), "%%" for "%", and "." after a character for its point.

constexpr uint16_t kSegPointBit = 0x4000;
constexpr int kSegUserChars = 16;
constexpr int kSegMaxEscaped = 255;

// Segment pattern of a built-in glyph (codes 32 to 127); 0 for other codes.
uint16_t SegBuiltinPattern(int code);
// Segment pattern of a stored byte, with the point bit added when bit 7 is set. userTable
// holds the 16 user patterns as big-endian pairs (may be null: user characters are blank).
uint16_t SegPattern(uint8_t stored, const uint8_t* userTable);

// The stored bytes of an escaped text (at most its first 255 characters are read).
std::string SegEscapedToStored(std::string_view typed);
// The escaped form of stored bytes, up to n bytes or the first byte 0 to 15, at most 255
// characters long.
std::string SegStoredToEscaped(const uint8_t* bytes, size_t n);
inline std::string SegStoredToEscaped(std::string_view bytes)
{
    return SegStoredToEscaped(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

// Where the characters of a segment text go in a cell rectangle.
struct SegTextLayout {
    double scale = 0;     // glyph units to pixels
    int32_t pitch = 0;    // distance between characters
    int32_t marginX = 0;  // left margin
    int32_t marginY = 0;  // top margin
    int32_t rowHeight = 0;
    int32_t perRow = 0;  // characters per row after limiting to the length
};

// The layout of len characters, a per row, in b rows; false when nothing can be drawn
// (no characters, no rows, an empty glyph or rectangle).
bool SegLayoutText(const cmcRect& rect, int len, int a, int b, const Segchar& glyph,
                   SegTextLayout* layout);

// One filled triangle of a drawn segment text, in pixels.
struct SegTriangle {
    cmcCanvas::Point p[3];
};

// The triangles that draw the text (up to len bytes or a 0 byte; a stored "." is drawn as
// a lone point) in the rectangle, a characters per row in b rows.
std::vector<SegTriangle> SegTextTriangles(const cmcRect& rect, const uint8_t* text, int len, int a,
                                          int b, const uint8_t* userTable, const Segchar& glyph);

// Draws the text onto the canvas in the font colour, restoring brush and pen afterwards.
void DrawSegmentText(cmcCanvas& canvas, const cmcRect& rect, const uint8_t* text, int len, int a,
                     int b, const uint8_t* userTable, const Segchar& glyph);
