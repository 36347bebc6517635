#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/MessageBox.h"
#include "tests/support/ScopedInstall.h"

namespace testsupport {

// Records every message box; answers from a script (Ok/Yes when it runs dry). The fatal end
// throws platform::FatalError, so a test can expect a failure to be fatal.
class RecordingBoxes : public platform::MessageBoxes {
public:
    struct Box {
        std::string text;
        std::string caption;
        platform::BoxIcon icon;
        platform::BoxButtons buttons;
    };

    platform::BoxAnswer Show(const std::string& text, const std::string& caption,
                             platform::BoxIcon icon, platform::BoxButtons buttons) override;
    [[noreturn]] void FatalEnd(const std::string& text, const std::string& caption) override;

    void Answer(platform::BoxAnswer answer) { answers_.push_back(answer); }

    std::vector<Box> boxes;
    std::vector<std::string> fatals;

private:
    std::deque<platform::BoxAnswer> answers_;
    ScopedBoxes installed_{this};
};

}  // namespace testsupport
