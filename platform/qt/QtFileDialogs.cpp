#include "platform/qt/QtFileDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QStringList>

namespace platform::qt {

namespace {

std::optional<std::string> Run(QFileDialog& dialog, const FileDialogRequest& request) {
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDirectory(QString::fromStdString(request.folder));
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
    dialog.setNameFilter(QtFileDialogs::QtFilter(request.filter));
    if (!request.fileName.empty()) {
        dialog.selectFile(QString::fromStdString(request.fileName));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().front().toStdString();
}

}  // namespace

QString QtFileDialogs::QtFilter(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        filters << (description.contains('(')
                        ? description
                        : description + " (" + QString(parts[i + 1]).replace(';', ' ') + ")");
    }
    return filters.join(";;");
}

std::optional<std::string> QtFileDialogs::ChooseOpen(const FileDialogRequest& request) {
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return Run(dialog, request);
}

std::optional<std::string> QtFileDialogs::ChooseSave(const FileDialogRequest& request) {
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    return Run(dialog, request);
}

}  // namespace platform::qt
