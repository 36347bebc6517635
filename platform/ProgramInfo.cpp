#include "platform/ProgramInfo.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>

namespace platform {

namespace {

std::string programPath;

std::string SelfPath() {
    if (!programPath.empty()) {
        return programPath;
    }
    char buffer[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) {
        return "program";
    }
    programPath.assign(buffer, static_cast<size_t>(n));
    return programPath;
}

}  // namespace

std::string ProgramFileName() {
    std::string path = SelfPath();
    auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ProgramDir() {
    std::string path = SelfPath();
    auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

std::string ProgramDataDir() {
    const std::string dir = ProgramDir();
    const std::string shared = dir + "../share/" + ProgramFileName() + "/";
    struct stat info {};
    if (dir.ends_with("/bin/") && stat(shared.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        return shared;
    }
    return dir;
}

void SetProgramPath(const std::string& path) {
    programPath = path;
}

}  // namespace platform
