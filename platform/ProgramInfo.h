#pragma once

#include <string>

namespace platform {

// The running program's file name without its folder (captions of internal error boxes).
std::string ProgramFileName();
// The folder that holds the program, ending in '/'.
std::string ProgramDir();
// The folder that holds the program's data files, ending in '/': the program's own folder, or,
// for a program installed into a "bin" folder, "../share/<program file name>/" beside it
// when that folder exists.
std::string ProgramDataDir();
// Overrides the program's path, and so all three (tests may pass anything).
void SetProgramPath(const std::string& path);

}  // namespace platform
