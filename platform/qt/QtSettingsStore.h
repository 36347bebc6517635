#pragma once

#include <QSettings>
#include <string>

#include "platform/SettingsStore.h"

namespace platform::qt {

// Settings in an INI file through QSettings: one section per group. Commit writes the whole
// file through a temporary file, so a failed write keeps the old file.
class QtSettingsStore : public SettingsStore {
public:
    explicit QtSettingsStore(const std::string& filePath);

    std::optional<std::string> Read(const std::string& group,
                                    const std::string& name) const override;
    void Write(const std::string& group, const std::string& name,
               const std::string& value) override;
    // False also when the old file held lines that are not INI: QSettings reports that after
    // it has written the values over them.
    bool Commit() override;

private:
    mutable QSettings settings_;
};

}  // namespace platform::qt
