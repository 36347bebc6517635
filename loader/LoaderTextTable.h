#pragma once

#include <array>

// Every text of the firmware loader, in the keyed table format, read through clsGTex.
inline constexpr int kLoaderTextLines = 129;
extern const std::array<const char*, kLoaderTextLines> kLoaderTextTable;
