#include "tests/support/PlainUserRights.h"

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace testsupport {

namespace {

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

PlainUserRights::PlainUserRights() {
    __user_cap_data_struct data[2]{};
    if (GetCaps(data)) {
        savedEffective_ = data[0].effective;
        dropped_ = true;
        SetEffective(savedEffective_ & ~kPassOverPermissions);
    }
}

PlainUserRights::~PlainUserRights() {
    if (dropped_) {
        SetEffective(savedEffective_);
    }
}

}  // namespace testsupport
