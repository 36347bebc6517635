#pragma once

#include <array>
#include <cstdint>

// The radio's identity block: the bytes of its identity answer after the two words, kept from
// the last accepted answer; the clone information window shows it.
namespace identity {

inline constexpr int kSize = 68;
inline constexpr int kLength = 0;        // holds kSize
inline constexpr int kRevision = 34;     // high nibble . low nibble
inline constexpr int kMapRevision = 35;  // of the radio's memory layout
inline constexpr uint8_t kNewestMapRevision = 4;
inline constexpr int kLastAddress = 52;  // four hexadecimal characters
inline constexpr int kLastAddressLength = 4;

}  // namespace identity

using CloneIdentityBlock = std::array<uint8_t, identity::kSize>;
