#include "platform/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>

namespace platform {

namespace {

std::string FallbackRuntimeDir() {
    std::string dir = "/tmp/merrow-" + std::to_string(getuid());
    mkdir(dir.c_str(), 0700);
    // Another user could have made the folder first: use it only when it is ours.
    struct stat info {};
    if (lstat(dir.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != getuid()) {
        return "";
    }
    return dir;
}

std::string RuntimeDir() {
    const char* xdg = std::getenv("XDG_RUNTIME_DIR");
    if (xdg && *xdg) {
        return xdg;
    }
    return FallbackRuntimeDir();
}

std::string LockFileName(const std::string& name) {
    std::string file = name;
    for (char& c : file) {
        unsigned char u = static_cast<unsigned char>(c);
        if (!std::isalnum(u) && c != '.' && c != '-' && c != '_') {
            c = '_';
        }
    }
    return file + ".lock";
}

}  // namespace

std::string InstanceLock::LockPath(const std::string& name) {
    std::string dir = RuntimeDir();
    if (dir.empty()) {
        return "";
    }
    if (dir.back() != '/') {
        dir += '/';
    }
    return dir + LockFileName(name);
}

InstanceLock::InstanceLock(const std::string& name) {
    std::string path = LockPath(name);
    if (path.empty()) {
        return;
    }
    fd_ = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd_ < 0) {
        return;
    }
    int rc;
    do {
        rc = flock(fd_, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        first_ = errno != EWOULDBLOCK;
        close(fd_);
        fd_ = -1;
    }
}

InstanceLock::~InstanceLock() {
    if (fd_ >= 0) {
        close(fd_);
    }
}

}  // namespace platform
