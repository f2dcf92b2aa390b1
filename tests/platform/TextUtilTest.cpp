#include <gtest/gtest.h>

#include <clocale>

#include "platform/TextUtil.h"

namespace {

TEST(TextUtil, FieldsCountFromZeroAndMissingFieldIsNone)
{
    EXPECT_EQ(txt::Field("a\tb\tc", '\t', 0), "a");
    EXPECT_EQ(txt::Field("a\tb\tc", '\t', 2), "c");
    EXPECT_EQ(txt::Field("a\t\tc", '\t', 1), "");
    EXPECT_FALSE(txt::Field("a\tb", '\t', 2).has_value());
}

TEST(TextUtil, DoubleByteTrailDoesNotSplit)
{
    txt::SetCodePage(932);
    // 0x81 0x09 is one double-byte character whose trail byte equals a tab.
    const std::string line = std::string("x\x81\x09y") + "\tz";
    EXPECT_EQ(txt::Field(line, '\t', 0), std::string("x\x81\x09y"));
    EXPECT_EQ(txt::Field(line, '\t', 1), "z");
    txt::SetCodePage(1252);
    EXPECT_EQ(txt::Field(line, '\t', 1), "y");
}

TEST(TextUtil, DecimalReadingRoundsHalvesAwayFromZero)
{
    struct Case {
        const char* in;
        int32_t out;
    } cases[] = {{"12", 12},
                 {"2.5", 3},
                 {"-2.5", -3},
                 {"2.49", 2},
                 {"a1b2", 12},
                 {"", 0},
                 {"1234567890", 123456789},
                 {" 7 ", 7}};
    for (const auto& c : cases)
        EXPECT_EQ(txt::ReadDecimal(c.in), c.out) << c.in;
}

TEST(TextUtil, DecimalReadingIgnoresTheLocale)
{
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    std::string saved = old ? old : "C";
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr)
        GTEST_SKIP() << "no decimal-comma locale installed";
    EXPECT_EQ(txt::ReadDecimal("2.5"), 3);
    EXPECT_EQ(txt::Format("%.2f", 2.5), "2.50");
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(TextUtil, HexRoundTripAndOddDigit)
{
    EXPECT_EQ(txt::HexToBytes("0aFz1"), (std::vector<uint8_t>{0x0A, 0xF1}));
    EXPECT_EQ(txt::HexToBytes("ABC"), (std::vector<uint8_t>{0xAB, 0xC0}));
    const uint8_t b[] = {0x00, 0x7F, 0xFF};
    EXPECT_EQ(txt::BytesToHex(b, 3), "007FFF");
}

TEST(TextUtil, NibblesAndBitsFromTheTop)
{
    uint8_t b[2] = {0x12, 0x80};
    EXPECT_EQ(txt::GetNibble(b, 0), 1);
    EXPECT_EQ(txt::GetNibble(b, 1), 2);
    txt::SetNibble(b, 3, 0xF);
    EXPECT_EQ(b[1], 0x8F);
    EXPECT_TRUE(txt::GetBitMsb(b, 8));
    txt::SetBitMsb(b, 0, true);
    EXPECT_EQ(b[0], 0x92);
}

TEST(TextUtil, TrimmersAndAmpersands)
{
    EXPECT_EQ(txt::Trim(" \ta b\t "), "a b");
    EXPECT_EQ(txt::SkipSpaces(" \ta "), "a ");
    EXPECT_EQ(txt::RemoveSpaces(" a b\t"), "ab");
    EXPECT_EQ(txt::UpTo("abc,def;", ";,"), "abc");
    EXPECT_EQ(txt::DoubleAmpersand("A&B"), "A&&B");
}

}  // namespace

namespace {

TEST(TextUtil, LeadingIntegersAreHeldAtTheLimit)
{
    struct Case {
        const char* in;
        bool ok;
        int32_t out;
    } cases[] = {{" \t-12x", true, -12},
                 {"+7", true, 7},
                 {"99999999999", true, INT32_MAX},
                 {"-99999999999", true, -INT32_MAX},
                 {"x1", false, 0},
                 {"-", false, 0},
                 {"", false, 0}};
    for (const Case& c : cases) {
        int32_t v = 0;
        EXPECT_EQ(txt::ReadLeadingInt(c.in, &v), c.ok) << c.in;
        EXPECT_EQ(v, c.out) << c.in;
    }
}

}  // namespace
