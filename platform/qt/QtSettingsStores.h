#pragma once

#include "platform/SettingsStore.h"

namespace platform::qt {

// Opens the INI file of a key path (platform::SettingsFilePath).
class QtSettingsStores : public SettingsStoreFactory {
public:
    std::unique_ptr<SettingsStore> OpenSettingsStore(const std::string& keyPath) override;
};

}  // namespace platform::qt
