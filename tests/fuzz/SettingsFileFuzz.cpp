// The cloning program's settings file on any text: the settings it loads keep their ranges,
// and what the program saves on leaving reads back as the same settings the next time.
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/SettingsFilePath.h"
#include "platform/qt/QtSettingsStores.h"
#include "radio/host/indEnviron.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/support/ScopedInstall.h"

namespace {

namespace fs = std::filesystem;

constexpr indEnviron::ScreenSize kScreen{1920, 1080};

struct Settings {
    std::vector<std::string> recentFiles;
    int fontSizePercentage;
    int toolBarVisible;
    int portNumber;
    int highSpeed;
    std::string currentFolder;
    int windowLeft;
    int windowTop;
    int windowWidth;
    int windowHeight;
    int splitter;
    int modelType;
    bool operator==(const Settings&) const = default;
};

Settings Taken(indEnviron& environ) {
    Settings settings{{},
                      environ.fontSizePercentage,
                      environ.toolBarVisible,
                      environ.portNumber,
                      environ.highSpeed,
                      environ.currentFolder,
                      environ.windowLeft,
                      environ.windowTop,
                      environ.windowWidth,
                      environ.windowHeight,
                      environ.splitter,
                      environ.modelType};
    // An empty place is an entry too (hidden in the menu); it moves to the end of the list
    // when the list is read back, so only the names keep their places.
    for (int i = 0; i < indEnviron::kRecentCount; ++i) {
        if (std::string name = environ.recentFiles.GetDisplayName(i, ""); !name.empty()) {
            settings.recentFiles.push_back(name);
        }
    }
    return settings;
}

void CheckRanges(indEnviron& environ) {
    fuzz::Check(environ.SettingsValid(), "loaded settings are valid");
    fuzz::Check(environ.portNumber >= 1 && environ.portNumber <= 256, "the port is 1 to 256");
    fuzz::Check(environ.fontSizePercentage >= 25 && environ.fontSizePercentage <= 1000,
                "the font size is 25 to 1000 %");
    fuzz::Check(environ.toolBarVisible == 0 || environ.toolBarVisible == 1, "the tool bar flag");
    fuzz::Check(environ.highSpeed == 0 || environ.highSpeed == 1, "the speed flag");
    fuzz::Check(environ.recentFiles.GetCount() <= indEnviron::kRecentCount, "ten recent files");
}

// The configuration and runtime folders of this process, made once and removed at its end; in
// memory where the system has a folder there, since every save waits for the disk.
class ScratchFolder {
public:
    ScratchFolder() {
        const fs::path base =
            fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        path_ = base / ("merrow-fuzz-settings-" + std::to_string(getpid()));
        fs::create_directories(path_);
        setenv("XDG_CONFIG_HOME", path_.c_str(), 1);
        setenv("XDG_RUNTIME_DIR", path_.c_str(), 1);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

private:
    fs::path path_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static platform::qt::QtSettingsStores stores;
    static testsupport::ScopedSettingsStores installed(&stores);
    static ScratchFolder folder;
    static int run = 0;
    const std::string key = "Software\\Zelk\\Tarnwick";
    const fs::path file = platform::SettingsFilePath(key);
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    // The INI reader keeps what it read of a file until the file's time or size changes: each
    // run's file has a time of its own.
    fs::last_write_time(file, fs::file_time_type() + std::chrono::seconds(++run));
    Settings loaded;
    {
        indEnviron first("Zelk Tarnwick Fuzz Mutex", key, kScreen);
        CheckRanges(first);
        loaded = Taken(first);
    }  // saves
    {
        indEnviron second("Zelk Tarnwick Fuzz Mutex", key, kScreen);
        CheckRanges(second);
        fuzz::Check(Taken(second) == loaded, "saved settings read back as they were");
    }
    return 0;
}
