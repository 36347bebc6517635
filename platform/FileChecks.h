#pragma once

#include <string>

namespace platform {

// Not an error number of the system: the path names a pipe, a device or a socket, which holds
// no file to read or to replace.
constexpr int kNotRegularFile = -1;

// Why a file of this mode (st_mode) can be neither read nor replaced as a document: 0 for a
// regular file, EISDIR for a folder, kNotRegularFile for anything else.
int FileKindError(unsigned mode);

// A descriptor of the regular file at path, opened for reading, or -1 with *error set to the
// system's error number or to the kind of file. The file is looked at before it is opened,
// since opening a device may act on it, and opened without waiting, so that a pipe put there
// meanwhile cannot hold the program either.
int OpenRegularFile(const std::string& path, int* error);

// True when the folder holds an entry of that name, a link included wherever it points. Never
// throws: a name that cannot be looked at (a folder that may not be entered, a name too long)
// does not exist.
bool NameExists(const std::string& path);

// True when both paths name the same file (one device and inode), however they are spelt;
// where one of them cannot be looked at, only when the names are equal.
bool SameFile(const std::string& a, const std::string& b);

// The path that a path finally names, its symbolic links followed (a relative link counts from
// its own folder): 0 with *target set, or the system's error number (ELOOP for a loop). A
// target that does not exist yet is a target all the same.
int FollowLinks(const std::string& path, std::string* target);

}  // namespace platform
