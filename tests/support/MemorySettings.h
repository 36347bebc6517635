#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/SettingsStore.h"
#include "tests/support/ScopedInstall.h"

namespace testsupport {

// Settings stores in memory, installed for the object's lifetime. Each store opened works on
// a copy of its key path's values that Commit puts back, so a refused commit (failCommits)
// leaves the stored values as they were, as the INI file does.
class MemorySettings : public platform::SettingsStoreFactory {
public:
    // group -> name -> value
    using Values = std::map<std::string, std::map<std::string, std::string>>;

    std::unique_ptr<platform::SettingsStore> OpenSettingsStore(const std::string& keyPath) override;

    std::optional<std::string> Get(const std::string& keyPath, const std::string& group,
                                   const std::string& name) const;

    std::map<std::string, Values> keys;  // by key path
    bool failCommits = false;
    int commits = 0;  // successful ones

private:
    ScopedSettingsStores installed_{this};
};

}  // namespace testsupport
