#pragma once

#include <cstddef>

namespace platform {

// Makes the memory pages of a range ready for writing ahead of the first write to them (the
// system makes a page on its first write, a little time each), leaving what they hold as it
// is. Where the system cannot, nothing happens. Safe beside other threads using the range.
void MakePagesReady(void* address, std::size_t size);

}  // namespace platform
