#include <gtest/gtest.h>

#include "cells/cmcFont.h"

namespace {

cmcFont Font17()
{
    cmcFont f;
    f.SetHeight(-17);
    f.style = cmcFont::fsItalic;
    return f;
}

TEST(cmcFont, HeightAndSizeAreOneQuantity)
{
    cmcFont f;
    f.SetHeight(-17);
    EXPECT_EQ(f.size, 13);  // 17 px at 96 per inch is 12.75 pt
    f.SetSize(12);
    EXPECT_EQ(f.height, -16);
    EXPECT_EQ(f.PixelHeight(), 16);
}

TEST(cmcFont, HugeNumbersAreHeldAtTheLimit)
{
    cmcFont f;
    f.ApplyDescription(",,,99999999999");
    EXPECT_EQ(f.height, INT32_MAX);
    // A huge percentage of a huge height neither overflows nor wraps in sign.
    f.ApplyDescription(",,,%99999999999");
    EXPECT_EQ(f.height, INT32_MAX);
    f.ApplyDescription(",,,-99999999999");
    EXPECT_EQ(f.height, -INT32_MAX);
    f.ApplyDescription(",,,,2147483647");
    f.ApplyDescription(",,,,%99999999999");
    EXPECT_EQ(f.size, INT32_MAX);
}

TEST(cmcFont, DescriptionFields)
{
    struct Case {
        const char* text;
        void (*expect)(cmcFont&);  // turns the start font into the expected one
    };
    const Case cases[] = {
        // Only colour and style change; the style is exactly bold afterwards.
        {",,clWhite,,,fsBold,",
         [](cmcFont& f) {
             f.color = clWhite;
             f.style = cmcFont::fsBold;
         }},
        {"", [](cmcFont&) {}},
        {",,,,,,", [](cmcFont&) {}},
        {",,,%150,,,", [](cmcFont& f) { f.SetHeight(-25); }},  // -2550 / 100 toward zero
        {",,,%0,,,", [](cmcFont& f) { f.SetHeight(1); }},      // 0 becomes 1
        {",,,0,,,", [](cmcFont&) {}},                          // a plain 0 leaves it
        {",,,-20,,,", [](cmcFont& f) { f.SetHeight(-20); }},
        {",,,x,,,", [](cmcFont&) {}},
        {",,,,10,,", [](cmcFont& f) { f.SetSize(10); }},
        {",,,,%50,,", [](cmcFont& f) { f.SetSize(6); }},  // 13 pt * 50 / 100
        {" SHIFTJIS_CHARSET \t", [](cmcFont& f) { f.charset = 128; }},
        {"SHIFTJIS_CHARSETX", [](cmcFont&) {}},
        {"OEM_CHARSET,  Noto Sans Mono",
         [](cmcFont& f) {
             f.charset = 255;
             f.name = "Noto Sans Mono";
         }},
        {",,clBogus", [](cmcFont&) {}},
        {",,,,,fsBold+fsUnderline",
         [](cmcFont& f) { f.style = cmcFont::fsBold | cmcFont::fsUnderline; }},
        // The first recognised name clears the styles; unknown names change nothing.
        {",,,,,fsBogus+fsStrikeOut", [](cmcFont& f) { f.style = cmcFont::fsStrikeOut; }},
        {",,,,,fsBogus", [](cmcFont&) {}},
        {",,,,,,fpFixed", [](cmcFont& f) { f.pitch = cmcFont::fpFixed; }},
        {",,,,,,fpVariable ", [](cmcFont& f) { f.pitch = cmcFont::fpVariable; }},
        {",,,,,,,ignored,fields", [](cmcFont&) {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        cmcFont f = Font17();
        f.ApplyDescription(c.text);
        cmcFont expected = Font17();
        c.expect(expected);
        EXPECT_EQ(f, expected);
    }
}

}  // namespace
