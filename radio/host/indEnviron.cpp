#include "radio/host/indEnviron.h"

#include <algorithm>
#include <optional>

#include "common/DecimalNumber.h"
#include "platform/SettingsStore.h"

namespace {

const char kGlobal[] = "Global";
const char kRecentFiles[] = "Recent File List";
const char kViewOption[] = "View Option";
const char kWindowPosition[] = "Window Position";
const char kSetup[] = "Setup";
const char kCurrentDirectory[] = "Current Directory";

// DefaultOutside: a value outside low..high is unusable and the setting keeps its default.
enum class Rule { AsStored, Clamp, DefaultOutside, OneWhenPositive, OneWhenNonZero };

// Window coordinates and sizes that a desktop can hold (its coordinates are 16-bit); no sum of
// two of them overflows.
constexpr int kLowestCoordinate = -32768;
constexpr int kHighestCoordinate = 32767;

// A number as the program stores it: an optional minus, digits, nothing before or after them,
// within the int range.
std::optional<int> ParseInteger(const std::string& text) {
    return text.starts_with('+') ? std::nullopt : WholeDecimal(text);
}

std::string RecentName(int i) {
    return "Recent" + std::to_string(i);
}

}  // namespace

struct indEnviron::IntRow {
    const char* group;
    const char* name;
    int indEnviron::*field;
    Rule rule;
    int low;
    int high;

    // The value the setting takes, given the stored one and the setting's default.
    int Apply(int value, int fallback) const {
        switch (rule) {
            case Rule::Clamp:
                return std::clamp(value, low, high);
            case Rule::DefaultOutside:
                return value >= low && value <= high ? value : fallback;
            case Rule::OneWhenPositive:
                return value > 0 ? 1 : 0;
            case Rule::OneWhenNonZero:
                return value != 0 ? 1 : 0;
            case Rule::AsStored:
                break;
        }
        return value;
    }
};

std::span<const indEnviron::IntRow> indEnviron::IntRows() {
    static constexpr IntRow rows[] = {
        {kGlobal, "BBT", &indEnviron::settingsValid_, Rule::AsStored, 0, 0},
        {kGlobal, "ComPort", &indEnviron::portNumber, Rule::Clamp, 1, 256},
        {kGlobal, "ComSpeedHigh", &indEnviron::highSpeed, Rule::OneWhenPositive, 0, 0},
        {kViewOption, "FontSize Percentage", &indEnviron::fontSizePercentage, Rule::Clamp, 25,
         1000},
        {kViewOption, "Toolbar Visible", &indEnviron::toolBarVisible, Rule::OneWhenNonZero, 0, 0},
        {kWindowPosition, "Left", &indEnviron::windowLeft, Rule::DefaultOutside, kLowestCoordinate,
         kHighestCoordinate},
        {kWindowPosition, "Top", &indEnviron::windowTop, Rule::DefaultOutside, kLowestCoordinate,
         kHighestCoordinate},
        {kWindowPosition, "Width", &indEnviron::windowWidth, Rule::DefaultOutside, 1,
         kHighestCoordinate},
        {kWindowPosition, "Height", &indEnviron::windowHeight, Rule::DefaultOutside, 1,
         kHighestCoordinate},
        {kWindowPosition, "SplitterV", &indEnviron::splitter, Rule::DefaultOutside, 0,
         kHighestCoordinate},
        {kSetup, "ModelType", &indEnviron::modelType, Rule::AsStored, 0, 0},
    };
    return rows;
}

indEnviron::indEnviron(const std::string& mutexName, const std::string& keyPath, ScreenSize screen)
    : keyPath_(keyPath), screen_(screen), lock_(mutexName) {
    if (lock_.IsFirstInstance()) {
        LoadSettings();
    }
}

indEnviron::~indEnviron() {
    if (SettingsValid()) {
        SaveSettings();
    }
}

// Four fifths of the screen, but on a small one 800 x 600 as long as that is at most 90 % of it;
// centred across, 30 % of the free height above. Integer arithmetic, so that 0.3 x 60 is 18 and
// not 17.
WindowRect indEnviron::FirstPlace(ScreenSize screen) {
    const long long w = screen.width;
    const long long h = screen.height;
    WindowRect place;
    place.width = static_cast<int>(std::max(std::min(9 * w / 10, 800LL), 4 * w / 5));
    place.height = static_cast<int>(std::max(std::min(9 * h / 10, 600LL), 4 * h / 5));
    place.left = static_cast<int>((w - place.width) / 2);
    place.top = static_cast<int>(3 * (h - place.height) / 10);
    return place;
}

void indEnviron::SetDefaults() {
    portNumber = 1;
    highSpeed = 0;
    settingsValid_ = kSettingsValid;
    currentFolder.clear();
    recentFiles.Clear();
    fontSizePercentage = 100;
    toolBarVisible = 1;
    splitter = kSplitterFitsTree;
    modelType = 0;
    const WindowRect place = FirstPlace(screen_);
    windowLeft = place.left;
    windowTop = place.top;
    windowWidth = place.width;
    windowHeight = place.height;
}

void indEnviron::LoadSettings() {
    auto store = platform::SettingsStores().OpenSettingsStore(keyPath_);
    SetDefaults();  // what a value outside its range falls back to
    if (!ReadSettings(*store) || !SettingsValid()) {
        SetDefaults();
    }
}

bool indEnviron::ReadSettings(const platform::SettingsStore& store) {
    for (const IntRow& row : IntRows()) {
        std::optional<std::string> text = store.Read(row.group, row.name);
        std::optional<int> value = text ? ParseInteger(*text) : std::nullopt;
        if (!value) {
            return false;
        }
        this->*row.field = row.Apply(*value, this->*row.field);
    }
    currentFolder = store.Read(kGlobal, kCurrentDirectory).value_or("");
    // Entry by entry to the end, so that the stored order survives and equal names collapse.
    recentFiles.Clear();
    for (int i = 0; i < kRecentCount; ++i) {
        recentFiles.AddToEnd(store.Read(kRecentFiles, RecentName(i)).value_or(""));
    }
    return true;
}

void indEnviron::SaveSettings() {
    auto store = platform::SettingsStores().OpenSettingsStore(keyPath_);
    for (const IntRow& row : IntRows()) {
        store->Write(row.group, row.name, std::to_string(this->*row.field));
    }
    store->Write(kGlobal, kCurrentDirectory, currentFolder);
    for (int i = 0; i < kRecentCount; ++i) {
        store->Write(kRecentFiles, RecentName(i), recentFiles.GetDisplayName(i, ""));
    }
    store->Commit();
}
