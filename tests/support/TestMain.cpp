#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/TestServices.h"

namespace {
// Every test starts with fresh doubles, so no test sees another's timers or boxes.
class FreshServices : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { qvtest::ResetServices(); }
};
}  // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleMock(&argc, argv);
    ::testing::GTEST_FLAG(death_test_style) = "threadsafe";
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshServices);
    qvtest::ResetServices();
    // Clone reads keep automatic backups in the user's data folder: the tests keep theirs in
    // a folder of this run, never among a dealer's.
    const std::string data = ::testing::TempDir() + "qv-data-" + std::to_string(getpid());
    setenv("XDG_DATA_HOME", data.c_str(), 1);
    const int result = RUN_ALL_TESTS();
    std::error_code ec;
    std::filesystem::remove_all(data, ec);
    return result;
}
