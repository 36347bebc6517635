#pragma once

#include <cstdint>

// Big-endian words of the image, assembled from bytes (never by casting pointers).
inline int GetBE16(const uint8_t* p) {
    return (p[0] << 8) | p[1];
}

inline void SetBE16(uint8_t* p, int value) {
    p[0] = static_cast<uint8_t>((value >> 8) & 0xFF);
    p[1] = static_cast<uint8_t>(value & 0xFF);
}

inline uint32_t GetBE32(const uint8_t* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

inline void SetBE32(uint8_t* p, uint32_t value) {
    SetBE16(p, static_cast<int>(value >> 16));
    SetBE16(p + 2, static_cast<int>(value & 0xFFFF));
}
