#pragma once

#include <string>

namespace platform {

// A named single-instance lock: an exclusive flock on a lock file named after the lock in the
// user's runtime folder ($XDG_RUNTIME_DIR, else /tmp/merrow-<uid>). The first holder keeps it
// until it is destroyed; the kernel drops it when the process ends, so a crash leaves no stale
// lock behind. The lock file itself stays, because removing it would race with a new holder.
class InstanceLock {
public:
    explicit InstanceLock(const std::string& name);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // False only when another holder has the lock. A lock file that cannot be made (no
    // usable runtime folder) lets the program run rather than refuse every start.
    bool IsFirstInstance() const { return first_; }
    bool IsHeld() const { return fd_ >= 0; }

    // The lock file of a name: characters other than letters, digits, '.', '-' and '_'
    // become '_', and ".lock" is added.
    static std::string LockPath(const std::string& name);

private:
    int fd_ = -1;
    bool first_ = true;
};

}  // namespace platform
