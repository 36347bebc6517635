#pragma once

#include <string>

namespace platform::qt {

// Where the file dialogs start: the folder of the last file while it is still there; else the
// user's documents folder when there is one, else the home folder (never a folder that does not
// exist, which the dialogs would refuse or swap for the working folder).
std::string DocumentFolder(const std::string& lastFolder);

}  // namespace platform::qt
