#include "tests/support/FileContent.h"

#include <fstream>
#include <sstream>

namespace testsupport {

std::string FileContent(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace testsupport
