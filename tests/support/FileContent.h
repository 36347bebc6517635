#pragma once

#include <filesystem>
#include <string>

namespace testsupport {

// A file's bytes as they are on the disk (empty when it cannot be read).
std::string FileContent(const std::filesystem::path& path);

}  // namespace testsupport
