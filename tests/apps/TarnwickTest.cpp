#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/InstanceLock.h"
#include "tests/apps/ProgramProcess.h"
#include "tests/support/FileContent.h"

namespace {

namespace fs = std::filesystem;

const char kMutex[] = "Zelk Tarnwick APP Exclusive Mutex";

// The cloning program on the offscreen platform, with a runtime folder (and so a lock) and a
// settings folder of its own; its standard output goes to a file.
class TarnwickTest : public ::testing::Test {
protected:
    TarnwickTest() {
        dir_ = fs::path(::testing::TempDir()) / ("tarnwick-" + std::to_string(getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "run");
        fs::create_directories(dir_ / "config");
        setenv("XDG_RUNTIME_DIR", (dir_ / "run").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (dir_ / "config").c_str(), 1);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    ~TarnwickTest() override {
        unsetenv("MERROW_SCREENSHOT");
        unsetenv("MERROW_CLOSE_WHEN_SHOWN");
        fs::remove_all(dir_);
    }

    void Start(const std::string& program) { ASSERT_TRUE(program_.Start(program, Output())); }
    std::optional<int> WaitForEnd(int ms) { return program_.WaitForEnd(ms); }
    fs::path Output() const { return dir_ / "output.txt"; }
    std::string Printed() const { return testsupport::FileContent(Output()); }

    fs::path dir_;
    ProgramProcess program_;
};

// The window shows, closes (MERROW_CLOSE_WHEN_SHOWN) and the program ends normally: its
// settings are written.
TEST_F(TarnwickTest, TheFirstInstanceShowsItsWindowAndEndsInOrder) {
    setenv("MERROW_CLOSE_WHEN_SHOWN", "1", 1);
    Start(TARNWICK);
    EXPECT_EQ(WaitForEnd(20000), 0);
    EXPECT_TRUE(Printed().starts_with("shown ")) << Printed();
    EXPECT_TRUE(fs::exists(dir_ / "config" / "Zelk" / "Tarnwick.ini"));
}

TEST_F(TarnwickTest, ASecondInstanceEndsAtOnceWithoutAWindow) {
    platform::InstanceLock first(kMutex);
    ASSERT_TRUE(first.IsHeld());
    setenv("MERROW_CLOSE_WHEN_SHOWN", "1", 1);
    Start(TARNWICK);
    EXPECT_EQ(WaitForEnd(10000), 0);
    EXPECT_EQ(Printed(), "") << "no window";
    EXPECT_FALSE(fs::exists(dir_ / "config" / "Zelk" / "Tarnwick.ini")) << "no settings";
}

// Installed into a prefix, the program finds its tables, help and initial files in
// share/tarnwick and shows its window with the first sheet; the desktop finds its entries.
TEST_F(TarnwickTest, AnInstalledProgramFindsItsData) {
    const fs::path prefix = dir_ / "prefix";
    const std::string install = std::string(CMAKE_COMMAND) + " --install " + BUILD_DIR +
                                " --prefix " + prefix.string() + " > /dev/null";
    ASSERT_EQ(std::system(install.c_str()), 0);
    for (const char* file : {"bin/tarnwick", "bin/fennmoor", "share/tarnwick/Tarnwick.OVL",
                             "share/tarnwick/TarnwickH.OVL", "share/tarnwick/Tarnwick.html",
                             "share/tarnwick/InitialLmr.tov", "share/applications/tarnwick.desktop",
                             "share/applications/fennmoor.desktop",
                             "share/icons/hicolor/scalable/apps/tarnwick.svg"}) {
        EXPECT_TRUE(fs::exists(prefix / file)) << file;
    }
    const fs::path shot = dir_ / "shot.png";
    setenv("MERROW_SCREENSHOT", shot.c_str(), 1);
    Start((prefix / "bin" / "tarnwick").string());
    EXPECT_EQ(WaitForEnd(20000), 0) << "a missing file would have stopped it at its box";
    EXPECT_TRUE(fs::exists(shot));
}

}  // namespace
