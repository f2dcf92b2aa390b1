#include <gtest/gtest.h>

#include "CodecTestFixture.h"
#include "cells/AdjustCodec.h"
#include "cells/IntCodec.h"
#include "cells/PaddedIntCodec.h"
#include "platform/TextUtil.h"

namespace {

using Capsule = cmcCellCapsule;

class IntCodecTest : public CodecTest {};

TEST_F(IntCodecTest, TypedText)
{
    struct Case {
        IntCodec codec;
        const char* typed;
        int32_t expected;  // the value before is 7
        int changed;
    } cases[] = {
        {{.min = 1, .max = 8}, "5", 5, 1},
        {{.min = 1, .max = 8}, "12", 8, 1},  // limited
        {{.min = 1, .max = 8}, "-3", 1, 1},
        {{.min = 1, .max = 8}, "4.5", 5, 1},  // halves away from zero
        {{.min = 1, .max = 8}, " 3 x", 3, 1},
        {{.min = 1, .max = 8}, "abc", 7, 0},  // no digit: kept
        {{.min = 1, .max = 8}, "-", 7, 0},
        {{.min = 1, .max = 8}, "", 7, 0},
        {{.min = 1, .max = 8}, ".", 1, 1},                   // a "." counts: reads 0, limited
        {{.min = 0, .max = 100, .step = 5}, "12", 10, 1},    // 2.4 steps -> 2
        {{.min = 0, .max = 100, .step = 5}, "13", 15, 1},    // 2.6 steps -> 3
        {{.min = 0, .max = 100, .step = 5}, "12.5", 15, 1},  // 13 -> 15
        {{.min = 1, .max = 12, .offset = 11}, "23", 12, 1},  // shown 12..23, stored - 11
        {{.min = 1, .max = 12, .offset = 11}, "15", 4, 1},
        {{.min = -115, .max = -100}, "-107", -107, 1},
        {{.min = 0, .max = 255}, "1234567890123", 255, 1},  // cut to 9 characters
    };
    for (const Case& c : cases) {
        Capsule cap = Typed(c.typed);
        int32_t v = 7;
        EXPECT_EQ(c.codec.Run(cap, &v, repaint, opened), c.changed) << c.typed;
        EXPECT_EQ(v, c.expected) << c.typed;
        EXPECT_EQ(opened, 0);
    }
}

TEST_F(IntCodecTest, SpaceAndBackspaceWrapOrSaturate)
{
    struct Case {
        IntCodec codec;
        int32_t from;
        int32_t key;
        int32_t to;
    } cases[] = {
        {{.min = 1, .max = 8}, 8, ' ', 1},
        {{.min = 1, .max = 8}, 1, 8, 8},
        {{.min = 1, .max = 8}, 4, ' ', 5},
        {{.min = 1, .max = 8, .saturate = true}, 8, ' ', 8},
        {{.min = 1, .max = 8, .saturate = true}, 1, 8, 1},
        {{.min = -115, .max = -100}, -100, ' ', -115},
        {{.min = -115, .max = -100}, -115, 8, -100},
        {{.min = 0, .max = 12, .step = 5}, 10, ' ', 0},
        {{.min = 0, .max = 12, .step = 5}, 0, 8, 10},     // to 12, truncated to a multiple
        {{.min = 0, .max = 100, .step = 5}, 7, ' ', 10},  // 12 truncated
    };
    for (const Case& c : cases) {
        Capsule cap = Key(c.key);
        int32_t v = c.from;
        EXPECT_EQ(c.codec.Run(cap, &v, repaint, opened), c.from != c.to ? 1 : 0);
        EXPECT_EQ(v, c.to) << c.from << " key " << c.key;
        EXPECT_EQ(cap.text, std::to_string(c.to));
    }
}

TEST_F(IntCodecTest, DisplayAddsTheOffsetOrShowsTheFixedText)
{
    Capsule a = Draw();
    int32_t v = 1;
    IntCodec{.min = 1, .max = 12, .offset = 11}.Run(a, &v, repaint, opened);
    EXPECT_EQ(a.text, "12");
    EXPECT_EQ(a.selLength, 2);
    Capsule b = Draw();
    IntCodec{.min = 1, .max = 12, .fixedText = "n/a"}.Run(b, &v, repaint, opened);
    EXPECT_EQ(b.text, "n/a");
}

TEST_F(IntCodecTest, ClampLimitsAStoredValueOutsideTheRange)
{
    Capsule cap = Draw();
    int32_t v = 300;
    EXPECT_EQ((IntCodec{.min = 0, .max = 16, .clamp = true}.Run(cap, &v, repaint, opened)), 1);
    EXPECT_EQ(v, 16);
    EXPECT_EQ(cap.text, "16");
    Capsule plain = Draw();
    v = 300;
    EXPECT_EQ((IntCodec{.min = 0, .max = 16}.Run(plain, &v, repaint, opened)), 0);
    EXPECT_EQ(v, 300);
}

TEST_F(IntCodecTest, KeysThatOpenTheEditor)
{
    struct Case {
        int32_t min;
        int32_t key;
        bool editor;
        const char* text;
        int32_t selStart;
    } cases[] = {
        {1, Capsule::kKeyEnter, true, "5", 0},
        {1, '3', true, "3", 1},
        {1, '-', false, "", 0},
        {-115, '-', true, "-", 1},
        {1, 'a', false, "", 0},
    };
    for (const Case& c : cases) {
        Capsule cap = Key(c.key);
        int32_t v = 5;
        opened = 0;
        IntCodec{.min = c.min, .max = 255}.Run(cap, &v, repaint, opened);
        EXPECT_EQ(opened == Capsule::kResultEditor, c.editor) << c.key;
        if (c.editor) {
            EXPECT_EQ(cap.text, c.text);
            EXPECT_EQ(cap.selStart, c.selStart);
            EXPECT_EQ(cap.selLength, c.selStart == 0 ? 1 : 0);
        }
    }
}

TEST_F(IntCodecTest, ByteVariantReadsNegativeRangesAsSigned)
{
    // -107 is stored as the byte 0x95.
    uint8_t b = 0x95;
    Capsule draw = Draw();
    EXPECT_EQ((IntCodec{.min = -115, .max = -100}.RunByte(draw, &b, repaint, opened)), 0);
    EXPECT_EQ(draw.text, "-107");
    Capsule step = Key(' ');
    EXPECT_EQ((IntCodec{.min = -115, .max = -100}.RunByte(step, &b, repaint, opened)), 1);
    EXPECT_EQ(b, 0x96);
    b = 0x9C;  // -100: wraps to -115
    Capsule wrap = Key(' ');
    IntCodec{.min = -115, .max = -100}.RunByte(wrap, &b, repaint, opened);
    EXPECT_EQ(b, static_cast<uint8_t>(-115));

    // Unsigned ranges read the byte as it is; the byte variant never saturates.
    b = 200;
    Capsule high = Draw();
    IntCodec{.min = 0, .max = 255}.RunByte(high, &b, repaint, opened);
    EXPECT_EQ(high.text, "200");
    b = 255;
    Capsule u = Key(' ');
    IntCodec{.min = 0, .max = 255, .saturate = true}.RunByte(u, &b, repaint, opened);
    EXPECT_EQ(b, 0);
    // No change, no write.
    b = 9;
    Capsule none = Typed("x");
    EXPECT_EQ((IntCodec{.min = 0, .max = 255}.RunByte(none, &b, repaint, opened)), 0);
    EXPECT_EQ(b, 9);
}

TEST_F(IntCodecTest, AContextLeavesTheRequestAlone)
{
    Capsule cap = Choice(Flex0, 3);
    int32_t v = 5;
    EXPECT_EQ((IntCodec{.min = 0, .max = 9}.Run(cap, &v, repaint, opened)), 0);
    EXPECT_EQ(v, 5);
    EXPECT_EQ(cap.text, "");
}

// PaddedIntCodec

TEST_F(IntCodecTest, PaddedIntShowsFourDigitsAndRefusesOutOfRange)
{
    const PaddedIntCodec codec{.width = 4, .min = 0, .max = 4095};
    struct Case {
        const char* typed;
        int32_t expected;  // before: 100
    } cases[] = {{"7", 7}, {"4095", 4095}, {"4096", 100}, {"-1", 100}, {"x", 100}, {"12.6", 13}};
    for (const Case& c : cases) {
        Capsule cap = Typed(c.typed);
        int32_t v = 100;
        codec.Run(cap, &v, repaint, opened);
        EXPECT_EQ(v, c.expected) << c.typed;
        EXPECT_EQ(cap.text, txt::Format("%04d", c.expected));
    }
    Capsule nofill = Draw();
    int32_t v = 7;
    PaddedIntCodec{.width = 4, .min = 0, .max = 4095, .noFill = true}.Run(nofill, &v, repaint,
                                                                          opened);
    EXPECT_EQ(nofill.text, "7");
}

TEST_F(IntCodecTest, PaddedIntStepsWrap)
{
    const PaddedIntCodec codec{.width = 4, .min = 0, .max = 4095};
    struct Case {
        int32_t from;
        int32_t key;
        int32_t to;
    } cases[] = {{4095, ' ', 0}, {0, 8, 4095}, {9, ' ', 10}};
    for (const Case& c : cases) {
        Capsule cap = Key(c.key);
        int32_t v = c.from;
        EXPECT_EQ(codec.Run(cap, &v, repaint, opened), 1);
        EXPECT_EQ(v, c.to);
    }
    Capsule enter = Key(Capsule::kKeyEnter);
    int32_t v = 42;
    codec.Run(enter, &v, repaint, opened);
    EXPECT_EQ(opened, Capsule::kResultEditor);
    EXPECT_EQ(enter.text, "0042");
}

TEST_F(IntCodecTest, PaddedIntAndAdjustKeysThatOpenTheEditor)
{
    struct Case {
        bool adjust;
        int32_t min;
        int32_t key;
        const char* text;  // null: no editor
        int32_t selStart;
    } cases[] = {
        {false, 0, '5', "5", 1},     {false, 0, '-', nullptr, 0}, {false, -9, '-', "-", 1},
        {false, 0, 'x', nullptr, 0}, {true, 0, '7', "7", 1},      {true, 0, '-', nullptr, 0},
        {true, -5, '-', "-", 1},     {true, 0, ' ', "42", 0},  // no stepping rule: as Enter
        {true, 0, 8, "42", 0},       {true, 0, 'a', nullptr, 0},
    };
    for (const Case& c : cases) {
        Capsule cap = Key(c.key);
        int32_t v = 42;
        opened = 0;
        if (c.adjust)
            AdjustCodec{.min = c.min, .max = 255}.Run(cap, &v, repaint, opened);
        else
            PaddedIntCodec{.width = 4, .min = c.min, .max = 4095, .noFill = true}.Run(
                cap, &v, repaint, opened);
        EXPECT_EQ(v, 42);
        EXPECT_EQ(opened == Capsule::kResultEditor, c.text != nullptr)
            << (c.adjust ? "adjust " : "padded ") << c.key;
        if (c.text != nullptr) {
            EXPECT_EQ(cap.text, c.text);
            EXPECT_EQ(cap.selStart, c.selStart);
        }
    }
}

// AdjustCodec

TEST_F(IntCodecTest, AdjustArrowsStepByOneOrFiveWithShift)
{
    struct Case {
        bool shift;
        int32_t from;
        int32_t key;
        int32_t to;
    } cases[] = {
        {false, 100, Capsule::kKeyRightEdge, 101}, {false, 100, Capsule::kKeyLeftEdge, 99},
        {true, 100, Capsule::kKeyRightEdge, 105},  {true, 102, Capsule::kKeyRightEdge, 105},
        {true, 253, Capsule::kKeyRightEdge, 255},  // limited first: 255 is a multiple of 5
        {false, 255, Capsule::kKeyRightEdge, 255}, {false, 0, Capsule::kKeyLeftEdge, 0},
        {true, 3, Capsule::kKeyLeftEdge, 0},
    };
    for (const Case& c : cases) {
        Capsule cap = Key(c.key);
        int32_t v = c.from;
        // The arrows always count as a change, so the value is sent to the radio again.
        EXPECT_EQ(
            (AdjustCodec{.min = 0, .max = 255, .shiftDown = c.shift}.Run(cap, &v, repaint, opened)),
            1);
        EXPECT_EQ(v, c.to) << c.from;
        EXPECT_EQ(cap.text, std::to_string(c.to));
    }
}

TEST_F(IntCodecTest, AdjustTypedTextAndEnterBehaviour)
{
    Capsule typed = Typed("300");
    int32_t v = 5;
    EXPECT_EQ((AdjustCodec{.min = 0, .max = 255}.Run(typed, &v, repaint, opened)), 1);
    EXPECT_EQ(v, 255);

    Capsule enter = Key(Capsule::kKeyEnter);
    AdjustCodec{.min = 0, .max = 255}.Run(enter, &v, repaint, opened);
    EXPECT_EQ(opened, Capsule::kResultEditor);
    EXPECT_EQ(enter.text, "255");

    opened = 0;
    Capsule window = Key(Capsule::kKeyEnter);
    AdjustCodec{.min = 0, .max = 255, .enterBehaviour = AdjustCodec::kEnterPopup}.Run(
        window, &v, repaint, opened);
    EXPECT_EQ(opened, Capsule::kResultPopup);
}

TEST_F(IntCodecTest, AdjustBar)
{
    EXPECT_EQ(AdjustCodec::Bar(0, 0, 255), "[--------------------]");
    EXPECT_EQ(AdjustCodec::Bar(128, 0, 255), "[##########----------]");
    EXPECT_EQ(AdjustCodec::Bar(255, 0, 255), "[####################]");
    // Outside the range and an empty range stay inside the brackets.
    EXPECT_EQ(AdjustCodec::Bar(300, 0, 255), "[####################]");
    EXPECT_EQ(AdjustCodec::Bar(-5, 0, 255), "[--------------------]");
    EXPECT_EQ(AdjustCodec::Bar(7, 7, 7), "[--------------------]");
}

}  // namespace
