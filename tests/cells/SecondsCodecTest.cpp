#include <gtest/gtest.h>

#include "CodecTestFixture.h"
#include "cells/MinSecCodec.h"
#include "cells/SecondsCodec.h"

namespace {

using Capsule = cmcCellCapsule;

class SecondsCodecTest : public CodecTest {};

const SecondsCodec kTenths{.unitsPerSecond = 10, .min = 0, .max = 255};
const SecondsCodec kTenthsOff{.unitsPerSecond = 10, .min = 0, .max = 255, .offTextAllowed = true};
const SecondsCodec kMillis{.unitsPerSecond = 1000, .min = 100, .max = 1275};
const SecondsCodec kPeriod{.unitsPerSecond = 10, .min = 0, .max = 255, .zerosToStrip = 2};

TEST_F(SecondsCodecTest, Display)
{
    struct Case {
        const SecondsCodec* codec;
        int32_t value;
        const char* shown;
    } cases[] = {
        {&kTenths, 25, "  2.500"},   {&kTenths, 0, "  0.000"},    {&kTenthsOff, 0, "Off"},
        {&kTenthsOff, 1, "  0.100"}, {&kMillis, 1275, "  1.275"}, {&kPeriod, 25, "  2.5"},
        {&kPeriod, 20, "  2.0"},  // two zeros at most
        {&kPeriod, 255, " 25.5"},
    };
    for (const Case& c : cases) {
        Capsule cap = Draw();
        int32_t v = c.value;
        EXPECT_EQ(c.codec->Run(cap, &v, repaint, opened), 0);
        EXPECT_EQ(cap.text, c.shown) << c.value;
    }
    // Stripping stops after removing the point.
    const SecondsCodec strip4{.unitsPerSecond = 1, .min = 0, .max = 255, .zerosToStrip = 4};
    EXPECT_EQ(strip4.Seconds(3), "  3");
    EXPECT_EQ(strip4.Seconds(30), " 30");
}

TEST_F(SecondsCodecTest, TheOffTextIsNotShownWhileAKeyIsHandled)
{
    Capsule cap = Key(Capsule::kKeyEnter);
    int32_t v = 0;
    kTenthsOff.Run(cap, &v, repaint, opened);
    EXPECT_EQ(opened, Capsule::kResultEditor);
    EXPECT_EQ(cap.text, "0.000");
}

TEST_F(SecondsCodecTest, TypedText)
{
    struct Case {
        const SecondsCodec* codec;
        const char* typed;
        int32_t expected;  // before: 50
        int changed;
    } cases[] = {
        {&kTenths, "2.55", 25, 1},  // 2.5505 units truncated
        {&kTenths, "0.3", 3, 1},    // 0.3 is not quite 3 tenths in binary: the 0.0005 helps
        {&kTenths, "99", 255, 1},   // limited
        {&kTenths, "-3", 30, 1},    // "-" is not kept
        {&kTenths, "abc", 50, 0},  {&kTenthsOff, "off", 0, 1}, {&kTenthsOff, "OFF", 0, 1},
        {&kTenthsOff, "oF", 0, 1}, {&kTenthsOff, "o", 50, 0},  // one letter is not "off"
        {&kMillis, "off", 100, 1},                             // no off text here: the range holds
        {&kMillis, "0", 100, 1},   {&kMillis, "0.5", 500, 1},  {&kMillis, "2", 1275, 1},
    };
    for (const Case& c : cases) {
        Capsule cap = Typed(c.typed);
        int32_t v = 50;
        EXPECT_EQ(c.codec->Run(cap, &v, repaint, opened), c.changed) << c.typed;
        EXPECT_EQ(v, c.expected) << c.typed;
    }
    Capsule off = Typed("Off");
    int32_t v = 50;
    kTenthsOff.Run(off, &v, repaint, opened);
    EXPECT_EQ(off.text, "Off");
}

TEST_F(SecondsCodecTest, KeysStepWrapOrOpenTheEditor)
{
    struct Case {
        const SecondsCodec* codec;
        int32_t from;
        int32_t key;
        int32_t to;
    } cases[] = {{&kTenths, 255, ' ', 0},
                 {&kTenths, 0, 8, 255},
                 {&kMillis, 1275, ' ', 100},
                 {&kMillis, 100, 8, 1275},
                 {&kTenths, 24, ' ', 25}};
    for (const Case& c : cases) {
        Capsule cap = Key(c.key);
        int32_t v = c.from;
        EXPECT_EQ(c.codec->Run(cap, &v, repaint, opened), 1);
        EXPECT_EQ(v, c.to);
    }
    for (int32_t key : {'5', '.', 'o', 'O'}) {
        Capsule cap = Key(key);
        int32_t v = 1;
        opened = 0;
        kTenths.Run(cap, &v, repaint, opened);
        EXPECT_EQ(opened, Capsule::kResultEditor);
        EXPECT_EQ(cap.text, std::string(1, static_cast<char>(key)));
    }
}

TEST_F(SecondsCodecTest, ByteVariantUsesTheWholeByteAndStripsNothing)
{
    uint8_t b = 255;
    Capsule step = Key(' ');
    EXPECT_EQ(kMillis.RunByte(step, &b, repaint, opened), 1);  // 0..255, not 100..1275
    EXPECT_EQ(b, 0);
    Capsule draw = Draw();
    b = 20;
    kPeriod.RunByte(draw, &b, repaint, opened);
    EXPECT_EQ(draw.text, "  2.000");
    Capsule none = Typed("x");
    EXPECT_EQ(kTenths.RunByte(none, &b, repaint, opened), 0);
    EXPECT_EQ(b, 20);
}

// MinSecCodec

const MinSecCodec kGps{.minSeconds = 30, .maxSeconds = 3570, .stepSeconds = 30};

TEST_F(SecondsCodecTest, MinSecTypedText)
{
    struct Case {
        const char* typed;
        int32_t expected;  // before: 10
        int changed;
    } cases[] = {
        {"1:15", 3, 1},                                   // 15 s is half a step: up
        {"1:14", 2, 1},     {"1:30", 3, 1}, {"2", 4, 1},  // minutes only
        {":45", 2, 1},                                    // 45 s: one step, rounded up
        {"0:00", 1, 1},                                   // limited to 30 s
        {"99:00", 119, 1},                                // limited to 3570 s
        {"1234:56", 10, 0},                               // longer than mmm:ss
        {"abc", 10, 0},
    };
    for (const Case& c : cases) {
        Capsule cap = Typed(c.typed);
        int32_t v = 10;
        EXPECT_EQ(kGps.Run(cap, &v, repaint, opened), c.changed) << c.typed;
        EXPECT_EQ(v, c.expected) << c.typed;
    }
}

TEST_F(SecondsCodecTest, MinSecDisplayAndSteps)
{
    struct Case {
        int32_t value;
        const char* shown;
    } cases[] = {{3, " 1:30"}, {1, " 0:30"}, {119, "59:30"}, {4, " 2:00"}};
    for (const Case& c : cases) {
        Capsule cap = Draw();
        int32_t v = c.value;
        kGps.Run(cap, &v, repaint, opened);
        EXPECT_EQ(cap.text, c.shown);
    }
    struct Step {
        int32_t from;
        int32_t key;
        int32_t to;
    } steps[] = {{119, ' ', 1}, {1, 8, 119}, {3, ' ', 4}};
    for (const Step& s : steps) {
        Capsule cap = Key(s.key);
        int32_t v = s.from;
        kGps.Run(cap, &v, repaint, opened);
        EXPECT_EQ(v, s.to);
    }
    Capsule colon = Key(':');
    int32_t v = 3;
    kGps.Run(colon, &v, repaint, opened);
    EXPECT_EQ(colon.text, ":");
    EXPECT_EQ(opened, Capsule::kResultEditor);
}

}  // namespace
