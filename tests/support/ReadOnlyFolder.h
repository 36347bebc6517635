#pragma once

#include <cstdint>
#include <filesystem>

namespace testsupport {

// Makes a folder read-only for this thread while it lives, as it is for a user without the
// right to write there: its mode becomes r-x, and a thread running as root gives up the
// capabilities that pass over file permissions (kept in reserve and taken back at the end).
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(std::filesystem::path folder);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

private:
    std::filesystem::path folder_;
    std::filesystem::perms saved_;
    bool capsDropped_ = false;
    uint32_t savedEffective_ = 0;
};

}  // namespace testsupport
