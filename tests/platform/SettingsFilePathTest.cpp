#include "platform/SettingsFilePath.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace {

class Environment {
public:
    explicit Environment(const char* name) : name_(name) {
        if (const char* old = std::getenv(name)) {
            saved_ = old;
        }
    }
    ~Environment() {
        if (saved_) {
            setenv(name_, saved_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }

private:
    const char* name_;
    std::optional<std::string> saved_;
};

TEST(SettingsFilePath, KeyPathBelowSoftwareNamesTheFileInTheConfigurationFolder) {
    Environment config("XDG_CONFIG_HOME");
    Environment home("HOME");
    setenv("HOME", "/home/tech", 1);
    setenv("XDG_CONFIG_HOME", "/etc/user-config", 1);
    EXPECT_EQ(platform::SettingsFilePath("Software\\Zelk\\Tarnwick"),
              "/etc/user-config/Zelk/Tarnwick.ini");
    setenv("XDG_CONFIG_HOME", "relative", 1);  // ignored, as the base-directory rules say
    EXPECT_EQ(platform::SettingsFilePath("Software\\Zelk\\Tarnwick"),
              "/home/tech/.config/Zelk/Tarnwick.ini");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(platform::SettingsFilePath("Zelk\\\\Fennmoor\\"),
              "/home/tech/.config/Zelk/Fennmoor.ini");
}

}  // namespace
