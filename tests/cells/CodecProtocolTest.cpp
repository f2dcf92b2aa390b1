#include <gtest/gtest.h>

#include "CodecTestFixture.h"
#include "cells/CodecProtocol.h"
#include "platform/TextUtil.h"

namespace {

using Capsule = cmcCellCapsule;

class CodecProtocolTest : public CodecTest {
protected:
    void TearDown() override
    {
        txt::SetCodePage(1252);
        CodecTest::TearDown();
    }
};

class FakeCanvas : public cmcCanvas {
public:
    cmcColor FontColor() const override { return font; }
    void SetFontColor(cmcColor c) override { font = c; }
    cmcColor BrushColor() const override { return 0; }
    void SetBrushColor(cmcColor) override {}
    cmcColor PenColor() const override { return 0; }
    void SetPenColor(cmcColor) override {}
    void Polygon(const Point*, int) override {}
    cmcColor font = clBlack;
};

TEST_F(CodecProtocolTest, DisabledPresentationIsGreyDashes)
{
    FakeCanvas canvas;
    Capsule cap = Draw();
    cap.canvas = &canvas;
    CodecProtocol::ShowDisabled(cap);
    EXPECT_EQ(cap.text, "----");
    EXPECT_EQ(canvas.font, ColorRgb(192, 192, 192));

    Capsule noCanvas = Draw();
    CodecProtocol::ShowDisabled(noCanvas, "---");
    EXPECT_EQ(noCanvas.text, "---");
}

TEST_F(CodecProtocolTest, ReadScaledRoundsInDecimal)
{
    struct Case {
        const char* text;
        int decimals;
        int64_t expected;
    } cases[] = {
        {"1.235", 2, 124},      {"1.234", 2, 123}, {"-1.235", 2, -124}, {"2.55", 2, 255},
        {"3", 2, 300},          {".5", 0, 1},      {"-.5", 0, -1},      {"0.025", 6, 25000},
        {"-0.0249", 6, -24900}, {"1.2.3", 2, 120}, {"", 2, 0},          {"-", 1, 0},
        {"12-3", 1, 120},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CodecProtocol::ReadScaled(c.text, c.decimals), c.expected) << c.text;
}

TEST_F(CodecProtocolTest, FiltersSkipDoubleByteCharacters)
{
    txt::SetCodePage(932);
    // The second byte of each double-byte character is a digit or an "o": none is kept.
    EXPECT_EQ(CodecProtocol::KeepChars("1\x82"
                                       "5o\x81o",
                                       "0123456789o"),
              "1o");
    EXPECT_EQ(CodecProtocol::Upper("a\x82"
                                   "ab"),
              "A\x82"
              "aB");
}

TEST_F(CodecProtocolTest, HelpersSaturate)
{
    EXPECT_EQ(CodecProtocol::RoundHalfAway(2.5), 3);
    EXPECT_EQ(CodecProtocol::RoundHalfAway(-2.5), -3);
    EXPECT_EQ(CodecProtocol::RoundHalfAway(1e12), INT32_MAX);
    EXPECT_EQ(CodecProtocol::RoundHalfAway(-1e12), INT32_MIN);
    EXPECT_EQ(CodecProtocol::ReadDigits("99999999999999"), INT32_MAX);
    EXPECT_EQ(CodecProtocol::ReadDigits("12x3"), 12);
    EXPECT_EQ(CodecProtocol::Wrap(9, 1, 8), 1);
    EXPECT_EQ(CodecProtocol::Wrap(0, 1, 8), 8);
}

}  // namespace
