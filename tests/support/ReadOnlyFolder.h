#pragma once

#include <filesystem>
#include <optional>

#include "tests/support/PlainUserRights.h"

namespace testsupport {

// Makes a folder read-only for this thread while it lives, as it is for a user without the
// right to write there: its mode becomes r-x, and the thread has a plain user's rights.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(std::filesystem::path folder);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

private:
    std::filesystem::path folder_;
    std::filesystem::perms saved_;
    std::optional<PlainUserRights> rights_;
};

}  // namespace testsupport
