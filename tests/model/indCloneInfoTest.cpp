#include <gtest/gtest.h>

#include "model/indCloneInfo.h"

namespace {

indCloneInfo Parsed(const indCloneInfo& in)
{
    const std::vector<uint8_t> block = in.Build();
    indCloneInfo out;
    EXPECT_TRUE(out.Parse(block.data(), block.size()));
    return out;
}

TEST(indCloneInfo, BuildAndParseKeepEveryField)
{
    indCloneInfo in;
    in.model[0] = 0x44;
    in.model[1] = 0x02;
    in.format = 1;
    in.revision = 0x23;
    in.option11 = 0x02;
    in.option12 = 0x31;
    in.option13 = 0x40;
    in.status = 0x20;
    in.password = 0x08;
    in.comment1 = "FIRST LINE";
    in.comment2 = "SECOND LINE";
    in.serial = "0001020000FF";
    in.checkSum = "BEEF";
    in.readEnd = "07F3";
    const std::vector<uint8_t> block = in.Build();
    ASSERT_EQ(block.size(), 80u);
    EXPECT_EQ(block[0], 80);
    EXPECT_EQ(block[3], 1);
    EXPECT_EQ(block[15], 0x08);
    EXPECT_EQ(std::string(block.begin() + 64, block.begin() + 68), "07F3");
    const indCloneInfo out = Parsed(in);
    EXPECT_EQ(out.model[0], 0x44);
    EXPECT_EQ(out.revision, 0x23);
    EXPECT_EQ(out.option12, 0x31);
    EXPECT_EQ(out.status, 0x20);
    EXPECT_EQ(out.comment1, "FIRST LINE      ");
    EXPECT_EQ(out.comment2, "SECOND LINE     ");
    EXPECT_EQ(out.serial, "0001020000FF");
    EXPECT_EQ(out.checkSum, "BEEF");
}

TEST(indCloneInfo, ParseRefusesOtherSizes)
{
    const std::vector<uint8_t> block(79, 0);
    indCloneInfo info;
    EXPECT_FALSE(info.Parse(block.data(), block.size()));
    EXPECT_FALSE(info.Parse(nullptr, 80));
}

TEST(indCloneInfo, ShownTexts)
{
    struct Case {
        const char* serial;
        const char* checkSum;
        const char* serialText;
        const char* checkSumText;
    };
    const Case cases[] = {
        // 4, 2 and 6 hexadecimal digits, shown as 4, 2 and 7 decimal ones.
        {"04D20C00007B", "3A5C", "1234120000123", "$3A5C"},
        {"FFFFFFFFFFFF", "ffff", "6553525516777215", "$FFFF"},
        {"000000000000", "12 G", "0000000000000", "$0012"},
        // Any character that is not a hexadecimal digit: a single space.
        {"04D20C00007G", "    ", " ", "$0000"},
        {"04D2 C00007B", "ZZZZ", " ", "$0000"},
    };
    for (const Case& c : cases) {
        indCloneInfo info;
        info.serial = c.serial;
        info.checkSum = c.checkSum;
        info = Parsed(info);
        EXPECT_EQ(info.SerialText(), c.serialText) << c.serial;
        EXPECT_EQ(info.CheckSumText(), c.checkSumText) << c.checkSum;
    }
}

TEST(indCloneInfo, ModelLineAndRevision)
{
    const std::pair<uint8_t, int> cases[] = {{0x80, 0}, {0xE4, 0}, {0x60, 2}, {0x64, 2}, {0x40, 1},
                                             {0x44, 1}, {0x20, 0}, {0x04, 3}, {0x00, 0}};
    for (const auto& [m0, line] : cases) {
        indCloneInfo info;
        info.model[0] = m0;
        EXPECT_EQ(info.ModelLine(), line) << int(m0);
    }
    indCloneInfo info;
    info.revision = 0x1A;
    EXPECT_EQ(info.RevisionText(), "1.10");
}

}  // namespace
