#include <gtest/gtest.h>

#include "CodecTestFixture.h"
#include "cells/FixedPointCodec.h"

namespace {

using Capsule = cmcCellCapsule;

class FixedPointCodecTest : public CodecTest {};

// The forms the cells use.
const FixedPointCodec kLength{
    .storedDecimals = 2, .shownDecimals = 2, .min = 0.01, .max = 2.55, .step = 1};
const FixedPointCodec kWhole{
    .storedDecimals = 0, .shownDecimals = 3, .min = 0, .max = 15, .step = 1};
const FixedPointCodec kTenths{
    .storedDecimals = 1, .shownDecimals = 1, .min = 250.0, .max = 3300.0, .step = 1};
const FixedPointCodec kNoTone{
    .storedDecimals = 2, .shownDecimals = 3, .min = 0.02, .max = 0.30, .step = 2};
const FixedPointCodec kIfFreq{.storedDecimals = 6,
                              .shownDecimals = 4,
                              .min = -99.975,
                              .max = 99.975,
                              .step = 25000,
                              .steppingAllowed = false};

TEST_F(FixedPointCodecTest, Display)
{
    struct Case {
        const FixedPointCodec* codec;
        int32_t value;
        const char* shown;
    } cases[] = {
        {&kLength, 255, "  2.55"},         {&kLength, 1, "  0.01"},
        {&kWhole, 15, " 15.000"},          {&kTenths, 6700, "670.0"},
        {&kTenths, 12345, "1234.5"},  // wider than three: not cut
        {&kNoTone, 2, "  0.020"},          {&kIfFreq, 25000, "  0.0250"},
        {&kIfFreq, -25000, " -0.0250"},  // the sign of a value between -1 and 0 stays
        {&kIfFreq, -99975000, "-99.9750"}, {&kIfFreq, 1500000, "  1.5000"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.codec->Display(c.value), c.shown) << c.value;
        Capsule cap = Draw();
        int32_t v = c.value;
        EXPECT_EQ(c.codec->Run(cap, &v, repaint, opened), 0);
        EXPECT_EQ(cap.text, c.shown);
        EXPECT_EQ(cap.selLength, static_cast<int32_t>(cap.text.size()));
    }
}

TEST_F(FixedPointCodecTest, TypedText)
{
    struct Case {
        const FixedPointCodec* codec;
        const char* typed;
        int32_t before;
        int32_t expected;
        int changed;
    } cases[] = {
        {&kLength, "3", 100, 255, 1},  // limited to the range
        {&kLength, "0", 100, 1, 1},
        {&kLength, "1.234", 100, 123, 1},
        {&kLength, "1.235", 100, 124, 1},  // nearest, halves away from zero
        {&kLength, "x", 100, 100, 0},      // nothing kept: unchanged
        {&kLength, "-", 100, 1, 1},        // something kept: read as 0
        {&kNoTone, "0.25", 10, 24, 1},     // truncated to a multiple of the step
        {&kNoTone, "0.29", 10, 28, 1},
        {&kTenths, "670.04", 0, 6700, 1},
        {&kWhole, "7.6", 0, 8, 1},
        {&kIfFreq, "-0.025", 0, -25000, 1},
        {&kIfFreq, "-0.03", 0, -25000, 1},  // toward zero
        {&kIfFreq, "-0.05", 0, -50000, 1},
        {&kIfFreq, "-200", 0, -99975000, 1},
        {&kIfFreq, "99999999999", 0, 99975000, 1},
    };
    for (const Case& c : cases) {
        Capsule cap = Typed(c.typed);
        int32_t v = c.before;
        EXPECT_EQ(c.codec->Run(cap, &v, repaint, opened), c.changed) << c.typed;
        EXPECT_EQ(v, c.expected) << c.typed;
        EXPECT_EQ(cap.text, c.codec->Display(c.expected));
    }
}

TEST_F(FixedPointCodecTest, ANegativeValueSurvivesTheEditor)
{
    // What the editor shows, confirmed unchanged, stores the same value again.
    Capsule enter = Key(Capsule::kKeyEnter);
    int32_t v = -25000;
    kIfFreq.Run(enter, &v, repaint, opened);
    EXPECT_EQ(enter.text, "-0.0250");
    Capsule back = Typed(enter.text);
    kIfFreq.Run(back, &v, repaint, opened);
    EXPECT_EQ(v, -25000);
}

TEST_F(FixedPointCodecTest, StepsWrapAtTheBounds)
{
    struct Case {
        int32_t from;
        int32_t key;
        int32_t to;
    } cases[] = {{255, ' ', 1}, {1, 8, 255}, {100, ' ', 101}, {100, 8, 99}};
    for (const Case& c : cases) {
        Capsule cap = Key(c.key);
        int32_t v = c.from;
        EXPECT_EQ(kLength.Run(cap, &v, repaint, opened), 1);
        EXPECT_EQ(v, c.to);
        EXPECT_EQ(cap.text, kLength.Display(c.to));
    }
}

TEST_F(FixedPointCodecTest, KeysThatOpenTheEditor)
{
    struct Case {
        const FixedPointCodec* codec;
        int32_t key;
        const char* text;
        int32_t selStart;
        int32_t selLength;
    } cases[] = {
        {&kLength, Capsule::kKeyEnter, "1.50", 0, 4},
        {&kLength, '.', "1.50", 2, 0},  // the caret after the point
        {&kLength, '7', "7", 1, 0},
        {&kLength, '-', "-", 1, 0},
        {&kIfFreq, ' ', "1.5000", 0, 6},  // no stepping: space is Enter
        {&kIfFreq, 8, "1.5000", 0, 6},
    };
    for (const Case& c : cases) {
        Capsule cap = Key(c.key);
        int32_t v = c.codec == &kLength ? 150 : 1500000;
        opened = 0;
        EXPECT_EQ(c.codec->Run(cap, &v, repaint, opened), 0);
        EXPECT_EQ(opened, Capsule::kResultEditor) << c.key;
        EXPECT_EQ(cap.text, c.text);
        EXPECT_EQ(cap.selStart, c.selStart);
        EXPECT_EQ(cap.selLength, c.selLength);
    }
    FixedPointCodec empty = kLength;
    empty.emptyEditor = true;
    Capsule cap = Key(Capsule::kKeyEnter);
    int32_t v = 150;
    empty.Run(cap, &v, repaint, opened);
    EXPECT_EQ(cap.text, "");
}

}  // namespace
