#include "platform/qt/QtSettingsStore.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/SettingsFilePath.h"
#include "platform/qt/QtSettingsStores.h"

namespace {

namespace fs = std::filesystem;

class QtSettingsStoreTest : public ::testing::Test {
protected:
    QtSettingsStoreTest() {
        // A folder per test: QSettings caches files by name within a process.
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::path(::testing::TempDir()) /
               ("qt-settings-" + std::to_string(getpid()) + "-" + test->name());
        fs::remove_all(dir_);
    }
    ~QtSettingsStoreTest() override { fs::remove_all(dir_); }

    std::string FileText(const fs::path& path) {
        std::ifstream in(path);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    fs::path dir_;
};

TEST_F(QtSettingsStoreTest, TextsComeBackExactlyFromTheFile) {
    const std::string texts[] = {
        "",
        "/home/tech/clones, old/a.dat",
        "C:\\Clones\\\"quoted\" ; # = [x]",
        "@Variant(1)",
        "Zürich/Ünit 1.dat",
        " leading and trailing ",
    };
    const fs::path file = dir_ / "new folder" / "Tarnwick.ini";
    {
        platform::qt::QtSettingsStore store(file.string());
        for (size_t i = 0; i < std::size(texts); ++i) {
            store.Write("Recent File List", "Recent" + std::to_string(i), texts[i]);
        }
        store.Write("View Option", "FontSize Percentage", "150");
        EXPECT_TRUE(store.Commit());
    }
    ASSERT_TRUE(fs::exists(file));
    platform::qt::QtSettingsStore store(file.string());
    for (size_t i = 0; i < std::size(texts); ++i) {
        EXPECT_EQ(store.Read("Recent File List", "Recent" + std::to_string(i)), texts[i]);
    }
    EXPECT_EQ(store.Read("View Option", "FontSize Percentage"), "150");
    EXPECT_EQ(store.Read("View Option", "Toolbar Visible"), std::nullopt);
    EXPECT_EQ(store.Read("Setup", "ModelType"), std::nullopt);
}

TEST_F(QtSettingsStoreTest, AFileEditedByHandReadsAsText) {
    fs::create_directories(dir_);
    const fs::path file = dir_ / "Tarnwick.ini";
    std::ofstream(file) << "[Global]\nComPort=three\nCurrent%20Directory=/a,b\n"
                           "BBT=@Rect(1 2 3 4)\n\n[Setup]\nModelType = 2 \ngarbage line\n";
    platform::qt::QtSettingsStore store(file.string());
    EXPECT_EQ(store.Read("Global", "ComPort"), "three");
    EXPECT_EQ(store.Read("Global", "Current Directory"), "/a, b");
    EXPECT_EQ(store.Read("Global", "BBT"), "");  // not a text: no number either
    EXPECT_EQ(store.Read("Setup", "ModelType"), "2");
}

TEST_F(QtSettingsStoreTest, AGarbledFileIsWrittenOver) {
    fs::create_directories(dir_);
    const fs::path file = dir_ / "Tarnwick.ini";
    std::ofstream(file) << "\xff\xfe[Global\nComPort=1\n";
    {
        platform::qt::QtSettingsStore store(file.string());
        store.Write("Global", "ComPort", "2");
        store.Commit();
    }
    EXPECT_EQ(platform::qt::QtSettingsStore(file.string()).Read("Global", "ComPort"), "2");
}

TEST_F(QtSettingsStoreTest, ACommitThatCannotWriteFails) {
    fs::create_directories(dir_);
    std::ofstream(dir_ / "a file") << "in the way";
    platform::qt::QtSettingsStore store((dir_ / "a file" / "Tarnwick.ini").string());
    store.Write("Global", "ComPort", "2");
    EXPECT_FALSE(store.Commit());
}

TEST_F(QtSettingsStoreTest, TheFactoryOpensTheFileOfTheKeyPath) {
    const char* old = std::getenv("XDG_CONFIG_HOME");
    std::string saved = old ? old : "";
    setenv("XDG_CONFIG_HOME", dir_.c_str(), 1);
    {
        platform::qt::QtSettingsStores stores;
        auto store = stores.OpenSettingsStore("Software\\Zelk\\Tarnwick");
        store->Write("Setup", "ModelType", "1");
        EXPECT_TRUE(store->Commit());
    }
    EXPECT_NE(FileText(dir_ / "Zelk" / "Tarnwick.ini").find("[Setup]\nModelType=1"),
              std::string::npos);
    if (old) {
        setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    } else {
        unsetenv("XDG_CONFIG_HOME");
    }
}

}  // namespace
