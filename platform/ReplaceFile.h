#pragma once

#include <string>
#include <string_view>

namespace platform {

enum class ReplaceResult {
    Ok,
    CannotCreate,  // the target may not be written, or no file could be made beside it; the
                   // target is untouched
    WriteFailed,   // writing or replacing failed; the target is untouched
};

// Replaces the file at path by content without ever leaving it half written: the bytes go to a
// new file beside it, which takes the old file's name (and permissions) only once it is complete
// and on disk. On any failure the new file is removed and the old one stays as it was, and
// *error (when given) is the system's error number of the step that failed (or
// kNotRegularFile, FileChecks.h); 0 on success. A path through symbolic links replaces the file
// they lead to and keeps the links.
ReplaceResult ReplaceFile(const std::string& path, std::string_view content, int* error = nullptr);

}  // namespace platform
