#include "tests/support/ScopedEnvFolder.h"

#include <unistd.h>

#include <cstdlib>

namespace testsupport {

ScopedEnvFolder::ScopedEnvFolder(const char* variable, const std::string& prefix)
    : variable_(variable),
      path_(std::filesystem::temp_directory_path() / (prefix + std::to_string(getpid()))) {
    if (const char* old = std::getenv(variable)) {
        saved_ = old;
    }
    std::filesystem::create_directories(path_);
    setenv(variable, path_.c_str(), 1);
}

ScopedEnvFolder::~ScopedEnvFolder() {
    if (saved_) {
        setenv(variable_.c_str(), saved_->c_str(), 1);
    } else {
        unsetenv(variable_.c_str());
    }
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

}  // namespace testsupport
