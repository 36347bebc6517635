#pragma once

#include <cstddef>
#include <cstdint>

// Restores, in place, bytes of an embedded image (scrambled with the embedded image key).
void UnscrambleImage(uint8_t* bytes, size_t count);
