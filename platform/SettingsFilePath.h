#pragma once

#include <string>

namespace platform {

// The INI file that holds a key path's settings: the key path's parts below "Software" as
// folders and file name in the user's configuration folder ($XDG_CONFIG_HOME, else
// $HOME/.config), so "Software\Zelk\Tarnwick" is "<config>/Zelk/Tarnwick.ini".
std::string SettingsFilePath(const std::string& keyPath);

}  // namespace platform
