#include "platform/qt/DocumentFolder.h"

#include <QDir>
#include <QStandardPaths>

namespace platform::qt {

std::string DocumentFolder(const std::string& lastFolder) {
    const QString last = QString::fromStdString(lastFolder);
    if (!last.isEmpty() && QDir(last).exists()) {
        return lastFolder;
    }
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QDir(documents).exists()) {
        return documents.toStdString();
    }
    return QDir::homePath().toStdString();
}

}  // namespace platform::qt
