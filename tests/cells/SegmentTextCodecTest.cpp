#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cells/Segchar.h"
#include "cells/SegmentTextCodec.h"
#include "cells/UserCharCodec.h"
#include "cells/cmcCellObj.h"
#include "overlay/cmcGTex.h"
#include "support/CellPopupsRecorder.h"
#include "support/ScopedGlobal.h"

namespace {

// Two segments: a bar of one triangle (bit 1) and a point of one triangle (bit 0).
const char* const kLines[] = {
    "#GI_PCG_Seg_Data", "1|(0,0)(10,0)(0,20)", "-1|(8,18)(10,18)(10,20)", "#End_Of_Ovl", nullptr,
};

class Canvas : public cmcCanvas {
public:
    cmcColor FontColor() const override { return clBlack; }
    void SetFontColor(cmcColor) override {}
    cmcColor BrushColor() const override { return clWhite; }
    void SetBrushColor(cmcColor) override {}
    cmcColor PenColor() const override { return clWhite; }
    void SetPenColor(cmcColor) override {}
    void Polygon(const Point*, int) override { ++polygons; }
    int polygons = 0;
};

class SegmentTextCodecTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_texts.UseLines(kLines);
        Segchar::ResetOverlay();
    }
    void TearDown() override { Segchar::ResetOverlay(); }
    cmcCellCapsule Key(int32_t key)
    {
        cmcCellCapsule c;
        c.cell = &m_cell;
        c.grid = c.owner = reinterpret_cast<cuiGrid*>(&m_gridTag);
        c.key = key;
        return c;
    }
    cmcCellCapsule Input(int mode, const std::string& text)
    {
        cmcCellCapsule c = Key(0);
        c.inputMode = mode;
        c.inputText = text;
        if (mode == cmcCellCapsule::kInputChoice) {
            m_itemCell.id = Flex0;  // the windows answer with a Flex0 cell
            m_item.cell = &m_itemCell;
            c.context = &m_item;
        }
        return c;
    }

    cmcGTex m_texts;
    CellPopupsRecorder m_popups;
    qvtest::ScopedGlobal<cmcGTex> m_installTexts{g_GTex, &m_texts};
    qvtest::ScopedGlobal<ICellPopups> m_installPopups{g_CellPopups, &m_popups};
    cmcCellObj m_cell, m_itemCell;
    cmcCellCapsule m_item;
    int m_gridTag = 0;
    int repaint = 1;
    int opened = 0;
};

TEST_F(SegmentTextCodecTest, TypedTextIsStoredAndFilled)
{
    const struct {
        int mode;
        const char* typed;
        bool zeroFill;
        std::string stored;
        std::string shown;
    } cases[] = {
        {1, "AB.C", false,
         std::string("A\xC2"
                     "C     ",
                     8),
         "A\xC2"
         "C"},
        {2, ".", false, std::string("\xA0       ", 8), "\xA0"},
        {1, "%1F%%", true, std::string("\x1F%\0\0\0\0\0\0", 8), "\x1F%"},
        {1, "ABCDEFGHIJ", false, "ABCDEFGH", "ABCDEFGH"},  // only n bytes are stored
        {1, "", false, "        ", ""},
    };
    for (const auto& c : cases) {
        uint8_t value[9] = {1, 1, 1, 1, 1, 1, 1, 1, 0x77};
        SegmentTextCodec codec;
        codec.length = 8;
        codec.zeroFill = c.zeroFill;
        cmcCellCapsule cap = Input(c.mode, c.typed);
        EXPECT_EQ(codec.Run(cap, value, repaint, opened), 1) << c.typed;
        EXPECT_EQ(std::string(reinterpret_cast<char*>(value), 8), c.stored) << c.typed;
        EXPECT_EQ(value[8], 0x77);
        EXPECT_EQ(cap.text, c.shown) << c.typed;
    }
}

TEST_F(SegmentTextCodecTest, DrawingDrawsGlyphsAndShowsNoText)
{
    uint8_t value[4] = {16, 16 | 0x80, 0, 16};
    const uint8_t user[2] = {0x00, 0x02};  // user character 0: the bar
    SegmentTextCodec codec;
    codec.length = 4;
    codec.userChars = user;
    Canvas canvas;
    const cmcRect rect{0, 0, 100, 20};
    cmcCellCapsule cap;
    cap.cell = &m_cell;
    cap.canvas = &canvas;
    cap.rect = &rect;
    EXPECT_EQ(codec.Run(cap, value, repaint, opened), 0);
    EXPECT_EQ(cap.text, "");
    // Two bars: the point bit (14) is no segment of this small glyph, and the 0 byte ends
    // the text.
    EXPECT_EQ(canvas.polygons, 2);
}

TEST_F(SegmentTextCodecTest, KeysOpenTheSegmentTextWindow)
{
    uint8_t value[8] = {'A', 'B', ' ', ' ', ' ', ' ', ' ', ' '};
    const uint8_t user[32] = {};
    SegmentTextCodec codec;
    codec.length = 8;
    codec.userChars = user;
    const struct {
        int32_t key;
        bool opens;
        std::string bytes;
        bool selectAll;
    } cases[] = {{13, true, "AB", true},     {8, true, "AB", true},   {'x', true, "x", false},
                 {'.', true, "\xA0", false}, {' ', true, " ", false}, {200, false, "", false},
                 {127, false, "", false}};
    for (const auto& c : cases) {
        m_popups.Clear();
        opened = 0;
        cmcCellCapsule cap = Key(c.key);
        codec.Run(cap, value, repaint, opened);
        ASSERT_EQ(m_popups.Requests().size(), c.opens ? 1u : 0u) << c.key;
        if (!c.opens)
            continue;
        EXPECT_EQ(opened, 1);
        const auto& r = m_popups.Last();
        EXPECT_EQ(r.window, CellPopupsRecorder::Window::SegmentText);
        EXPECT_EQ(r.bytes, c.bytes) << c.key;
        EXPECT_EQ(r.selectAll, c.selectAll) << c.key;
        EXPECT_EQ(r.length, 8);
        EXPECT_EQ(r.userChars, user);
    }
}

TEST_F(SegmentTextCodecTest, UserCharacterPattern)
{
    const struct {
        const char* typed;
        uint8_t hi, lo;
    } cases[] = {{"4660", 0x12, 0x34},
                 {" 65535 ", 0xFF, 0xFF},
                 {"70000", 0xFF, 0xFF},
                 {"12a", 0, 0},
                 {"", 0, 0},
                 {"-1", 0, 0}};
    for (auto c : cases) {
        uint8_t value[2] = {0x55, 0x55};
        UserCharCodec codec;
        cmcCellCapsule cap = Input(cmcCellCapsule::kInputChoice, c.typed);
        EXPECT_EQ(codec.Run(cap, value, repaint, opened), 1) << c.typed;
        EXPECT_EQ(value[0], c.hi) << c.typed;
        EXPECT_EQ(value[1], c.lo) << c.typed;
    }
    // Typed text is not how a pattern arrives; a foreign list's choice is ignored.
    uint8_t value[2] = {0x12, 0x34};
    UserCharCodec codec;
    cmcCellCapsule typed = Input(cmcCellCapsule::kInputText, "1");
    EXPECT_EQ(codec.Run(typed, value, repaint, opened), 0);
    cmcCellCapsule foreign = Input(cmcCellCapsule::kInputChoice, "1");
    m_itemCell.id = Flex1;
    EXPECT_EQ(codec.Run(foreign, value, repaint, opened), 0);
    EXPECT_EQ(value[0], 0x12);

    cmcCellCapsule enter = Key(13);
    opened = 0;
    codec.Run(enter, value, repaint, opened);
    ASSERT_EQ(m_popups.Requests().size(), 1u);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(m_popups.Last().window, CellPopupsRecorder::Window::CharEditor);
    EXPECT_EQ(m_popups.Last().value, 0x1234u);

    Canvas canvas;
    const cmcRect rect{0, 0, 20, 20};
    cmcCellCapsule draw;
    draw.canvas = &canvas;
    draw.rect = &rect;
    uint8_t both[2] = {0x00, 0x03};
    codec.Run(draw, both, repaint, opened);
    EXPECT_EQ(canvas.polygons, 2);
}

}  // namespace
