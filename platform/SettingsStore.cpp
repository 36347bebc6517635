#include "platform/SettingsStore.h"

namespace platform {

namespace {

class NoSettingsStore : public SettingsStore {
public:
    std::optional<std::string> Read(const std::string&, const std::string&) const override {
        return std::nullopt;
    }
    void Write(const std::string&, const std::string&, const std::string&) override {}
    bool Commit() override { return false; }
};

class NoSettingsStores : public SettingsStoreFactory {
public:
    std::unique_ptr<SettingsStore> OpenSettingsStore(const std::string&) override {
        return std::make_unique<NoSettingsStore>();
    }
};

NoSettingsStores noStores;
SettingsStoreFactory* installedFactory = nullptr;

}  // namespace

SettingsStoreFactory& SettingsStores() {
    return installedFactory ? *installedFactory : noStores;
}

void InstallSettingsStores(SettingsStoreFactory* factory) {
    installedFactory = factory;
}

}  // namespace platform
