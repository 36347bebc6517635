#pragma once

#include <string>

namespace platform {

// Case-insensitive equality under the current locale (multi-byte aware).
bool EqualsIgnoreCase(const std::string& a, const std::string& b);

}  // namespace platform
