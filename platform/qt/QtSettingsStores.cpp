#include "platform/qt/QtSettingsStores.h"

#include "platform/SettingsFilePath.h"
#include "platform/qt/QtSettingsStore.h"

namespace platform::qt {

std::unique_ptr<SettingsStore> QtSettingsStores::OpenSettingsStore(const std::string& keyPath) {
    return std::make_unique<QtSettingsStore>(SettingsFilePath(keyPath));
}

}  // namespace platform::qt
