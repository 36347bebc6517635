// loader_image_tool OUT.cpp
// Writes the C++ source that embeds the loader's writer program and ROM image (deterministic
// stand-ins), scrambled as the loader expects.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

#include "tools/loader_images/ImageSourceWriter.h"
#include "tools/loader_images/StandInImages.h"

namespace {

// Writes beside the target and renames, so a failed run never leaves half a source behind.
bool WriteSource(const ImageSourceWriter& writer, const std::string& path) {
    const std::string temp = path + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        writer.Write(out);
        out.flush();
        if (!out) {
            std::cerr << "loader_image_tool: cannot write " << temp << "\n";
            return false;
        }
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        std::cerr << "loader_image_tool: cannot replace " << path << "\n";
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: loader_image_tool OUT.cpp\n";
        return 2;
    }
    ImageSourceWriter writer(StandInImages::Writer(), StandInImages::Rom(), StandInImages::Key(),
                             "the deterministic stand-in images");
    return WriteSource(writer, argv[1]) ? 0 : 1;
}
