#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/FileDialogs.h"
#include "tests/support/ScopedInstall.h"

namespace testsupport {

using ScopedFileDialogs = ScopedInstall<platform::FileDialogs, platform::InstallFileDialogs>;

// Records every file dialog's request and answers from a script of chosen paths (nothing, as
// a cancel, when it runs dry). Installed while it exists.
class RecordingFileDialogs : public platform::FileDialogs {
public:
    struct Request {
        bool save;
        platform::FileDialogRequest request;
    };

    std::optional<std::string> ChooseOpen(const platform::FileDialogRequest& request) override {
        return Next(false, request);
    }
    std::optional<std::string> ChooseSave(const platform::FileDialogRequest& request) override {
        return Next(true, request);
    }

    void Choose(std::optional<std::string> path) { answers_.push_back(std::move(path)); }

    std::vector<Request> requests;

private:
    std::optional<std::string> Next(bool save, const platform::FileDialogRequest& request) {
        requests.push_back({save, request});
        if (answers_.empty()) {
            return {};
        }
        std::optional<std::string> answer = answers_.front();
        answers_.pop_front();
        return answer;
    }

    std::deque<std::optional<std::string>> answers_;
    ScopedFileDialogs installed_{this};
};

}  // namespace testsupport
