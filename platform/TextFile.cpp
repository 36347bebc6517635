#include "platform/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/FileChecks.h"

namespace platform {

namespace {

// Why path cannot be read as a file: the system's error number, or the kind of file; 0 for a
// regular file.
int RegularFileError(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) != 0 ? errno : FileKindError(info.st_mode);
}

// A descriptor of the regular file at path, or -1 with *error set. The file is looked at
// before it is opened, since opening a device may act on it, and opened without waiting, so
// that a pipe put there meanwhile cannot hold the program either.
int OpenRegular(const std::string& path, int* error) {
    *error = RegularFileError(path);
    if (*error != 0) {
        return -1;
    }
    const int fd = open(path.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        *error = errno;
        return -1;
    }
    struct stat info;
    *error = fstat(fd, &info) != 0 ? errno : FileKindError(info.st_mode);
    if (*error != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

TextFile::~TextFile() {
    Close();
}

bool TextFile::Open(const std::string& path) {
    Close();
    error_ = 0;
    const int fd = OpenRegular(path, &error_);
    if (fd < 0) {
        return false;
    }
    file_ = fdopen(fd, "r");
    if (!file_) {
        error_ = errno;
        close(fd);
    }
    return file_ != nullptr;
}

void TextFile::Close() {
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
}

bool TextFile::ReadLine(char* buffer, int size) {
    if (!file_ || size < 2) {
        return false;
    }
    errno = 0;
    if (!std::fgets(buffer, size, file_)) {
        if (std::ferror(file_)) {
            error_ = errno != 0 ? errno : EIO;
        }
        return false;
    }
    size_t n = std::strlen(buffer);
    if (n >= 2 && buffer[n - 2] == '\r' && buffer[n - 1] == '\n') {
        buffer[n - 2] = '\n';
        buffer[n - 1] = '\0';
    } else if (n >= 1 && buffer[n - 1] == '\r') {
        // A CR at the very end of the room may be the first half of CR LF.
        int next = std::fgetc(file_);
        if (next == '\n') {
            buffer[n - 1] = '\n';
        } else if (next != EOF) {
            std::ungetc(next, file_);
        }
    }
    return true;
}

long TextFile::Tell() const {
    return file_ ? std::ftell(file_) : -1;
}

bool TextFile::Seek(long position) {
    return file_ && std::fseek(file_, position, SEEK_SET) == 0;
}

}  // namespace platform
