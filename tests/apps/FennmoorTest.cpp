#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>

#include "platform/InstanceLock.h"
#include "tests/apps/ProgramProcess.h"

namespace {

const char kMutex[] = "Zelk Fennmoor APP Exclusive Mutex";

// Whether the process holds the exclusive lock on the file, as the kernel lists the locks
// ("<n>: FLOCK ADVISORY WRITE <pid> <major>:<minor>:<inode> 0 EOF"). Looking does not take
// the lock, so it cannot race the program for it.
bool HoldsLock(pid_t pid, const std::string& path) {
    struct stat file {};
    if (stat(path.c_str(), &file) != 0) {
        return false;
    }
    std::ifstream locks("/proc/locks");
    for (std::string line; std::getline(locks, line);) {
        std::istringstream fields(line);
        std::string id, kind, mode, access, device;
        long long owner = 0;
        fields >> id >> kind >> mode >> access >> owner >> device;
        const std::string inode = device.substr(device.rfind(':') + 1);
        if (kind == "FLOCK" && access == "WRITE" && owner == pid &&
            inode == std::to_string(file.st_ino)) {
            return true;
        }
    }
    return false;
}

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
    ~FennmoorTest() override { std::filesystem::remove_all(dir_); }

    void Start() { ASSERT_TRUE(program_.Start(FENNMOOR)); }
    std::optional<int> WaitForEnd(int ms) { return program_.WaitForEnd(ms); }

    std::filesystem::path dir_;
    ProgramProcess program_;
};

TEST_F(FennmoorTest, FirstInstanceHoldsTheLockAndRuns) {
    Start();
    const std::string lock = platform::InstanceLock::LockPath(kMutex);
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!HoldsLock(program_.Pid(), lock) && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_TRUE(HoldsLock(program_.Pid(), lock));
    EXPECT_EQ(WaitForEnd(1500), std::nullopt);
}

TEST_F(FennmoorTest, SecondInstanceEndsAtOnceWithoutAWord) {
    platform::InstanceLock first(kMutex);
    ASSERT_TRUE(first.IsHeld());
    Start();
    EXPECT_EQ(WaitForEnd(5000), 0);
}

}  // namespace
