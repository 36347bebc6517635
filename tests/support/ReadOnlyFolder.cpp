#include "tests/support/ReadOnlyFolder.h"

namespace testsupport {

namespace fs = std::filesystem;

ReadOnlyFolder::ReadOnlyFolder(fs::path folder)
    : folder_(std::move(folder)), saved_(fs::status(folder_).permissions()) {
    fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                 fs::perms::group_exec | fs::perms::others_read |
                                 fs::perms::others_exec);
    rights_.emplace();
}

ReadOnlyFolder::~ReadOnlyFolder() {
    rights_.reset();
    fs::permissions(folder_, saved_);
}

}  // namespace testsupport
