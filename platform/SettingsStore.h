#pragma once

#include <memory>
#include <optional>
#include <string>

namespace platform {

// The settings kept under one key path ("Software\Zelk\Tarnwick"): named groups (the key's
// subkeys) of named text values. Written values last only once committed; a commit that cannot
// write leaves the stored values as they were.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // None when the group or the value is missing.
    virtual std::optional<std::string> Read(const std::string& group,
                                            const std::string& name) const = 0;
    virtual void Write(const std::string& group, const std::string& name,
                       const std::string& value) = 0;
    virtual bool Commit() = 0;
};

// Opens the store of a key path. The cloning program installs the INI-file stores; tests
// install stores in memory.
class SettingsStoreFactory {
public:
    virtual ~SettingsStoreFactory() = default;
    virtual std::unique_ptr<SettingsStore> OpenSettingsStore(const std::string& keyPath) = 0;
};

// The factory in force. Without an installed one every store is empty and keeps nothing, so
// a program without settings still runs, on its defaults.
SettingsStoreFactory& SettingsStores();
// Installs a factory (not owned); nullptr restores the default.
void InstallSettingsStores(SettingsStoreFactory* factory);

}  // namespace platform
