#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>

#include "platform/InstanceLock.h"

extern char** environ;

namespace {

const char kMutex[] = "Zelk Fennmoor APP Exclusive Mutex";

// The program on the offscreen platform, with a runtime folder (and so a lock) of its own.
class FennmoorTest : public ::testing::Test {
protected:
    FennmoorTest() {
        dir_ =
            std::filesystem::path(::testing::TempDir()) / ("fennmoor-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir_);
        setenv("XDG_RUNTIME_DIR", dir_.c_str(), 1);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    ~FennmoorTest() override {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        std::filesystem::remove_all(dir_);
    }

    void Start() {
        char* argv[] = {const_cast<char*>(FENNMOOR), nullptr};
        ASSERT_EQ(posix_spawn(&pid_, FENNMOOR, nullptr, nullptr, argv, environ), 0);
    }
    // The exit status once the program has ended within `ms`; none while it still runs.
    std::optional<int> WaitForEnd(int ms) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        do {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        } while (std::chrono::steady_clock::now() < end);
        return std::nullopt;
    }

    std::filesystem::path dir_;
    pid_t pid_ = -1;
};

TEST_F(FennmoorTest, FirstInstanceRuns) {
    Start();
    EXPECT_EQ(WaitForEnd(1500), std::nullopt);
}

TEST_F(FennmoorTest, SecondInstanceEndsAtOnceWithoutAWord) {
    platform::InstanceLock first(kMutex);
    ASSERT_TRUE(first.IsHeld());
    Start();
    EXPECT_EQ(WaitForEnd(5000), 0);
}

}  // namespace
