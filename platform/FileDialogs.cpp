#include "platform/FileDialogs.h"

namespace platform {

namespace {

class NoDialogs : public FileDialogs {
public:
    std::optional<std::string> ChooseOpen(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> ChooseSave(const FileDialogRequest&) override { return {}; }
};

NoDialogs noDialogs;
FileDialogs* installedDialogs = nullptr;

}  // namespace

FileDialogs& Dialogs() {
    return installedDialogs ? *installedDialogs : noDialogs;
}

void InstallFileDialogs(FileDialogs* dialogs) {
    installedDialogs = dialogs;
}

}  // namespace platform
