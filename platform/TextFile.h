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

    bool Open(const std::string& path);
    bool IsOpen() const { return file_ != nullptr; }
    void Close();
    // fgets semantics: at most size - 1 bytes, the newline kept when it fits;
    // false at the end of the file.
    bool ReadLine(char* buffer, int size);
    long Tell() const;
    // Returns true on success.
    bool Seek(long position);

private:
    std::FILE* file_ = nullptr;
};

}  // namespace platform
