#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cells/Segchar.h"
#include "cells/SegmentText.h"
#include "overlay/cmcGTex.h"
#include "support/ScopedGlobal.h"

namespace {

std::string Bytes(std::initializer_list<int> b)
{
    std::string s;
    for (int c : b)
        s += static_cast<char>(c);
    return s;
}

TEST(SegmentText, EscapedFormToStoredBytes)
{
    const struct {
        const char* typed;
        std::string stored;
    } cases[] = {
        {"AB.C", Bytes({'A', 0xC2, 'C'})},
        {".", Bytes({0xA0})},
        {"A..", Bytes({0xC1, 0xA0})},  // a consumed point, then a lone one
        {"..", Bytes({0xA0, 0xA0})},   // a lone point takes no second point
        {"%1F", Bytes({0x1F})},        // user character 15
        {"%10x", Bytes({0x10, 'x'})},
        {"%1f.", Bytes({0x9F})},
        {"%%", "%"},
        {"%%41", "%41"},
        {"%G1", "%G1"},  // not hexadecimal: as typed
        {"%05", "%05"},  // a blank code cannot be escaped
        {"%41", "A"},
        {"%7f%FF", Bytes({0x7F, 0xFF})},
        {"%", "%"},
        {"%1", "%1"},
        {"a\tb", "a b"},  // control bytes become spaces
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SegEscapedToStored(c.typed), c.stored) << c.typed;
    EXPECT_EQ(SegEscapedToStored(Bytes({0xC4, '.'})), Bytes({0xC4, 0xA0}));
    EXPECT_EQ(SegEscapedToStored(std::string(300, 'x')).size(), 255u);
}

TEST(SegmentText, StoredBytesToEscapedForm)
{
    const struct {
        std::string stored;
        const char* escaped;
    } cases[] = {
        {"AB\x05"
         "CD",
         "AB"},  // a blank code ends the text
        {Bytes({'A', 0xC2, 'C'}), "AB.C"},
        {Bytes({0xA0}), " ."},
        {Bytes({0x80}), " ."},
        {Bytes({0x85}), " ."},  // any blank with its point is a lone point
        {"%", "%%"},
        {Bytes({0x1F, 0x10}), "%1F%10"},
        {Bytes({0x7F}), "%7F"},
        {Bytes({0xFF}), "%7F."},
        {Bytes({0xA5}), "%%."},
        {Bytes({'Z', 0}), "Z"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SegStoredToEscaped(c.stored), c.escaped) << c.escaped;
    // The limit never cuts an escape in half.
    const std::string many(100, '\x1F');
    EXPECT_EQ(SegStoredToEscaped(many).size(), 255u);
    const std::string odd = "A" + many;
    EXPECT_EQ(SegStoredToEscaped(odd).size(), 253u);
}

TEST(SegmentText, EveryStoredByteSurvivesTheEscapedForm)
{
    for (int c = 16; c < 256; ++c) {
        if (c >= 0x80 && c < 0x90)
            continue;  // blanks with a point come back as a lone point (A0)
        if ((c & 0x7F) == '.')
            continue;  // a stored "." is shown as typed and reads back as a point
        const std::string one(1, static_cast<char>(c));
        const std::string two = one + "Q";
        EXPECT_EQ(SegEscapedToStored(SegStoredToEscaped(one)), one) << c;
        EXPECT_EQ(SegEscapedToStored(SegStoredToEscaped(two)), two) << c;
    }
}

TEST(SegmentText, PatternsOfStoredBytes)
{
    uint8_t user[32] = {};
    user[6] = 0x12;  // user character 3
    user[7] = 0x34;
    const struct {
        int stored;
        const uint8_t* table;
        uint16_t pattern;
    } cases[] = {
        {'0', nullptr, 0x3F24},  {'0' | 0x80, nullptr, 0x7F24},
        {'A', nullptr, 0x3B18},  {'z', nullptr, 0x2424},
        {127, nullptr, 0x0405},  {' ', nullptr, 0x0000},
        {0xA0, nullptr, 0x4000}, {5, nullptr, 0},
        {19, user, 0x1234},      {19 | 0x80, user, 0x5234},
        {19, nullptr, 0},        {16, user, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SegPattern(static_cast<uint8_t>(c.stored), c.table), c.pattern) << c.stored;
    EXPECT_EQ(SegBuiltinPattern(31), 0);
    EXPECT_EQ(SegBuiltinPattern(128), 0);
}

// A glyph of three segments in a box 10 units wide and 20 high: a top bar, a middle bar of
// two triangles, and a point that the editor does not offer.
const char* const kSmallGlyph =
    "1|(0,0)(10,0)(0,2)\n"
    "// the middle bar\n"
    " 2 | (0,9)(10,9)(10,11) | (0,9)(10,11)(0,11)\n"
    "-1|(8,18)(10,18)(10,20)\n"
    "0";

TEST(Segchar, ReadsSegmentsTrianglesAndExtents)
{
    Segchar g(kSmallGlyph);
    ASSERT_EQ(g.SegmentCount(), 3);
    EXPECT_EQ(g.Segments()[0].TriangleCount(), 1);
    EXPECT_EQ(g.Segments()[1].TriangleCount(), 2);
    EXPECT_EQ(g.Segments()[1].number, 2);
    EXPECT_EQ(g.Segments()[1].triangles[1].p[1].x, 10);
    EXPECT_EQ(g.Segments()[1].triangles[1].p[1].y, 11);
    EXPECT_TRUE(g.Segments()[1].editable);
    EXPECT_FALSE(g.Segments()[2].editable);
    EXPECT_EQ(g.MinX(), 0);
    EXPECT_EQ(g.MaxX(), 10);
    EXPECT_EQ(g.MinY(), 0);
    EXPECT_EQ(g.MaxY(), 20);

    g.SetPattern(0x5);  // segment i lit by bit n - 1 - i
    EXPECT_TRUE(g.Segments()[0].lit);
    EXPECT_FALSE(g.Segments()[1].lit);
    EXPECT_TRUE(g.Segments()[2].lit);
    EXPECT_EQ(g.Pattern(), 0x5);
}

TEST(Segchar, MalformedLinesGiveWhatCouldBeRead)
{
    Segchar g("3|(0,0)(1,0)(0,1)|(5,5)(6\nx\n2|(0,0)(1,1)(2,2)\n#next");
    ASSERT_EQ(g.SegmentCount(), 3);
    EXPECT_EQ(g.Segments()[0].TriangleCount(), 1);
    EXPECT_EQ(g.Segments()[1].TriangleCount(), 0);
    EXPECT_EQ(g.Segments()[2].TriangleCount(), 1);
    Segchar empty("");
    EXPECT_EQ(empty.SegmentCount(), 0);
    EXPECT_EQ(empty.Width(), 0);
}

TEST(Segchar, BuiltFromTheMainOverlay)
{
    const char* const lines[] = {"#GI_PCG_Seg_Data", "1|(0,0)(30,0)(0,60)", "#End_Of_Ovl", nullptr};
    cmcGTex store;
    store.UseLines(lines);
    {
        qvtest::ScopedGlobal<cmcGTex> install(g_GTex, &store);
        Segchar::ResetOverlay();
        const Segchar& g = Segchar::FromOverlay();
        EXPECT_EQ(g.SegmentCount(), 1);
        EXPECT_EQ(g.Width(), 30);
        EXPECT_EQ(&Segchar::FromOverlay(), &g);
    }
    Segchar::ResetOverlay();
}

TEST(DrawSegmentText, LayoutOfTheCharacterBoxes)
{
    const Segchar g(kSmallGlyph);
    SegTextLayout lay;
    // 8 characters in 16 places per row: 8 boxes of 20 pixels, one row of 40.
    ASSERT_TRUE(SegLayoutText({0, 0, 160, 40}, 8, 16, 1, g, &lay));
    EXPECT_EQ(lay.perRow, 8);
    EXPECT_DOUBLE_EQ(lay.scale, 1.6);  // 0.8 * 20 / 10 beats 0.8 * 40 / 20
    EXPECT_EQ(lay.pitch, 20);          // 1.6 * 10 * 1.25
    EXPECT_EQ(lay.marginX, 2);
    EXPECT_EQ(lay.marginY, 4);
    // A flat rectangle: the height decides.
    ASSERT_TRUE(SegLayoutText({0, 0, 160, 10}, 8, 8, 1, g, &lay));
    EXPECT_DOUBLE_EQ(lay.scale, 0.4);
    EXPECT_EQ(lay.pitch, 5);
    EXPECT_EQ(lay.marginX, 0);
    EXPECT_EQ(lay.marginY, 1);

    EXPECT_FALSE(SegLayoutText({0, 0, 160, 40}, 0, 16, 1, g, &lay));
    EXPECT_FALSE(SegLayoutText({0, 0, 160, 40}, 8, 16, 0, g, &lay));
    EXPECT_FALSE(SegLayoutText({0, 0, 4, 40}, 8, 16, 1, g, &lay));
    EXPECT_FALSE(SegLayoutText({0, 0, 160, 40}, 8, 16, 1, Segchar(""), &lay));
}

TEST(DrawSegmentText, TrianglesOfLitSegmentsOnly)
{
    // Code 16 is user character 0, whose pattern lights the top bar and the point.
    const Segchar g(kSmallGlyph);
    const uint8_t user[2] = {0x00, 0x05};
    const uint8_t text[] = {16, '.', 16, 0, 16};
    const auto tris = SegTextTriangles({10, 20, 170, 60}, text, 8, 16, 1, user, g);
    // char 0: top bar + point; char 1 ("." = lone point): built-in pattern 0x4000 lights
    // nothing of three segments; char 2: as char 0; the 0 byte ends the text.
    ASSERT_EQ(tris.size(), 4u);
    EXPECT_EQ(tris[0].p[1].x, 10 + 2 + 16);  // left + margin + 10 units * 1.6
    EXPECT_EQ(tris[0].p[1].y, 20 + 4);
    EXPECT_EQ(tris[1].p[0].x, 10 + 2 + 12);  // the point at 8 units
    EXPECT_EQ(tris[1].p[2].y, 20 + 4 + 32);
    EXPECT_EQ(tris[2].p[0].x, 10 + 2 + 2 * 20);  // third character, two pitches on
    EXPECT_TRUE(SegTextTriangles({0, 0, 160, 40}, nullptr, 8, 16, 1, user, g).empty());
}

TEST(DrawSegmentText, TheFifteenSegmentGlyphDrawsThePoint)
{
    // With the overlay's 15-segment glyph, bit 14 is segment 0: the decimal point.
    std::string entry =
        "-2|(43,66)(48,66)(48,72)|(43,66)(48,72)(43,72)\n"
        "2|(7,0)(33,0)(33,6)|(7,0)(33,6)(7,6)\n";
    for (int i = 2; i < 15; ++i)
        entry += "1|(0,0)(1,0)(0,1)\n";
    const Segchar g(entry);
    ASSERT_EQ(g.SegmentCount(), 15);
    const uint8_t point[] = {'.'};
    EXPECT_EQ(SegTextTriangles({0, 0, 100, 100}, point, 1, 16, 1, nullptr, g).size(), 2u);
    const uint8_t bar[] = {'^'};  // 0x0005: two one-triangle segments
    EXPECT_EQ(SegTextTriangles({0, 0, 100, 100}, bar, 1, 16, 1, nullptr, g).size(), 2u);
}

class RecordingCanvas : public cmcCanvas {
public:
    cmcColor FontColor() const override { return font; }
    void SetFontColor(cmcColor c) override { font = c; }
    cmcColor BrushColor() const override { return brush; }
    void SetBrushColor(cmcColor c) override { brush = c; }
    cmcColor PenColor() const override { return pen; }
    void SetPenColor(cmcColor c) override { pen = c; }
    void Polygon(const Point*, int count) override { polygons.push_back({count, brush, pen}); }
    struct Drawn {
        int count;
        cmcColor brush, pen;
    };
    cmcColor font = clNavy, brush = clWhite, pen = clRed;
    std::vector<Drawn> polygons;
};

TEST(DrawSegmentText, FillsInTheFontColourAndRestoresBrushAndPen)
{
    const Segchar g(kSmallGlyph);
    const uint8_t user[2] = {0x00, 0x06};
    const uint8_t text[] = {16};
    RecordingCanvas canvas;
    DrawSegmentText(canvas, {0, 0, 100, 40}, text, 1, 16, 1, user, g);
    ASSERT_EQ(canvas.polygons.size(), 3u);
    for (const auto& p : canvas.polygons) {
        EXPECT_EQ(p.count, 3);
        EXPECT_EQ(p.brush, clNavy);
        EXPECT_EQ(p.pen, clNavy);
    }
    EXPECT_EQ(canvas.brush, clWhite);
    EXPECT_EQ(canvas.pen, clRed);
}

}  // namespace
