#include "tests/fuzz/ProgramBoxes.h"

namespace fuzz {

platform::BoxAnswer ProgramBoxes::Show(const std::string&, const std::string&, platform::BoxIcon,
                                       platform::BoxButtons buttons) {
    ++shown;
    return buttons == platform::BoxButtons::Ok || buttons == platform::BoxButtons::OkCancel
               ? platform::BoxAnswer::Ok
               : platform::BoxAnswer::No;
}

void ProgramBoxes::FatalEnd(const std::string& text, const std::string&) {
    throw platform::FatalError(text);
}

}  // namespace fuzz
