#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "tools/loader_images/PlainImage.h"

// Writes the C++ source that embeds both images, scrambled with the key, behind the functions
// that loader/LoaderImage.h declares.
class ImageSourceWriter {
public:
    ImageSourceWriter(PlainImage writer, PlainImage rom, std::vector<uint8_t> key,
                      std::string origin);
    void Write(std::ostream& out) const;

private:
    static void WriteArray(std::ostream& out, const std::string& name,
                           const std::vector<uint8_t>& bytes);
    static void WriteImage(std::ostream& out, const std::string& name, const PlainImage& image);
    std::vector<uint8_t> Scrambled(const PlainImage& image) const;

    PlainImage writer_;
    PlainImage rom_;
    std::vector<uint8_t> key_;
    std::string origin_;
};
