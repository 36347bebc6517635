#include "platform/ReplaceFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/FileChecks.h"

namespace platform {

namespace {

constexpr int kNameAttempts = 100;

// Opens a file of a fresh name beside path; -1 when none can be made.
int CreateBeside(const std::string& path, std::string* tempPath) {
    for (int n = 0; n < kNameAttempts; ++n) {
        *tempPath = path + ".tmp-" + std::to_string(getpid()) + "-" + std::to_string(n);
        int fd = open(tempPath->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

bool WriteAll(int fd, std::string_view content) {
    while (!content.empty()) {
        ssize_t written = write(fd, content.data(), content.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        content.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// A replaced file keeps the permissions the user gave it.
void KeepMode(int fd, const std::string& path) {
    struct stat old;
    if (stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        fchmod(fd, old.st_mode & 07777);
    }
}

// Makes the rename itself durable; a failure here leaves a complete file either way.
void SyncFolder(const std::string& path) {
    size_t slash = path.find_last_of('/');
    std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

// The error number of a step that failed; never 0, so a failure cannot pass for success.
int FailureNumber() {
    return errno != 0 ? errno : EIO;
}

// Writes, syncs and closes; the error number of the first step that failed, else 0.
int Complete(int fd, std::string_view content) {
    errno = 0;
    int failure = WriteAll(fd, content) && fsync(fd) == 0 ? 0 : FailureNumber();
    if (close(fd) != 0 && failure == 0) {
        failure = FailureNumber();
    }
    return failure;
}

// 0 when the target may be replaced: not there yet, or a regular file that the user may open
// for writing. The check is the one the system's own open would make, so a read-only file is
// refused for a user and not for root, as with any editor.
int CheckTarget(const std::string& target) {
    struct stat info;
    if (stat(target.c_str(), &info) != 0) {
        return errno == ENOENT ? 0 : errno;
    }
    if (const int kind = FileKindError(info.st_mode)) {
        return kind;
    }
    const int fd = open(target.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return errno;
    }
    close(fd);
    return 0;
}

ReplaceResult Report(ReplaceResult result, int failure, int* error) {
    if (error) {
        *error = failure;
    }
    return result;
}

}  // namespace

ReplaceResult ReplaceFile(const std::string& path, std::string_view content, int* error) {
    // Through a link the file it points to is replaced, in its own folder; the link stays.
    std::string target;
    int failure = FollowLinks(path, &target);
    if (failure == 0) {
        failure = CheckTarget(target);
    }
    if (failure != 0) {
        return Report(ReplaceResult::CannotCreate, failure, error);
    }
    std::string tempPath;
    int fd = CreateBeside(target, &tempPath);
    if (fd < 0) {
        return Report(ReplaceResult::CannotCreate, FailureNumber(), error);
    }
    KeepMode(fd, target);
    failure = Complete(fd, content);
    if (failure == 0 && std::rename(tempPath.c_str(), target.c_str()) != 0) {
        failure = FailureNumber();
    }
    if (failure != 0) {
        unlink(tempPath.c_str());
        return Report(ReplaceResult::WriteFailed, failure, error);
    }
    SyncFolder(target);
    return Report(ReplaceResult::Ok, 0, error);
}

}  // namespace platform
