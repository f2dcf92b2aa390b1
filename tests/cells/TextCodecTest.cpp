#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "CodecTestFixture.h"
#include "cells/DigitCodec.h"
#include "cells/HexDigitsCodec.h"
#include "cells/TextCodec.h"
#include "platform/TextUtil.h"

namespace {

using Capsule = cmcCellCapsule;

class TextCodecTest : public CodecTest {
protected:
    void TearDown() override
    {
        txt::SetCodePage(1252);
        CodecTest::TearDown();
    }
};

std::string Bytes(const uint8_t* b, int n)
{
    return std::string(reinterpret_cast<const char*>(b), n);
}

TEST_F(TextCodecTest, TypedTextPerVariant)
{
    struct Case {
        int variant;
        const char* typed;
        const char* stored;  // 6 bytes
        int storedLength;
        const char* shown;
    } cases[] = {
        {TextCodec::kSpaceFilled, "ab cd", "ab cd ", 6, "ab cd"},
        {TextCodec::kSpaceFilled, "abcdefgh", "abcdef", 6, "abcdef"},
        {TextCodec::kZeroFilled, "ab cd", "ab\0cd\0", 6, "ab"},
        {TextCodec::kZeroFilledLower, "AB Cd", "ab\0cd\0", 6, "ab"},
        {TextCodec::kZeroFilledKeepSpaces, "ab cd", "ab cd\0", 6, "ab cd"},
        {TextCodec::kSpaceFilled, "a\tb\x7f", "a b   ", 6, "a b"},  // not printable: fill
        {TextCodec::kZeroFilled, "a\tb", "a\0b\0\0\0", 6, "a"},
    };
    for (const Case& c : cases) {
        uint8_t v[6];
        std::memset(v, 'x', sizeof v);
        Capsule cap = Typed(c.typed);
        EXPECT_EQ((TextCodec{6, c.variant}.Run(cap, v, repaint, opened)), 1);
        EXPECT_EQ(Bytes(v, 6), std::string(c.stored, c.storedLength)) << c.typed;
        EXPECT_EQ(cap.text, c.shown);
    }
}

TEST_F(TextCodecTest, StoredBytesAreCleanedAndShownUpToTheFirstZero)
{
    struct Case {
        int variant;
        const char* stored;
        const char* shown;
    } cases[] = {
        // Space-filled: a 0 is not printable either, so it becomes a space.
        {TextCodec::kSpaceFilled, "Hi   Z", "Hi   Z"},
        {TextCodec::kZeroFilled, "Hi\0\0\0Z", "Hi"},
        {TextCodec::kZeroFilledKeepSpaces, "Hi\0 \0Z", "Hi"},
    };
    for (const Case& c : cases) {
        uint8_t v[6] = {'H', 'i', 0x01, ' ', 0, 'Z'};
        Capsule cap = Draw();
        EXPECT_EQ((TextCodec{6, c.variant}.Run(cap, v, repaint, opened)), 0);
        EXPECT_EQ(Bytes(v, 6), std::string(c.stored, 6)) << c.variant;
        EXPECT_EQ(cap.text, c.shown);
    }
}

TEST_F(TextCodecTest, AChoiceStoresItsTextToo)
{
    uint8_t v[4] = {'a', 'a', 'a', 'a'};
    Capsule cap = Choice(Flex0, 0, "xy");
    EXPECT_EQ((TextCodec{4, TextCodec::kSpaceFilled}.Run(cap, v, repaint, opened)), 1);
    EXPECT_EQ(Bytes(v, 4), "xy  ");
}

TEST_F(TextCodecTest, LengthCountsBytesAndNeverCutsADoubleByteCharacter)
{
    txt::SetCodePage(932);
    // "ab", then a double-byte character whose second byte is "@": it does not fit in 3.
    // The byte after the field is the next field's and stays.
    uint8_t v[4] = {'q', 'q', 'q', 'Z'};
    Capsule cap = Typed("ab\x82@");
    TextCodec{3, TextCodec::kSpaceFilled}.Run(cap, v, repaint, opened);
    EXPECT_EQ(Bytes(v, 4), "ab Z");
    // A stored double-byte character goes whole; its second byte is no "@" of its own.
    uint8_t w[4] = {'a', 0x82, '@', 'b'};
    Capsule draw = Draw();
    TextCodec{4, TextCodec::kSpaceFilled}.Run(draw, w, repaint, opened);
    EXPECT_EQ(Bytes(w, 4), "a  b");
    // A lead byte in the field's last place has its second byte outside: only it goes.
    uint8_t x[4] = {'a', 'b', 0x82, 'Z'};
    Capsule last = Draw();
    TextCodec{3, TextCodec::kSpaceFilled}.Run(last, x, repaint, opened);
    EXPECT_EQ(Bytes(x, 4), "ab Z");
}

TEST_F(TextCodecTest, KeysOpenTheEditor)
{
    struct Case {
        int32_t key;
        const char* text;
        int32_t selStart;
    } cases[] = {{Capsule::kKeyEnter, "abc", 0},
                 {' ', "abc", 0},
                 {8, "abc", 0},
                 {'Q', "Q", 1},
                 {'~', "~", 1}};
    for (const Case& c : cases) {
        uint8_t v[3] = {'a', 'b', 'c'};
        Capsule cap = Key(c.key);
        opened = 0;
        TextCodec{3, TextCodec::kSpaceFilled}.Run(cap, v, repaint, opened);
        EXPECT_EQ(opened, Capsule::kResultEditor);
        EXPECT_EQ(cap.text, c.text);
        EXPECT_EQ(cap.selStart, c.selStart);
    }
    uint8_t v[3] = {'a', 'b', 'c'};
    Capsule cap = Key(200);
    opened = 0;
    TextCodec{3, TextCodec::kSpaceFilled}.Run(cap, v, repaint, opened);
    EXPECT_EQ(opened, 0);
}

// HexDigitsCodec

TEST_F(TextCodecTest, HexDigitsTypedText)
{
    struct Case {
        bool letters;
        const char* typed;
        int32_t expected;  // packed, 4 digits; before: 0x1234
        int changed;
    } cases[] = {
        {true, "abcd", 0xABCD, 1}, {true, "7", 0x0007, 1},     {true, "12345", 0x1234, 1},
        {true, "a-b", 0x00AB, 1},  {false, "12ab", 0x0012, 1}, {false, "ab", 0x1234, 0},
        {true, "xyz", 0x1234, 0},  {true, "", 0x1234, 0},      {true, "0", 0x0000, 1},
    };
    for (const Case& c : cases) {
        Capsule cap = Typed(c.typed);
        int32_t v = 0x1234;
        EXPECT_EQ((HexDigitsCodec{4, c.letters}.RunPacked(cap, &v, repaint, opened)), c.changed)
            << c.typed;
        EXPECT_EQ(v, c.expected) << c.typed;
        EXPECT_EQ(cap.text, txt::Format("%04X", c.expected));
    }
}

TEST_F(TextCodecTest, HexDigitsOnePerElement)
{
    uint8_t digits[6] = {1, 2, 3, 4, 5, 6};
    Capsule draw = Draw();
    HexDigitsCodec{6, false}.Run(draw, digits, repaint, opened);
    EXPECT_EQ(draw.text, "123456");
    Capsule cap = Typed("98");
    EXPECT_EQ((HexDigitsCodec{6, false}.Run(cap, digits, repaint, opened)), 1);
    EXPECT_EQ(Bytes(digits, 6), std::string("\0\0\0\0\x09\x08", 6));
    EXPECT_EQ(cap.text, "000098");
}

TEST_F(TextCodecTest, HexDigitsKeys)
{
    struct Case {
        bool letters;
        int32_t key;
        const char* editorText;  // null: no editor
    } cases[] = {{true, 'c', "c"},    {false, 'c', nullptr}, {false, '9', "9"},
                 {true, ' ', "00AB"}, {true, 13, "00AB"},    {true, 'g', nullptr}};
    for (const Case& c : cases) {
        Capsule cap = Key(c.key);
        int32_t v = 0xAB;
        opened = 0;
        HexDigitsCodec{4, c.letters}.RunPacked(cap, &v, repaint, opened);
        EXPECT_EQ(opened == Capsule::kResultEditor, c.editorText != nullptr) << c.key;
        if (c.editorText != nullptr) {
            EXPECT_EQ(cap.text, c.editorText);
        }
        EXPECT_EQ(v, 0xAB);
    }
}

// DigitCodec

TEST_F(TextCodecTest, DigitTypedAndShown)
{
    struct Case {
        bool f;
        const char* typed;
        int32_t expected;  // before: 3
    } cases[] = {{false, "7", 7}, {false, "e", 14}, {false, "E", 14},
                 {false, "f", 3}, {true, "F", 15},  {true, "f", 15},
                 {false, "x", 3}, {false, "", 3},   {false, "95", 9}};
    for (const Case& c : cases) {
        Capsule cap = Typed(c.typed);
        int32_t v = 3;
        DigitCodec{c.f}.Run(cap, &v, repaint, opened);
        EXPECT_EQ(v, c.expected) << c.typed;
        EXPECT_EQ(cap.text, std::string(1, "0123456789ABCDEF"[c.expected]));
        EXPECT_EQ(cap.selLength, 1);
    }
    for (int32_t key : {'a', 'F', '0'}) {
        Capsule cap = Key(key);
        int32_t v = 3;
        opened = 0;
        DigitCodec{false}.Run(cap, &v, repaint, opened);
        EXPECT_EQ(opened == Capsule::kResultEditor, key != 'F') << key;
    }
    uint8_t b = 2;
    Capsule cap = Typed("c");
    EXPECT_EQ(DigitCodec{false}.RunByte(cap, &b, repaint, opened), 1);
    EXPECT_EQ(b, 12);
}

}  // namespace
