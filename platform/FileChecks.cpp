#include "platform/FileChecks.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace platform {

namespace {

// The kernel's own limit on the links one lookup follows.
constexpr int kMaxLinks = 40;

std::string FolderWithSlash(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The text of a link whose size lstat reported; false with errno set when it cannot be read.
bool ReadLinkText(const std::string& link, off_t size, std::string* text) {
    std::vector<char> buffer(static_cast<size_t>(size > 0 ? size : 255) + 1);
    const ssize_t n = readlink(link.c_str(), buffer.data(), buffer.size());
    if (n < 0) {
        return false;
    }
    if (static_cast<size_t>(n) == buffer.size()) {
        errno = ENAMETOOLONG;  // the link changed under us; not worth a second try
        return false;
    }
    text->assign(buffer.data(), static_cast<size_t>(n));
    return true;
}

}  // namespace

int FileKindError(unsigned mode) {
    if (S_ISREG(mode)) {
        return 0;
    }
    return S_ISDIR(mode) ? EISDIR : kNotRegularFile;
}

int OpenRegularFile(const std::string& path, int* error) {
    struct stat info;
    *error = stat(path.c_str(), &info) != 0 ? errno : FileKindError(info.st_mode);
    if (*error != 0) {
        return -1;
    }
    const int fd = open(path.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        *error = errno;
        return -1;
    }
    *error = fstat(fd, &info) != 0 ? errno : FileKindError(info.st_mode);
    if (*error != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

bool NameExists(const std::string& path) {
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

bool SameFile(const std::string& a, const std::string& b) {
    struct stat first;
    struct stat second;
    if (stat(a.c_str(), &first) != 0 || stat(b.c_str(), &second) != 0) {
        return a == b;
    }
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

int FollowLinks(const std::string& path, std::string* target) {
    std::string current = path;
    for (int links = 0; links <= kMaxLinks; ++links) {
        struct stat info;
        const bool found = lstat(current.c_str(), &info) == 0;
        if (!found && errno != ENOENT) {
            return errno;
        }
        // A name not there yet is a file still to be made; its folder answers for itself.
        if (!found || !S_ISLNK(info.st_mode)) {
            *target = current;
            return 0;
        }
        std::string text;
        if (!ReadLinkText(current, info.st_size, &text)) {
            return errno;
        }
        current = text.starts_with('/') ? text : FolderWithSlash(current) + text;
    }
    return ELOOP;
}

}  // namespace platform
