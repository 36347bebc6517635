#pragma once

#include <QString>

#include "platform/FileDialogs.h"

namespace platform::qt {

// File dialogs on QFileDialog, owned by the active window: the open dialog takes existing
// files only; the save dialog leaves the replace question to its caller.
class QtFileDialogs : public FileDialogs {
public:
    std::optional<std::string> ChooseOpen(const FileDialogRequest& request) override;
    std::optional<std::string> ChooseSave(const FileDialogRequest& request) override;

    // "Clone files (*.tov)|*.tov|All files (*)|*" as Qt's "Clone files (*.tov);;All files (*)".
    static QString QtFilter(const std::string& filter);
};

}  // namespace platform::qt
