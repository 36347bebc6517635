#pragma once

#include <stdexcept>
#include <string>

namespace platform {

enum class BoxIcon { None, Error, Warning, Information, Question };
enum class BoxButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class BoxAnswer { Ok, Cancel, Yes, No };

// Message boxes and the fatal end of the program.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual BoxAnswer Show(const std::string& text, const std::string& caption, BoxIcon icon,
                           BoxButtons buttons) = 0;
    // Shows the error box for an internal failure, then ends the program. Never returns.
    [[noreturn]] virtual void FatalEnd(const std::string& text, const std::string& caption) = 0;
};

// Thrown by a test recorder's fatal end, so a test can assert that a failure is fatal.
class FatalError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Thrown once a box has told the user why the program cannot go on with outside data (a
// missing file, say): the program's event guard ends the message loop without another box, and
// the program shuts down in order.
class NormalEnd : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The message boxes in force: without an installed one, boxes go to standard error
// (answering Ok / Yes) and the fatal end aborts.
MessageBoxes& Boxes();
// Installs message boxes (not owned); nullptr restores the default.
void InstallBoxes(MessageBoxes* boxes);

// Shows a box captioned with the program's file name.
BoxAnswer ShowBox(const std::string& text, BoxIcon icon = BoxIcon::Information,
                  BoxButtons buttons = BoxButtons::Ok);
// Internal failure: the error box captioned with the program's file name, then the end.
[[noreturn]] void Fatal(const std::string& text);

}  // namespace platform
