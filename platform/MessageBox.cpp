#include "platform/MessageBox.h"

#include <cstdio>
#include <cstdlib>

#include "platform/ProgramInfo.h"

namespace platform {

namespace {

class ConsoleBoxes : public MessageBoxes {
public:
    BoxAnswer Show(const std::string& text, const std::string& caption, BoxIcon,
                   BoxButtons buttons) override {
        std::fprintf(stderr, "[%s] %s\n", caption.c_str(), text.c_str());
        return buttons == BoxButtons::Ok || buttons == BoxButtons::OkCancel ? BoxAnswer::Ok
                                                                            : BoxAnswer::Yes;
    }
    [[noreturn]] void FatalEnd(const std::string& text, const std::string& caption) override {
        std::fprintf(stderr, "[%s] fatal: %s\n", caption.c_str(), text.c_str());
        std::abort();
    }
};

ConsoleBoxes consoleBoxes;
MessageBoxes* installedBoxes = nullptr;

}  // namespace

MessageBoxes& Boxes() {
    return installedBoxes ? *installedBoxes : consoleBoxes;
}

void InstallBoxes(MessageBoxes* boxes) {
    installedBoxes = boxes;
}

BoxAnswer ShowBox(const std::string& text, BoxIcon icon, BoxButtons buttons) {
    return Boxes().Show(text, ProgramFileName(), icon, buttons);
}

void Fatal(const std::string& text) {
    Boxes().FatalEnd(text, ProgramFileName());
    std::abort();  // an implementation that returns still ends the program
}

}  // namespace platform
