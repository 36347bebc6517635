#pragma once

#include <string>

#include "tools/loader_images/PlainImage.h"

// Reads a real image from a Motorola S-record file with the loader's own reader, so the build
// embeds exactly what the loader would have read from that file.
class SrecImage {
public:
    // False with a message when the file cannot be read whole.
    static bool Read(const std::string& path, PlainImage& image, std::string& error);
};
