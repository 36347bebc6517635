#include "platform/SettingsFilePath.h"

#include <cstdlib>
#include <sstream>

namespace platform {

namespace {

std::string ConfigFolder() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/') {  // the base-directory rules ignore a relative path
        return config;
    }
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.config";
}

}  // namespace

std::string SettingsFilePath(const std::string& keyPath) {
    std::string path = ConfigFolder();
    std::istringstream parts(keyPath);
    std::string part;
    bool first = true;
    while (std::getline(parts, part, '\\')) {
        bool software = first && part == "Software";
        first = false;
        if (!part.empty() && !software) {
            path += "/" + part;
        }
    }
    return path + ".ini";
}

}  // namespace platform
