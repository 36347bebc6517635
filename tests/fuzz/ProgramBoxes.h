#pragma once

#include <string>

#include "platform/MessageBox.h"
#include "tests/support/ScopedInstall.h"

namespace fuzz {

// Boxes for the program's own roads: OK to every notice and confirmation, No to every yes-or-no
// question, so no question saves, replaces or discards anything of its own accord. The fatal
// end throws, ending the input only.
class ProgramBoxes : public platform::MessageBoxes {
public:
    platform::BoxAnswer Show(const std::string& text, const std::string& caption,
                             platform::BoxIcon icon, platform::BoxButtons buttons) override;
    [[noreturn]] void FatalEnd(const std::string& text, const std::string& caption) override;

    int shown = 0;

private:
    testsupport::ScopedBoxes installed_{this};
};

}  // namespace fuzz
