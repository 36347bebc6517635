#include "radio/host/indEnviron.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/MemorySettings.h"
#include "tests/support/ScopedEnvFolder.h"

namespace {

const char kMutex[] = "Zelk Tarnwick APP Exclusive Mutex";
const char kKey[] = "Software\\Zelk\\Tarnwick";
constexpr indEnviron::ScreenSize kScreen{1920, 1080};

// A runtime folder of this test's own (so parallel test processes share no lock) and
// settings in memory.
class indEnvironTest : public ::testing::Test {
protected:
    void Store(const std::string& group, const std::string& name, const std::string& value) {
        settings_.keys[kKey][group][name] = value;
    }
    std::optional<std::string> Stored(const std::string& group, const std::string& name) {
        return settings_.Get(kKey, group, name);
    }
    // A complete, valid set of stored settings, unlike the defaults in every value.
    void StoreValidSettings() {
        Store("Global", "BBT", "753951");
        Store("Global", "ComPort", "7");
        Store("Global", "ComSpeedHigh", "1");
        Store("Global", "Current Directory", "/home/tech/clones");
        Store("View Option", "FontSize Percentage", "150");
        Store("View Option", "Toolbar Visible", "0");
        Store("Window Position", "Left", "-10");
        Store("Window Position", "Top", "20");
        Store("Window Position", "Width", "1024");
        Store("Window Position", "Height", "700");
        Store("Window Position", "SplitterV", "321");
        Store("Setup", "ModelType", "2");
        Store("Recent File List", "Recent0", "/home/tech/clones/a.dat");
    }

    static void ExpectDefaults(indEnviron& env) {
        EXPECT_TRUE(env.SettingsValid());
        EXPECT_EQ(env.portNumber, 1);
        EXPECT_EQ(env.highSpeed, 0);
        EXPECT_EQ(env.currentFolder, "");
        EXPECT_EQ(env.recentFiles.GetCount(), 0);
        EXPECT_EQ(env.fontSizePercentage, 100);
        EXPECT_EQ(env.toolBarVisible, 1);
        EXPECT_EQ(env.splitter, indEnviron::kSplitterFitsTree);
        EXPECT_EQ(env.modelType, 0);
        EXPECT_EQ(env.windowWidth, 1536);
        EXPECT_EQ(env.windowHeight, 864);
        EXPECT_EQ(env.windowLeft, 192);
        EXPECT_EQ(env.windowTop, 64);
    }

    testsupport::MemorySettings settings_;
    testsupport::ScopedEnvFolder runtime_{"XDG_RUNTIME_DIR", "tarnwick-environ-"};
};

TEST_F(indEnvironTest, FirstStartWithoutSettingsGivesTheDefaults) {
    indEnviron env(kMutex, kKey, kScreen);
    EXPECT_TRUE(env.IsFirstInstance());
    ExpectDefaults(env);
}

// Four fifths of a large screen; on a small one 800 x 600 as long as that is at most 90 % of it.
TEST_F(indEnvironTest, DefaultWindowIsAShareOfTheScreen) {
    struct Case {
        indEnviron::ScreenSize screen;
        int left, top, width, height;
    };
    const Case cases[] = {
        {{1920, 1080}, 192, 64, 1536, 864},
        {{3840, 2160}, 384, 129, 3072, 1728},
        {{1024, 768}, 102, 46, 819, 614},
        {{1000, 600}, 100, 18, 800, 540},  // 0.3 x 60 free lines is 18, not 17
        {{640, 480}, 32, 14, 576, 432},
        {{801, 601}, 40, 18, 720, 540},
    };
    for (const Case& c : cases) {
        settings_.keys.clear();  // the last case saved its window
        indEnviron env(kMutex, kKey, c.screen);
        EXPECT_EQ(env.windowLeft, c.left) << c.screen.width;
        EXPECT_EQ(env.windowTop, c.top) << c.screen.width;
        EXPECT_EQ(env.windowWidth, c.width) << c.screen.width;
        EXPECT_EQ(env.windowHeight, c.height) << c.screen.width;
    }
}

TEST_F(indEnvironTest, SettingsChangedInARunAreThereAtTheNextStart) {
    {
        indEnviron env(kMutex, kKey, kScreen);
        env.portNumber = 12;
        env.highSpeed = 1;
        env.currentFolder = "/home/tech/clones";
        env.fontSizePercentage = 250;
        env.toolBarVisible = 0;
        env.windowLeft = -4;
        env.windowTop = 30;
        env.windowWidth = 1200;
        env.windowHeight = 900;
        env.splitter = 333;
        env.modelType = 2;
        env.recentFiles.AddToTop("/home/tech/one.dat");
        env.recentFiles.AddToTop("/home/tech/two.dat");
    }
    EXPECT_EQ(settings_.commits, 1);
    EXPECT_EQ(Stored("Global", "BBT"), "753951");
    EXPECT_EQ(Stored("Global", "Current Directory"), "/home/tech/clones");
    EXPECT_EQ(Stored("Window Position", "SplitterV"), "333");

    indEnviron env(kMutex, kKey, kScreen);
    EXPECT_EQ(env.portNumber, 12);
    EXPECT_EQ(env.highSpeed, 1);
    EXPECT_EQ(env.currentFolder, "/home/tech/clones");
    EXPECT_EQ(env.fontSizePercentage, 250);
    EXPECT_EQ(env.toolBarVisible, 0);
    EXPECT_EQ(env.windowLeft, -4);
    EXPECT_EQ(env.windowTop, 30);
    EXPECT_EQ(env.windowWidth, 1200);
    EXPECT_EQ(env.windowHeight, 900);
    EXPECT_EQ(env.splitter, 333);
    EXPECT_EQ(env.modelType, 2);
    EXPECT_EQ(env.recentFiles.GetDisplayName(0, ""), "/home/tech/two.dat");
    EXPECT_EQ(env.recentFiles.GetDisplayName(1, ""), "/home/tech/one.dat");
}

TEST_F(indEnvironTest, StoredNumbersOutsideTheirRangeAreBroughtIntoIt) {
    struct Case {
        const char* group;
        const char* name;
        const char* stored;
        int indEnviron::*field;
        int loaded;
    };
    constexpr int kDefault = INT_MIN;  // the setting's default on this screen
    const Case cases[] = {
        {"Global", "ComPort", "0", &indEnviron::portNumber, 1},
        {"Global", "ComPort", "300", &indEnviron::portNumber, 256},
        {"Global", "ComPort", "-2147483648", &indEnviron::portNumber, 1},
        {"Global", "ComSpeedHigh", "-1", &indEnviron::highSpeed, 0},
        {"Global", "ComSpeedHigh", "5", &indEnviron::highSpeed, 1},
        {"View Option", "FontSize Percentage", "10", &indEnviron::fontSizePercentage, 25},
        {"View Option", "FontSize Percentage", "5000", &indEnviron::fontSizePercentage, 1000},
        {"View Option", "Toolbar Visible", "-3", &indEnviron::toolBarVisible, 1},
        {"View Option", "Toolbar Visible", "0", &indEnviron::toolBarVisible, 0},
        {"Setup", "ModelType", "9", &indEnviron::modelType, 9},  // kept in range elsewhere
        // A place or size no desktop has is that setting's default.
        {"Window Position", "Left", "-32768", &indEnviron::windowLeft, -32768},
        {"Window Position", "Left", "2147483647", &indEnviron::windowLeft, kDefault},
        {"Window Position", "Top", "-2147483648", &indEnviron::windowTop, kDefault},
        {"Window Position", "Width", "0", &indEnviron::windowWidth, kDefault},
        {"Window Position", "Width", "32768", &indEnviron::windowWidth, kDefault},
        {"Window Position", "Height", "-600", &indEnviron::windowHeight, kDefault},
        {"Window Position", "SplitterV", "2147483647", &indEnviron::splitter, kDefault},
        {"Window Position", "SplitterV", "-1", &indEnviron::splitter, kDefault},
    };
    for (const Case& c : cases) {
        StoreValidSettings();
        Store(c.group, c.name, c.stored);
        indEnviron env(kMutex, kKey, kScreen);
        const int loaded = env.*c.field;
        EXPECT_EQ(env.currentFolder, "/home/tech/clones") << "the other settings are kept";
        int expected = c.loaded;
        if (expected == kDefault) {
            env.SetDefaults();
            expected = env.*c.field;
        }
        EXPECT_EQ(loaded, expected) << c.name << " " << c.stored;
    }
}

TEST_F(indEnvironTest, AMissingOrUnreadableNumberGivesTheDefaultsForEverySetting) {
    struct Case {
        const char* group;
        const char* name;
        std::optional<std::string> stored;  // none: the value is missing
    };
    const Case cases[] = {
        {"View Option", "Toolbar Visible", std::nullopt},
        {"Global", "BBT", "753950"},
        {"Global", "BBT", std::nullopt},
        {"Global", "ComPort", "COM3"},
        {"Global", "ComPort", ""},
        {"Window Position", "Width", "12x"},
        {"Window Position", "Left", " 5"},
        {"Window Position", "Top", "99999999999"},
        {"Window Position", "Height", "1e3"},
        {"Setup", "ModelType", "+1"},
    };
    for (const Case& c : cases) {
        settings_.keys.clear();
        StoreValidSettings();
        if (c.stored) {
            Store(c.group, c.name, *c.stored);
        } else {
            settings_.keys[kKey][c.group].erase(c.name);
        }
        indEnviron env(kMutex, kKey, kScreen);
        SCOPED_TRACE(std::string(c.name) + " " + c.stored.value_or("(missing)"));
        ExpectDefaults(env);
    }
}

TEST_F(indEnvironTest, AMissingGroupGivesTheDefaultsExceptTheRecentFiles) {
    StoreValidSettings();
    settings_.keys[kKey].erase("Recent File List");
    {
        indEnviron env(kMutex, kKey, kScreen);
        EXPECT_EQ(env.portNumber, 7);
        EXPECT_EQ(env.recentFiles.GetDisplayName(0, ""), "");
    }
    settings_.keys[kKey].erase("Window Position");
    indEnviron env(kMutex, kKey, kScreen);
    ExpectDefaults(env);
}

TEST_F(indEnvironTest, TheTenRecentFilesKeepTheirStoredOrder) {
    StoreValidSettings();
    std::vector<std::string> names;
    for (int i = 0; i < 10; ++i) {
        names.push_back("/clones/file" + std::to_string(i) + ".dat");
        Store("Recent File List", "Recent" + std::to_string(i), names.back());
    }
    // A name stored twice (in another letter case) is kept once, in its last place.
    Store("Recent File List", "Recent9", "/CLONES/FILE0.DAT");
    indEnviron env(kMutex, kKey, kScreen);
    std::vector<std::string> loaded;
    for (int i = 0; i < env.recentFiles.GetCount(); ++i) {
        loaded.push_back(env.recentFiles.GetDisplayName(i, ""));
    }
    std::vector<std::string> expected(names.begin() + 1, names.end() - 1);
    expected.push_back("/CLONES/FILE0.DAT");
    EXPECT_EQ(loaded, expected);
}

TEST_F(indEnvironTest, SavingEightRecentFilesLeavesTheLastTwoPlacesEmpty) {
    {
        indEnviron env(kMutex, kKey, kScreen);
        for (int i = 0; i < 8; ++i) {
            env.recentFiles.AddToTop("/clones/file" + std::to_string(i) + ".dat");
        }
    }
    EXPECT_EQ(Stored("Recent File List", "Recent0"), "/clones/file7.dat");
    EXPECT_EQ(Stored("Recent File List", "Recent7"), "/clones/file0.dat");
    EXPECT_EQ(Stored("Recent File List", "Recent8"), "");
    EXPECT_EQ(Stored("Recent File List", "Recent9"), "");
}

TEST_F(indEnvironTest, ASecondInstanceLoadsNothingAndLeavesTheSettingsAlone) {
    StoreValidSettings();
    std::optional<indEnviron> first(std::in_place, kMutex, kKey, kScreen);
    {
        indEnviron second(kMutex, kKey, kScreen);
        EXPECT_FALSE(second.IsFirstInstance());
        EXPECT_FALSE(second.SettingsValid());
        EXPECT_EQ(second.portNumber, 0);
        second.portNumber = 99;
    }
    EXPECT_EQ(settings_.commits, 0);
    EXPECT_EQ(Stored("Global", "ComPort"), "7");

    first->portNumber = 3;
    first.reset();
    EXPECT_EQ(settings_.commits, 1);
    EXPECT_EQ(Stored("Global", "ComPort"), "3");
    EXPECT_TRUE(indEnviron(kMutex, kKey, kScreen).IsFirstInstance());
}

TEST_F(indEnvironTest, AStoreThatCannotBeWrittenKeepsWhatItHeld) {
    StoreValidSettings();
    settings_.failCommits = true;
    {
        indEnviron env(kMutex, kKey, kScreen);
        env.portNumber = 42;
    }
    EXPECT_EQ(Stored("Global", "ComPort"), "7");
}

}  // namespace
