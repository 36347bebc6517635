#pragma once

#include <optional>
#include <string>

namespace platform {

// What a file dialog shows: the folder it opens in, the proposed file name, the extension a
// name without one gets, and the filter as "description|patterns" pairs joined by "|".
struct FileDialogRequest {
    std::string folder;
    std::string fileName;
    std::string defaultExtension;
    std::string filter;
};

// The platform's dialogs that choose a file to open or a name to save under. They do not ask
// about replacing a file; the caller does.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The full path of an existing file, or nothing when the user cancels.
    virtual std::optional<std::string> ChooseOpen(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> ChooseSave(const FileDialogRequest& request) = 0;
};

// The dialogs in force: without installed ones nothing is ever chosen.
FileDialogs& Dialogs();
// Installs dialogs (not owned); nullptr restores the default.
void InstallFileDialogs(FileDialogs* dialogs);

}  // namespace platform
