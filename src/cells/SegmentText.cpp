#include "cells/SegmentText.h"

#include "cells/Segchar.h"
#include "platform/TextUtil.h"

namespace {

const uint16_t kBuiltin[96] = {
    0x0000, 0x0042, 0x0140, 0x075A, 0x2D5A, 0x0924, 0x3699, 0x0020,  // space ! " # $ % & '
    0x0021, 0x0084, 0x00FF, 0x005A, 0x0004, 0x0018, 0x0001, 0x0024,  // ( ) * + , - . /
    0x3F24, 0x1800, 0x3618, 0x3C18, 0x1918, 0x2D18, 0x2F18, 0x3800,  // 0 .. 7
    0x3F18, 0x3D18, 0x3230, 0x0D11, 0x0424, 0x0418, 0x0481, 0x300A,  // 8 9 : ; < = > ?
    0x3E12, 0x3B18, 0x3C4A, 0x2700, 0x3C42, 0x2718, 0x2318, 0x2F08,  // @ A .. G
    0x1B18, 0x2442, 0x1E00, 0x0331, 0x0700, 0x1BA0, 0x1B81, 0x3F00,  // H .. O
    0x3318, 0x3F01, 0x3319, 0x2C88, 0x2042, 0x1F00, 0x0324, 0x1B05,  // P .. W
    0x00A5, 0x00A2, 0x2424, 0x2700, 0x0081, 0x3C00, 0x0005, 0x0400,  // X Y Z [ \ ] ^ _
    0x0080, 0x3E18, 0x0F18, 0x0618, 0x1E18, 0x3718, 0x2318, 0x3D18,  // ` a .. g
    0x0B18, 0x0002, 0x1E00, 0x0331, 0x0042, 0x0A1A, 0x0A18, 0x0E18,  // h .. o
    0x3318, 0x3918, 0x0218, 0x2C88, 0x0718, 0x0E00, 0x0324, 0x0E02,  // p .. w
    0x00A5, 0x1D18, 0x2424, 0x2700, 0x0042, 0x3C00, 0x2000, 0x0405,  // x y z { | } ~ 127
};

bool IsPrintable(unsigned c)
{
    return c >= 32 && c <= 126;
}

// Bytes the "%" escape may give: user characters, the upper half and printable bytes.
bool IsEscapable(unsigned c)
{
    return (c >= 16 && c <= 31) || c >= 127 || IsPrintable(c);
}

}  // namespace

uint16_t SegBuiltinPattern(int code)
{
    return code >= 32 && code <= 127 ? kBuiltin[code - 32] : 0;
}

uint16_t SegPattern(uint8_t stored, const uint8_t* userTable)
{
    const int c = stored & 0x7F;
    uint16_t pattern = 0;
    if (c >= 16 && c <= 31) {
        if (userTable)
            pattern =
                static_cast<uint16_t>((userTable[2 * (c - 16)] << 8) | userTable[2 * (c - 16) + 1]);
    } else {
        pattern = SegBuiltinPattern(c);
    }
    if (stored & 0x80)
        pattern |= kSegPointBit;
    return pattern;
}

std::string SegEscapedToStored(std::string_view typed)
{
    if (typed.size() > static_cast<size_t>(kSegMaxEscaped))
        typed = typed.substr(0, kSegMaxEscaped);
    std::string out;
    for (size_t i = 0; i < typed.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(typed[i]);
        if (c == '.') {
            // A point belongs to the character before it, unless that one has its point
            // already (or there is none): then it stands alone.
            if (!out.empty() && !(static_cast<unsigned char>(out.back()) & 0x80))
                out.back() = static_cast<char>(out.back() | 0x80);
            else
                out += static_cast<char>(0xA0);
            continue;
        }
        if (c == '%') {
            if (i + 1 < typed.size() && typed[i + 1] == '%') {
                out += '%';
                ++i;
                continue;
            }
            if (i + 2 < typed.size()) {
                int hi = txt::HexDigit(typed[i + 1]);
                int lo = txt::HexDigit(typed[i + 2]);
                if (hi >= 0 && lo >= 0 && IsEscapable(static_cast<unsigned>(hi * 16 + lo))) {
                    out += static_cast<char>(hi * 16 + lo);
                    i += 2;
                    continue;
                }
            }
            out += '%';
            continue;
        }
        out += (IsPrintable(c) || c >= 127) ? static_cast<char>(c) : ' ';
    }
    return out;
}

std::string SegStoredToEscaped(const uint8_t* bytes, size_t n)
{
    std::string out;
    for (size_t i = 0; i < n; ++i) {
        unsigned c = bytes[i];
        const bool point = (c & 0x80) != 0;
        if (point) {
            c &= 0x7F;
            if (c < 16)  // a blank with its point is a lone point
                c = ' ';
        } else if (c < 16) {
            break;
        }
        std::string piece;
        if (c == '%')
            piece = "%%";
        else if (IsPrintable(c))
            piece = std::string(1, static_cast<char>(c));
        else
            piece = txt::Format("%%%02X", c);
        if (point)
            piece += '.';
        if (out.size() + piece.size() > static_cast<size_t>(kSegMaxEscaped))
            break;
        out += piece;
    }
    return out;
}

bool SegLayoutText(const cmcRect& rect, int len, int a, int b, const Segchar& glyph,
                   SegTextLayout* layout)
{
    if (a > len)
        a = len;
    if (a <= 0 || b <= 0 || glyph.Width() <= 0 || glyph.Height() <= 0)
        return false;
    const int32_t boxWidth = (rect.right - rect.left) / a;
    const int32_t rowHeight = (rect.bottom - rect.top) / b;
    if (boxWidth <= 0 || rowHeight <= 0)
        return false;
    const double sx = 0.8 * boxWidth / glyph.Width();
    const double sy = 0.8 * rowHeight / glyph.Height();
    layout->scale = sx < sy ? sx : sy;
    layout->pitch = static_cast<int32_t>(layout->scale * glyph.Width() * 1.25);
    layout->marginX = static_cast<int32_t>(layout->pitch * 0.2 * 0.5);
    layout->marginY = static_cast<int32_t>(rowHeight * 0.2 * 0.5);
    layout->rowHeight = rowHeight;
    layout->perRow = a;
    return true;
}

std::vector<SegTriangle> SegTextTriangles(const cmcRect& rect, const uint8_t* text, int len, int a,
                                          int b, const uint8_t* userTable, const Segchar& glyph)
{
    std::vector<SegTriangle> out;
    SegTextLayout lay;
    if (!text || !SegLayoutText(rect, len, a, b, glyph, &lay))
        return out;
    const int32_t n = glyph.SegmentCount();
    for (int k = 0; k < len && text[k] != 0; ++k) {
        const uint8_t byte = text[k] == '.' ? 0xA0 : text[k];
        const uint16_t pattern = SegPattern(byte, userTable);
        // Characters beyond the first row start again at the left of their row.
        const int32_t x0 = rect.left + lay.marginX + lay.pitch * (k % lay.perRow);
        const int32_t y0 = rect.top + lay.marginY + (k / lay.perRow) * lay.rowHeight;
        for (int32_t i = 0; i < n; ++i) {
            const int bit = n - 1 - i;
            if (bit >= 16 || !((pattern >> bit) & 1))
                continue;
            for (const dataTriangle& t : glyph.Segments()[i].triangles) {
                SegTriangle tri;
                for (int j = 0; j < 3; ++j) {
                    tri.p[j].x = x0 + static_cast<int32_t>(t.p[j].x * lay.scale);
                    tri.p[j].y = y0 + static_cast<int32_t>(t.p[j].y * lay.scale);
                }
                out.push_back(tri);
            }
        }
    }
    return out;
}

void DrawSegmentText(cmcCanvas& canvas, const cmcRect& rect, const uint8_t* text, int len, int a,
                     int b, const uint8_t* userTable, const Segchar& glyph)
{
    const std::vector<SegTriangle> triangles =
        SegTextTriangles(rect, text, len, a, b, userTable, glyph);
    const cmcColor brush = canvas.BrushColor();
    const cmcColor pen = canvas.PenColor();
    canvas.SetBrushColor(canvas.FontColor());
    canvas.SetPenColor(canvas.FontColor());
    for (const SegTriangle& t : triangles)
        canvas.Polygon(t.p, 3);
    canvas.SetBrushColor(brush);
    canvas.SetPenColor(pen);
}
