#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "platform/qt/QtSettingsStores.h"
#include "radio/host/indEnviron.h"
#include "tests/support/ScopedInstall.h"

namespace {

namespace fs = std::filesystem;

const char kMutex[] = "Zelk Tarnwick APP Exclusive Mutex";
const char kKey[] = "Software\\Zelk\\Tarnwick";
constexpr indEnviron::ScreenSize kScreen{1280, 1024};

// The settings of the cloning program in an INI file of a configuration folder of the test's
// own, and a runtime folder of its own for the lock.
class indEnvironIniTest : public ::testing::Test {
protected:
    indEnvironIniTest() {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::path(::testing::TempDir()) /
               ("environ-ini-" + std::to_string(getpid()) + "-" + test->name());
        fs::create_directories(dir_);
        Redirect("XDG_CONFIG_HOME", savedConfig_);
        Redirect("XDG_RUNTIME_DIR", savedRuntime_);
    }
    ~indEnvironIniTest() override {
        Restore("XDG_CONFIG_HOME", savedConfig_);
        Restore("XDG_RUNTIME_DIR", savedRuntime_);
        fs::remove_all(dir_);
    }

    void Redirect(const char* name, std::optional<std::string>& saved) {
        if (const char* old = std::getenv(name)) {
            saved = old;
        }
        setenv(name, dir_.c_str(), 1);
    }
    static void Restore(const char* name, const std::optional<std::string>& saved) {
        if (saved) {
            setenv(name, saved->c_str(), 1);
        } else {
            unsetenv(name);
        }
    }
    fs::path File() const { return dir_ / "Zelk" / "Tarnwick.ini"; }

    platform::qt::QtSettingsStores stores_;
    testsupport::ScopedSettingsStores storesInstalled_{&stores_};
    fs::path dir_;
    std::optional<std::string> savedConfig_;
    std::optional<std::string> savedRuntime_;
};

TEST_F(indEnvironIniTest, SettingsLastFromOneRunToTheNextInTheUsersFile) {
    {
        indEnviron env(kMutex, kKey, kScreen);
        env.portNumber = 4;
        env.currentFolder = "/home/tech/clone files, 2026";
        env.recentFiles.AddToTop("/home/tech/clone files, 2026/site A.dat");
        env.recentFiles.AddToTop("/home/tech/b.dat");
    }
    ASSERT_TRUE(fs::exists(File()));
    indEnviron env(kMutex, kKey, kScreen);
    EXPECT_EQ(env.portNumber, 4);
    EXPECT_EQ(env.windowWidth, 1024);
    EXPECT_EQ(env.currentFolder, "/home/tech/clone files, 2026");
    EXPECT_EQ(env.recentFiles.GetDisplayName(0, ""), "/home/tech/b.dat");
    EXPECT_EQ(env.recentFiles.GetDisplayName(1, ""), "/home/tech/clone files, 2026/site A.dat");
}

TEST_F(indEnvironIniTest, AFileWithANumberSpoiltByHandGivesTheDefaultsAndIsMended) {
    {
        indEnviron env(kMutex, kKey, kScreen);
        env.portNumber = 4;
    }
    std::ifstream in(File());
    std::string text((std::istreambuf_iterator<char>(in)), {});
    in.close();
    text.replace(text.find("ComPort=4"), 9, "ComPort=four");
    std::ofstream(File()) << text;
    {
        indEnviron env(kMutex, kKey, kScreen);
        EXPECT_EQ(env.portNumber, 1);
        env.portNumber = 5;
    }
    EXPECT_EQ(indEnviron(kMutex, kKey, kScreen).portNumber, 5);
}

}  // namespace
