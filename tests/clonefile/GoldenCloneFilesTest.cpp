#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "clonefile/cmcClnFile.h"
#include "common/cmcEeprom.h"

namespace fs = std::filesystem;

namespace {

struct Golden {
    const char* file;
    int code;             // the read's result
    const char* comment;  // the comment the file was saved with
};

void PrintTo(const Golden& g, std::ostream* os)
{
    *os << g.file;
}

std::string Slurp(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

const int32_t kEeprom[] = {0x0000, 0x077F, 1, 0};

bool BelowTwo(void*, int mapRev)
{
    return mapRev < 2;
}

void Configure(cmcClnFile& f, cmcEeprom& image)
{
    f.AttachImage(&image);
    f.SetModelCode(0x3285);
    f.SetExtraCode(0);
    f.SetMapRevCheck(BelowTwo, nullptr);
    f.SetMapRev(1);
}

// Each golden file read as the open command reads it; a good one saved again gives the same
// bytes, a bad one leaves the image as it was.
class GoldenCloneFile : public ::testing::TestWithParam<Golden> {};

TEST_P(GoldenCloneFile, LoadThenSaveIsByteExact)
{
    const Golden& g = GetParam();
    const fs::path source = fs::path(QV_FIXTURES_DIR) / g.file;
    ASSERT_TRUE(fs::exists(source)) << source;

    cmcEeprom image, before;
    image.SetSize(0x1D00);
    image.Fill(0xA5);
    before.Assign(image);
    cmcClnFile reader;
    Configure(reader, image);
    ASSERT_EQ(reader.Read(source, kEeprom), g.code);
    if (g.code != kClnOk) {
        EXPECT_TRUE(image.Equals(before));
        return;
    }

    const fs::path saved = fs::temp_directory_path() / ("qv_golden_" + std::to_string(getpid()));
    cmcClnFile writer;
    Configure(writer, image);
    writer.SetComment(g.comment);
    ASSERT_EQ(writer.Write(saved, kEeprom), kClnOk);
    const std::string bytes = Slurp(saved);
    fs::remove(saved);
    EXPECT_EQ(bytes, Slurp(source));
}

INSTANTIATE_TEST_SUITE_P(Fixtures, GoldenCloneFile,
                         ::testing::Values(Golden{"valid.qcl", kClnOk,
                                                  "Five channels in two banks"},
                                           Golden{"truncated.qcl", kClnFormat, ""},
                                           Golden{"newer-map-revision.qcl", kClnMapRev, ""}));

}  // namespace
