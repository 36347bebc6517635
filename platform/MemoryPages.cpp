#include "platform/MemoryPages.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace platform {

void MakePagesReady(void* address, std::size_t size) {
#ifdef MADV_POPULATE_WRITE
    const long page = sysconf(_SC_PAGESIZE);
    if (!address || size == 0 || page <= 0) {
        return;
    }
    const auto pageSize = static_cast<std::uintptr_t>(page);
    const auto begin = reinterpret_cast<std::uintptr_t>(address) & ~(pageSize - 1);
    const auto end = reinterpret_cast<std::uintptr_t>(address) + size;
    // A failure (an older system, a range not mapped) leaves the pages to their first write.
    madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);
#else
    (void)address;
    (void)size;
#endif
}

}  // namespace platform
