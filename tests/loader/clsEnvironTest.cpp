#include "loader/clsEnviron.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "platform/ProgramInfo.h"
#include "tests/support/ScopedEnvFolder.h"

namespace {

const char kMutex[] = "Zelk Fennmoor APP Exclusive Mutex";

// A runtime folder of this test's own, so parallel test processes hold no common lock.
class clsEnvironTest : public ::testing::Test {
protected:
    testsupport::ScopedEnvFolder runtime_{"XDG_RUNTIME_DIR", "environ-"};
};

TEST_F(clsEnvironTest, ComPortStaysWithinOneToFour) {
    clsEnviron env(kMutex);
    EXPECT_EQ(env.GetComPortMin(), 1);
    EXPECT_EQ(env.GetComPortMax(), 4);
    EXPECT_EQ(env.GetComPort(), 1);
    EXPECT_EQ(env.SetComPort(3), 3);
    EXPECT_EQ(env.SetComPort(5), 3);
    EXPECT_EQ(env.SetComPort(0), 3);
    EXPECT_EQ(env.SetComPort(4), 4);
    EXPECT_EQ(env.GetComPort(), 4);
}

TEST_F(clsEnvironTest, ProgramDirEndsInASlash) {
    clsEnviron env(kMutex);
    EXPECT_EQ(env.GetProgramDir(), platform::ProgramDir());
    EXPECT_EQ(env.GetProgramDir().back(), '/');
}

TEST_F(clsEnvironTest, SecondInstanceIsNotFirstUntilTheFirstGoes) {
    auto first = std::make_optional<clsEnviron>(kMutex);
    EXPECT_TRUE(first->IsFirstInstance());
    EXPECT_FALSE(clsEnviron(kMutex).IsFirstInstance());
    first.reset();
    EXPECT_TRUE(clsEnviron(kMutex).IsFirstInstance());
}

}  // namespace
