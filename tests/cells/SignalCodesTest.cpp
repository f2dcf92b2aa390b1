#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "cells/CodeNumberCodec.h"
#include "cells/CodecTestFixture.h"
#include "cells/DtmfCodeCodec.h"
#include "cells/FiveToneCodeCodec.h"
#include "cells/cmcCellObj.h"
#include "cells/cmcPackedBcd.h"

namespace {

const char* const kLines[] = {
    "#GI_Sheet_Sel_RxC_AbcSel_Cells",
    "{(%Flex0[0])}Off",
    "{(%Flex0[1])}Code",
    "{(%Flex0[33])}A",
    "{(%Flex0[34])}B",
    "#",
    "#GI_Sheet_Sel_RxC_AbcCode_Cells",
    "{(%Flex1[1])}1",
    "{(%Flex1[2])}2",
    "#End_Of_Ovl",
    nullptr,
};

class SignalCodesTest : public CodecTest {
protected:
    const char* const* Lines() const override { return kLines; }
};

TEST(cmcPackedBcd, WritesDigitsIntoNibblesOnly)
{
    cmcPackedBcd d;
    for (int v : {1, 2, 0x1E})  // one digit per element, 4 bits each
        d.AddDigit(v);
    EXPECT_EQ(d.Count(), 3);
    EXPECT_EQ(d.Digit(2), 0x0E);
    uint8_t bytes[3] = {0xFF, 0xFF, 0xAA};
    d.WriteTo(bytes);
    EXPECT_EQ(bytes[0], 0x12);
    EXPECT_EQ(bytes[1], 0xEF);  // the low nibble of byte 1 is kept
    EXPECT_EQ(bytes[2], 0xAA);
}

TEST_F(SignalCodesTest, DtmfTypedCodes)
{
    const struct {
        const char* typed;
        int max;
        std::vector<uint8_t> digits;
        int count;
        const char* shown;
    } cases[] = {
        {"12*#A", 16, {0x12, 0xEF, 0xA0, 0x00, 0x00, 0x00, 0x00, 0x00}, 5, "12*#A"},
        {"1-2 3x", 16, {0x12, 0x30, 0, 0, 0, 0, 0, 0}, 3, "123"},
        {"abcdef", 16, {0xAB, 0xCD, 0xEF, 0, 0, 0, 0, 0}, 6, "ABCD*#"},
        {"123456789", 4, {0x12, 0x34, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, 4, "1234"},
        {"", 4, {0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, 0, ""},
    };
    for (const auto& c : cases) {
        uint8_t digits[8];
        std::fill(digits, digits + 8, 0xFF);
        uint8_t count = 9;
        DtmfCodeCodec codec;
        codec.maxDigits = c.max;
        cmcCellCapsule cap = Typed(c.typed);
        EXPECT_EQ(codec.Run(cap, digits, &count, repaint, opened), 1) << c.typed;
        EXPECT_EQ(std::vector<uint8_t>(digits, digits + 8), c.digits) << c.typed;
        EXPECT_EQ(count, c.count) << c.typed;
        EXPECT_EQ(cap.text, c.shown) << c.typed;
    }
}

TEST_F(SignalCodesTest, DtmfCountAboveTheMaximumAndKeys)
{
    uint8_t digits[2] = {0x12, 0x34};
    uint8_t count = 200;
    DtmfCodeCodec codec;
    codec.maxDigits = 3;
    cmcCellCapsule draw;
    codec.Run(draw, digits, &count, repaint, opened);
    EXPECT_EQ(draw.text, "123");
    EXPECT_EQ(count, 200);  // only shown as the maximum

    const struct {
        int32_t key;
        int opened;
        const char* text;
    } keys[] = {{13, 2, "123"}, {32, 2, "123"}, {8, 2, "123"}, {'7', 2, "7"},
                {'b', 2, "b"},  {'*', 2, "*"},  {'#', 2, "#"}, {'g', 0, "123"}};
    for (auto k : keys) {
        opened = 0;
        cmcCellCapsule cap = Key(k.key);
        EXPECT_EQ(codec.Run(cap, digits, &count, repaint, opened), 0);
        EXPECT_EQ(opened, k.opened) << k.key;
        EXPECT_EQ(cap.text, k.text) << k.key;
    }
}

TEST_F(SignalCodesTest, FiveToneTypedCodes)
{
    const struct {
        const char* typed;
        bool receive;
        std::vector<uint8_t> code;
        uint8_t marks;
        const char* shown;
        bool changed;
    } cases[] = {
        {"12345", true, {0x12, 0x34, 0x5F, 0xFF}, 0x00, "12345", true},
        {"1+3*5", true, {0x10, 0x3E, 0x5F, 0xFF}, 0x40, "1+3*5", true},  // repeat digit E
        {"1G2g", true, {0x1E, 0x2E, 0xFF, 0xFF}, 0x00, "1*2*", true},
        {"1+3", false, {0x13, 0xFF, 0xFF, 0xFF}, 0x00, "13", true},   // no marks to send
        {"12F34", true, {0x12, 0xFF, 0xFF, 0xFF}, 0x00, "12", true},  // F ends the code
        {"f", true, {0xFF, 0xFF, 0xFF, 0xFF}, 0x00, "", true},
        {"123456789", true, {0x12, 0x34, 0x56, 0x78}, 0x00, "12345678", true},
        {"abcde", true, {0xAB, 0xCD, 0xEF, 0xFF}, 0x00, "ABCD*", true},    // E is the repeat
        {"xyz", true, {0x99, 0x99, 0x99, 0x99}, 0x01, "9999999+", false},  // kept
        {"", true, {0x99, 0x99, 0x99, 0x99}, 0x01, "9999999+", false},
    };
    for (const auto& c : cases) {
        uint8_t code[4] = {0x99, 0x99, 0x99, 0x99};
        uint8_t marks = 0x01;
        FiveToneCodeCodec codec;
        codec.receive = c.receive;
        codec.repeatDigit = 14;
        cmcCellCapsule cap = Typed(c.typed);
        EXPECT_EQ(codec.Run(cap, code, &marks, repaint, opened), c.changed ? 1 : 0) << c.typed;
        EXPECT_EQ(std::vector<uint8_t>(code, code + 4), c.code) << c.typed;
        EXPECT_EQ(marks, c.marks) << c.typed;
        EXPECT_EQ(cap.text, c.shown) << c.typed;
    }
}

TEST_F(SignalCodesTest, FiveToneKeys)
{
    uint8_t code[4] = {0x12, 0xFF, 0xFF, 0xFF};
    uint8_t marks = 0;
    FiveToneCodeCodec codec;
    for (int32_t key : {'+', 'G', 'g', '#', '*', 'a', '9'}) {
        opened = 0;
        cmcCellCapsule cap = Key(key);
        codec.Run(cap, code, &marks, repaint, opened);
        EXPECT_EQ(opened, 2) << key;
        EXPECT_EQ(cap.text, std::string(1, static_cast<char>(key)));
    }
    opened = 0;
    cmcCellCapsule cap = Key('x');
    codec.Run(cap, code, &marks, repaint, opened);
    EXPECT_EQ(opened, 0);
    cap = Key(8);
    codec.Run(cap, code, &marks, repaint, opened);
    EXPECT_EQ(opened, 2);
    EXPECT_EQ(cap.text, "12");
}

TEST_F(SignalCodesTest, CodeNumbers)
{
    const struct {
        const char* typed;
        int32_t value;  // 7 when refused
        const char* shown;
    } cases[] = {{"12", 12, "12"},  {"32", 32, "32"}, {"99", 32, "32"},
                 {"off", 0, "Off"}, {"OF", 0, "Off"}, {"0", 0, "Off"},
                 {"x", 7, "7"},     {"", 7, "7"},     {"o1", 1, "1"}};
    for (auto c : cases) {
        int32_t v = 7;
        CodeNumberCodec codec;
        cmcCellCapsule cap = Typed(c.typed);
        EXPECT_EQ(codec.Run(cap, &v, repaint, opened), c.value != 7 ? 1 : 0) << c.typed;
        EXPECT_EQ(v, c.value) << c.typed;
        EXPECT_EQ(cap.text, c.shown) << c.typed;
    }

    int32_t v = 33;
    CodeNumberCodec codec;
    cmcCellCapsule cap = Key(32);  // stepping passes over the number item
    codec.Run(cap, &v, repaint, opened);
    EXPECT_EQ(v, 34);
    EXPECT_EQ(cap.text, "B");
    v = 0;
    cap = Key(32);
    codec.Run(cap, &v, repaint, opened);
    EXPECT_EQ(v, 33);
    v = 5;  // a code number steps as the number item
    cap = Key(8);
    codec.Run(cap, &v, repaint, opened);
    EXPECT_EQ(v, 0);

    // Choosing the number item opens the number list; its choice is stored.
    v = 12;
    cap = Choice(Flex0, 1);
    EXPECT_EQ(codec.Run(cap, &v, repaint, opened), 0);
    ASSERT_EQ(m_popups.Requests().size(), 1u);
    EXPECT_EQ(m_popups.Last().listName, "GI_Sheet_Sel_RxC_AbcCode");
    EXPECT_EQ(m_popups.Last().startValue, 12);
    cap = Choice(Flex1, 2);
    EXPECT_EQ(codec.Run(cap, &v, repaint, opened), 1);
    EXPECT_EQ(v, 2);
    cap = Choice(Flex0, 34);
    EXPECT_EQ(codec.Run(cap, &v, repaint, opened), 1);
    EXPECT_EQ(v, 34);

    cap = Key(13);
    codec.Run(cap, &v, repaint, opened);
    EXPECT_EQ(m_popups.Last().listName, "GI_Sheet_Sel_RxC_AbcSel");
    for (int32_t key : {'5', '.', 'o', 'O'}) {
        opened = 0;
        cap = Key(key);
        codec.Run(cap, &v, repaint, opened);
        EXPECT_EQ(opened, 2) << key;
    }
}

}  // namespace
