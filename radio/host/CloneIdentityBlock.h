#pragma once

#include <array>
#include <cstdint>

// The radio's identity block as the program keeps it: the bytes of its last accepted identity
// answer after the two words. The document holds it for the clone information window, and the
// clone commands hand it to their host; what each byte means is the clone protocol's
// (radio/clone/CloneIdentity.h).
inline constexpr int kCloneIdentitySize = 68;

using CloneIdentityBlock = std::array<uint8_t, kCloneIdentitySize>;
