#pragma once

#include <cstdint>

namespace testsupport {

// While it lives, this thread has the file rights of a plain user: a thread running as root
// gives up the capabilities that pass over file permissions (kept in reserve and taken back at
// the end). Without them it changes nothing.
class PlainUserRights {
public:
    PlainUserRights();
    ~PlainUserRights();
    PlainUserRights(const PlainUserRights&) = delete;
    PlainUserRights& operator=(const PlainUserRights&) = delete;

private:
    bool dropped_ = false;
    uint32_t savedEffective_ = 0;
};

}  // namespace testsupport
