#pragma once

#include <filesystem>
#include <string>
#include <vector>

// Every include in the source tree under root that breaks the layers, as
// "<file>:<line>: <why>" with the file from the root. Hidden folders and build trees (a
// folder holding CMakeCache.txt) are not source.
std::vector<std::string> CheckLayers(const std::filesystem::path& root);
