#include "tests/support/ReadOnlyFolder.h"

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace testsupport {

namespace {

namespace fs = std::filesystem;

constexpr uint32_t kPassOverPermissions =
    (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER);

// The thread's capability sets (the first 32 capabilities, which hold these).
bool GetCaps(__user_cap_data_struct (&data)[2]) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return syscall(SYS_capget, &header, data) == 0;
}

void SetEffective(uint32_t effective) {
    __user_cap_data_struct data[2]{};
    if (!GetCaps(data)) {
        return;
    }
    data[0].effective = effective;
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    syscall(SYS_capset, &header, data);
}

}  // namespace

ReadOnlyFolder::ReadOnlyFolder(fs::path folder)
    : folder_(std::move(folder)), saved_(fs::status(folder_).permissions()) {
    fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                 fs::perms::group_exec | fs::perms::others_read |
                                 fs::perms::others_exec);
    __user_cap_data_struct data[2]{};
    if (GetCaps(data)) {
        savedEffective_ = data[0].effective;
        capsDropped_ = true;
        SetEffective(savedEffective_ & ~kPassOverPermissions);
    }
}

ReadOnlyFolder::~ReadOnlyFolder() {
    if (capsDropped_) {
        SetEffective(savedEffective_);
    }
    fs::permissions(folder_, saved_);
}

}  // namespace testsupport
