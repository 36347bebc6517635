#pragma once

#include "platform/MessageBox.h"

namespace platform::qt {

// Message boxes on QMessageBox, owned by the active window (else the main window); when a box
// closes, the keyboard focus goes back to the control that had it.
class QtMessageBoxes : public MessageBoxes {
public:
    BoxAnswer Show(const std::string& text, const std::string& caption, BoxIcon icon,
                   BoxButtons buttons) override;
    [[noreturn]] void FatalEnd(const std::string& text, const std::string& caption) override;
};

}  // namespace platform::qt
