#pragma once

#include <cstdio>
#include <string>

namespace platform {

// A file read in text mode as the original platform does it: a CR before LF is not part of
// the line, so tables and clone files written on Windows read the same here.
class TextFile {
public:
    TextFile() = default;
    ~TextFile();
    TextFile(const TextFile&) = delete;
    TextFile& operator=(const TextFile&) = delete;

    // Only a regular file opens: a folder, a pipe or a device is refused at once (a pipe would
    // wait for a writer).
    bool Open(const std::string& path);
    bool IsOpen() const { return file_ != nullptr; }
    void Close();
    // fgets semantics: at most size - 1 bytes, the newline kept when it fits;
    // false at the end of the file, and when reading fails (see Error).
    bool ReadLine(char* buffer, int size);
    // Why the last Open or a read failed: the system's error number, or kNotRegularFile
    // (FileChecks.h); 0 when nothing failed, the end of the file included.
    int Error() const { return error_; }
    long Tell() const;
    // Returns true on success.
    bool Seek(long position);

private:
    std::FILE* file_ = nullptr;
    int error_ = 0;
};

}  // namespace platform
