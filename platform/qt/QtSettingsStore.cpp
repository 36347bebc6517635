#include "platform/qt/QtSettingsStore.h"

#include <QStringList>
#include <QVariant>

namespace platform::qt {

namespace {

QString KeyOf(const std::string& group, const std::string& name) {
    return QString::fromStdString(group) + "/" + QString::fromStdString(name);
}

}  // namespace

QtSettingsStore::QtSettingsStore(const std::string& filePath)
    : settings_(QString::fromStdString(filePath), QSettings::IniFormat) {}

std::optional<std::string> QtSettingsStore::Read(const std::string& group,
                                                 const std::string& name) const {
    QVariant value = settings_.value(KeyOf(group, name));
    if (!value.isValid()) {
        return std::nullopt;
    }
    // An unquoted comma in a file edited by hand makes the INI reader split the text.
    if (value.typeId() == QMetaType::QStringList) {
        return value.toStringList().join(", ").toStdString();
    }
    return value.toString().toStdString();
}

void QtSettingsStore::Write(const std::string& group, const std::string& name,
                            const std::string& value) {
    settings_.setValue(KeyOf(group, name), QString::fromStdString(value));
}

bool QtSettingsStore::Commit() {
    settings_.sync();
    return settings_.status() == QSettings::NoError;
}

}  // namespace platform::qt
