#pragma once

#include <span>
#include <string>

#include "common/WindowRect.h"
#include "common/cmcRecent.h"
#include "platform/InstanceLock.h"

namespace platform {
class SettingsStore;
}

// The cloning program's environment: the single-instance lock and the user's settings, kept in
// the settings store of a key path (platform::SettingsStores). Only the first instance loads
// the settings (when it is made) and saves them (when it goes); a second one has invalid
// settings and leaves the store alone.
class indEnviron {
public:
    static constexpr int kSettingsValid = 753951;
    static constexpr int kRecentCount = 10;
    // The splitter of a first start: the tree panel takes the width of the tree's longest name.
    static constexpr int kSplitterFitsTree = 0;

    // The screen's size in pixels; the default window placement is made from it.
    struct ScreenSize {
        int width = 0;
        int height = 0;
    };

    // The window's place at a first start on a screen of this size.
    static WindowRect FirstPlace(ScreenSize screen);

    indEnviron(const std::string& mutexName, const std::string& keyPath, ScreenSize screen);
    ~indEnviron();
    indEnviron(const indEnviron&) = delete;
    indEnviron& operator=(const indEnviron&) = delete;

    bool IsFirstInstance() const { return lock_.IsFirstInstance(); }
    // True once the settings were loaded or defaulted; only valid settings are saved.
    bool SettingsValid() const { return settingsValid_ == kSettingsValid; }

    void SetDefaults();
    // Any missing or unreadable number gives the defaults for every setting; a window place or
    // splitter outside what a desktop can have gives that setting's default.
    void LoadSettings();
    // A store that cannot be written loses the settings, silently; the stored ones stay.
    void SaveSettings();

    // The settings, read and changed directly by the parts of the program that own them.
    cmcRecent recentFiles{kRecentCount};  // full paths, newest first
    int fontSizePercentage = 0;           // 25..1000 once loaded
    int toolBarVisible = 0;               // 0 or 1
    int portNumber = 0;                   // 1..256 once loaded
    int highSpeed = 0;                    // 1: the fast clone speed
    std::string currentFolder;            // of the last clone file opened or saved
    int windowLeft = 0;
    int windowTop = 0;
    int windowWidth = 0;
    int windowHeight = 0;
    int splitter = 0;   // width of the tree panel (kSplitterFitsTree: not chosen yet)
    int modelType = 0;  // as stored; the application object keeps it in range

private:
    struct IntRow;
    static std::span<const IntRow> IntRows();
    // False at the first number that is missing or unreadable.
    bool ReadSettings(const platform::SettingsStore& store);

    std::string keyPath_;
    ScreenSize screen_;
    int settingsValid_ = 0;
    platform::InstanceLock lock_;
};
