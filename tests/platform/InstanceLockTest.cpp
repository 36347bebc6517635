#include "platform/InstanceLock.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include "tests/support/ScopedEnvFolder.h"

namespace {

// Points the runtime folder at a fresh temporary folder for one test.
class InstanceLockTest : public ::testing::Test {
protected:
    testsupport::ScopedEnvFolder runtime_{"XDG_RUNTIME_DIR", "merrow-lock-test-"};
    const std::filesystem::path& dir_ = runtime_.Path();
};

const char kName[] = "Zelk Fennmoor APP Exclusive Mutex";

TEST_F(InstanceLockTest, LockFileIsNamedAfterTheLockInTheRuntimeFolder) {
    EXPECT_EQ(platform::InstanceLock::LockPath(kName),
              (dir_ / "Zelk_Fennmoor_APP_Exclusive_Mutex.lock").string());
    EXPECT_EQ(platform::InstanceLock::LockPath("a/../b"), (dir_ / "a_.._b.lock").string());
}

TEST_F(InstanceLockTest, SecondHolderIsRefusedUntilTheFirstGoes) {
    auto first = std::make_optional<platform::InstanceLock>(kName);
    EXPECT_TRUE(first->IsFirstInstance());
    EXPECT_TRUE(first->IsHeld());
    {
        platform::InstanceLock second(kName);
        EXPECT_FALSE(second.IsFirstInstance());
        EXPECT_FALSE(second.IsHeld());
        platform::InstanceLock other("Another Mutex");
        EXPECT_TRUE(other.IsFirstInstance());
    }
    first.reset();
    platform::InstanceLock third(kName);
    EXPECT_TRUE(third.IsFirstInstance());
}

TEST_F(InstanceLockTest, AnotherProcessSeesTheLockHeld) {
    platform::InstanceLock held(kName);
    ASSERT_TRUE(held.IsHeld());
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The child opens the lock file anew, so the parent's lock stands against it.
        platform::InstanceLock mine(kName);
        _exit(mine.IsFirstInstance() ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST_F(InstanceLockTest, WithoutRuntimeFolderFallsBackToTmpWithTheUid) {
    unsetenv("XDG_RUNTIME_DIR");
    std::string expected = "/tmp/merrow-" + std::to_string(getuid()) + "/Test_Lock.lock";
    EXPECT_EQ(platform::InstanceLock::LockPath("Test Lock"), expected);
    platform::InstanceLock lock("Test Lock");
    EXPECT_TRUE(lock.IsHeld());
}

TEST_F(InstanceLockTest, UnusableFolderLetsTheProgramRun) {
    setenv("XDG_RUNTIME_DIR", (dir_ / "missing").c_str(), 1);
    platform::InstanceLock lock(kName);
    EXPECT_FALSE(lock.IsHeld());
    EXPECT_TRUE(lock.IsFirstInstance());
}

}  // namespace
