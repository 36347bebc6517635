#include "platform/TextFile.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/FileChecks.h"

namespace platform {

TextFile::~TextFile() {
    Close();
}

bool TextFile::Open(const std::string& path) {
    Close();
    error_ = 0;
    const int fd = OpenRegularFile(path, &error_);
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
