#pragma once

#include <cstddef>
#include <cstdint>

// One image carried inside the loader, as stored: its first and last address and its bytes,
// scrambled with the image key.
struct LoaderImage {
    uint32_t first;
    uint32_t last;
    const uint8_t* bytes;

    size_t Size() const { return static_cast<size_t>(last) - first + 1; }
};

// Defined by the sources that tools/loader_images generates at build time.
const LoaderImage& EmbeddedWriterImage();
const LoaderImage& EmbeddedRomImage();
// kImageKeyLength printable bytes.
const uint8_t* EmbeddedImageKey();
