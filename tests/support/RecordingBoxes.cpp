#include "tests/support/RecordingBoxes.h"

namespace testsupport {

platform::BoxAnswer RecordingBoxes::Show(const std::string& text, const std::string& caption,
                                         platform::BoxIcon icon, platform::BoxButtons buttons) {
    boxes.push_back(Box{text, caption, icon, buttons});
    if (!answers_.empty()) {
        auto answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    return buttons == platform::BoxButtons::Ok || buttons == platform::BoxButtons::OkCancel
               ? platform::BoxAnswer::Ok
               : platform::BoxAnswer::Yes;
}

void RecordingBoxes::FatalEnd(const std::string& text, const std::string& caption) {
    fatals.push_back(text);
    boxes.push_back(Box{text, caption, platform::BoxIcon::Error, platform::BoxButtons::Ok});
    throw platform::FatalError(text);
}

}  // namespace testsupport
