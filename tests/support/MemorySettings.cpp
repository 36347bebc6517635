#include "tests/support/MemorySettings.h"

namespace testsupport {

namespace {

std::optional<std::string> FindValue(const MemorySettings::Values& values, const std::string& group,
                                     const std::string& name) {
    auto g = values.find(group);
    if (g == values.end()) {
        return std::nullopt;
    }
    auto v = g->second.find(name);
    return v == g->second.end() ? std::nullopt : std::make_optional(v->second);
}

class MemoryStore : public platform::SettingsStore {
public:
    MemoryStore(MemorySettings& owner, std::string keyPath)
        : owner_(owner), keyPath_(std::move(keyPath)), values_(owner.keys[keyPath_]) {}

    std::optional<std::string> Read(const std::string& group,
                                    const std::string& name) const override {
        return FindValue(values_, group, name);
    }
    void Write(const std::string& group, const std::string& name,
               const std::string& value) override {
        values_[group][name] = value;
    }
    bool Commit() override {
        if (owner_.failCommits) {
            return false;
        }
        owner_.keys[keyPath_] = values_;
        ++owner_.commits;
        return true;
    }

private:
    MemorySettings& owner_;
    std::string keyPath_;
    MemorySettings::Values values_;
};

}  // namespace

std::unique_ptr<platform::SettingsStore> MemorySettings::OpenSettingsStore(
    const std::string& keyPath) {
    return std::make_unique<MemoryStore>(*this, keyPath);
}

std::optional<std::string> MemorySettings::Get(const std::string& keyPath, const std::string& group,
                                               const std::string& name) const {
    auto k = keys.find(keyPath);
    return k == keys.end() ? std::nullopt : FindValue(k->second, group, name);
}

}  // namespace testsupport
