#include <gmock/gmock.h>
#include <gtest/gtest.h>

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
    return RUN_ALL_TESTS();
}
