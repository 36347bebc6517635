#pragma once

#include <string>

namespace platform {

// The running program's file name without its folder (captions of internal error boxes).
std::string ProgramFileName();
// The folder that holds the program, ending in '/'.
std::string ProgramDir();
// Overrides both from a path (the programs pass argv[0]; tests may pass anything).
void SetProgramPath(const std::string& path);

}  // namespace platform
