// The overlays installed with the program: well formed, and read alike with CR LF ends.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "overlay/cmcGTex.h"
#include "platform/TextUtil.h"

namespace {

// The overlays as the build installs them beside the program.
const std::string kDir = std::string(QV_BIN_DIR) + "/";

std::string Slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> Keys(const std::string& content)
{
    std::vector<std::string> keys;
    std::istringstream in(content);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.size() >= 2 && line[0] == '#') {
            if (line == "#End_Of_Ovl")
                break;
            keys.push_back(line.substr(1));
        }
    }
    return keys;
}

class ShippedOverlay : public ::testing::TestWithParam<const char*> {};

TEST_P(ShippedOverlay, EndsWithEndKeyHasUniqueKeysAndReadsAlikeWithCrLf)
{
    const std::string lf = Slurp(kDir + GetParam());
    ASSERT_FALSE(lf.empty());
    EXPECT_NE(lf.find("\n#End_Of_Ovl"), std::string::npos);
    EXPECT_EQ(lf.find('\r'), std::string::npos) << "shipped overlays use LF";
    const auto keys = Keys(lf);
    std::set<std::string> unique(keys.begin(), keys.end());
    EXPECT_EQ(unique.size(), keys.size()) << "a key occurs twice";

    std::string crlf;
    for (char c : lf) {
        if (c == '\n')
            crlf += '\r';
        crlf += c;
    }
    char tmpl[] = "/tmp/qv_ovl_XXXXXX";
    const int fd = mkstemp(tmpl);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(write(fd, crlf.data(), crlf.size()), static_cast<ssize_t>(crlf.size()));
    close(fd);

    cmcGTex a, b;
    a.Open(kDir + GetParam());
    b.Open(tmpl);
    for (const std::string& k : keys)
        EXPECT_EQ(a.GetLines(k), b.GetLines(k)) << k;
    unlink(tmpl);
}

INSTANTIATE_TEST_SUITE_P(Overlays, ShippedOverlay,
                         ::testing::Values("TM5150Q.OVL", "TM5150QE.OVL", "TM5150QH.OVL",
                                           "TM5150QJ.OVL"));

TEST(ShippedOverlays, EveryLanguageNamesAnOverlayThatExists)
{
    cmcGTex base;
    base.Open(kDir + "TM5150Q.OVL");
    int n = 0;
    for (;; ++n) {
        std::string line = base.GetLine("GI_Sys_Language", n);
        if (!line.empty() && line[0] == '#')
            break;
        auto file = txt::Field(line, '\t', 1);
        ASSERT_TRUE(file.has_value()) << line;
        EXPECT_EQ(access((kDir + *file).c_str(), R_OK), 0) << *file;
        EXPECT_FALSE(txt::Field(line, '\t', 0)->empty());
    }
    EXPECT_GE(n, 1);
}

}  // namespace

namespace {

// A key the program asks for but the overlay lacks ends the program, so every key named
// in the source must be in the English overlay. Choice lists are named without their
// "_Cells" entry.
TEST(ShippedOverlays, EveryKeyNamedInTheSourceExists)
{
    // Lists that the model's own sheets build from the image, not from the overlay, the
    // tree's memory channel branch, which the model fills with bank entries, and the
    // flag-bits window's sheet, which it builds in a text store of its own.
    const std::set<std::string> built = {"GI_Sheet_Sel_ScanCHSel", "GI_Sheet_Memory_CH_Top",
                                         "GI_Sheet_FBitsR"};
    cmcGTex main;
    main.Open(kDir + "TM5150QE.OVL");
    cmcGTex base;
    base.Open(kDir + "TM5150Q.OVL");
    cmcGTex help;
    help.Open(kDir + "TM5150QH.OVL");
    std::set<std::string> named;
    for (const auto& entry :
         std::filesystem::recursive_directory_iterator(std::string(QV_SOURCE_DIR) + "/src")) {
        const std::string text = Slurp(entry.path().string());
        for (size_t p = text.find("\"GI_"); p != std::string::npos; p = text.find("\"GI_", p + 1)) {
            size_t e = p + 1;
            while (e < text.size() &&
                   (isalnum(static_cast<unsigned char>(text[e])) || text[e] == '_'))
                ++e;
            if (e < text.size() && text[e] == '"')
                named.insert(text.substr(p + 1, e - p - 1));
        }
    }
    EXPECT_FALSE(named.empty());
    for (const std::string& key : named) {
        if (built.count(key) || key.back() == '_')
            continue;
        // Menus, tool bar and tree are named by the stem of their entries.
        EXPECT_TRUE(main.HasKey(key) || main.HasKey(key + "_Cells") ||
                    main.HasKey(key + "_BasicCell") || base.HasKey(key) || help.HasKey(key))
            << key;
    }
}

}  // namespace
