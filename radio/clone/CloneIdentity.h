#pragma once

#include <cstdint>

#include "radio/host/CloneIdentityBlock.h"

// Where the clone commands find what they check in the radio's identity block
// (CloneIdentityBlock): its length, revisions and last address.
namespace identity {

inline constexpr int kSize = kCloneIdentitySize;
inline constexpr int kLength = 0;        // holds kSize
inline constexpr int kRevision = 34;     // high nibble . low nibble
inline constexpr int kMapRevision = 35;  // of the radio's memory layout
inline constexpr uint8_t kNewestMapRevision = 4;
inline constexpr int kLastAddress = 52;  // four hexadecimal characters
inline constexpr int kLastAddressLength = 4;

}  // namespace identity
