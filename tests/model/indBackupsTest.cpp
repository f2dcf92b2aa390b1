#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "common/cmcEeprom.h"
#include "model/indBackups.h"

namespace fs = std::filesystem;

namespace {

TEST(indBackups, FolderFollowsTheDataHome)
{
    const char* old = std::getenv("XDG_DATA_HOME");
    const std::string kept = old ? old : "";
    setenv("XDG_DATA_HOME", "/data/home", 1);
    EXPECT_EQ(indBackups::DefaultFolder(), "/data/home/Tavo/Quorvex/backups");
    setenv("XDG_DATA_HOME", "", 1);
    setenv("HOME", "/home/dealer", 1);
    EXPECT_EQ(indBackups::DefaultFolder(), "/home/dealer/.local/share/Tavo/Quorvex/backups");
    if (old)
        setenv("XDG_DATA_HOME", kept.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
}

// Ten reads leave ten backups; past two hundred the oldest go, one for one.
TEST(indBackups, NewestTwoHundredAreKept)
{
    char tmpl[] = "/tmp/qv_backups_XXXXXX";
    const fs::path dir = fs::path(mkdtemp(tmpl)) / "Tavo" / "backups";
    indBackups backups(dir.string());
    cmcEeprom image;
    image.SetSize(7424);
    for (int i = 0; i < 0x780; ++i)
        image.SetByte(i, static_cast<uint8_t>(i));
    const std::time_t start = 1'800'000'000;
    for (int i = 0; i < 10; ++i)
        ASSERT_FALSE(backups.Save(image, "Lmr", "read", start + i).empty());
    EXPECT_EQ(backups.List().size(), 10u);
    // Several in the same second keep apart.
    for (int i = 10; i < 200; ++i)
        ASSERT_FALSE(backups.Save(image, "Pmr", "", start + 10 + i / 3).empty());
    const std::vector<std::string> full = backups.List();
    ASSERT_EQ(full.size(), 200u);
    backups.Save(image, "Pmr", "", start + 500);
    const std::vector<std::string> after = backups.List();
    ASSERT_EQ(after.size(), 200u);
    EXPECT_EQ(after.front(), full[1]) << "the oldest went";
    EXPECT_NE(after.back().find("_Pmr"), std::string::npos);
    EXPECT_NE(full.front().find("_Lmr.qcl"), std::string::npos);
    fs::remove_all(dir.parent_path().parent_path());
}

TEST(indBackups, AFolderThatCannotBeMadeFailsQuietly)
{
    indBackups backups("/proc/no/such/folder");
    cmcEeprom image;
    image.SetSize(7424);
    EXPECT_TRUE(backups.Save(image, "Lmr", "", 0).empty());
}

}  // namespace
