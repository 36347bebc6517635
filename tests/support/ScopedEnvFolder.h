#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace testsupport {

// A folder of this test process's own, named in an environment variable (such as the runtime
// folder of the single-instance locks) while the object lives; the variable's old value comes
// back and the folder goes at the end.
class ScopedEnvFolder {
public:
    ScopedEnvFolder(const char* variable, const std::string& prefix);
    ~ScopedEnvFolder();
    ScopedEnvFolder(const ScopedEnvFolder&) = delete;
    ScopedEnvFolder& operator=(const ScopedEnvFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }

private:
    std::string variable_;
    std::optional<std::string> saved_;
    std::filesystem::path path_;
};

}  // namespace testsupport
