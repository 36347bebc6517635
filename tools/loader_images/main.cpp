// loader_image_tool OUT.cpp [WRITER.mot ROM.mot]
// Writes the C++ source that embeds the loader's writer program and ROM image, scrambled as the
// loader expects: the deterministic stand-ins, or the images of two S-record files.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

#include "tools/loader_images/ImageSourceWriter.h"
#include "tools/loader_images/SrecImage.h"
#include "tools/loader_images/StandInImages.h"

namespace {

// The loader sends the writer's length in two bytes and refuses a ROM image at 4095 or below.
constexpr size_t kMaxWriterBytes = 0xFFFF;
constexpr uint32_t kLowestRomAddress = 4096;

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

bool ReadImages(const std::string& writerPath, const std::string& romPath, PlainImage& writer,
                PlainImage& rom) {
    std::string error;
    if (!SrecImage::Read(writerPath, writer, error) || !SrecImage::Read(romPath, rom, error)) {
        std::cerr << "loader_image_tool: " << error << "\n";
        return false;
    }
    if (writer.bytes.size() > kMaxWriterBytes) {
        std::cerr << "loader_image_tool: " << writerPath << ": the writer program is longer than "
                  << kMaxWriterBytes << " bytes\n";
        return false;
    }
    if (rom.first < kLowestRomAddress) {
        std::cerr << "loader_image_tool: " << romPath
                  << ": the ROM image must start at 0x1000 or above\n";
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 4) {
        std::cerr << "usage: loader_image_tool OUT.cpp [WRITER.mot ROM.mot]\n";
        return 2;
    }
    if (argc == 2) {
        const ImageSourceWriter writer(StandInImages::Writer(), StandInImages::Rom(),
                                       StandInImages::Key(), "the deterministic stand-in images");
        return WriteSource(writer, argv[1]) ? 0 : 1;
    }
    PlainImage writerImage;
    PlainImage romImage;
    if (!ReadImages(argv[2], argv[3], writerImage, romImage)) {
        return 1;
    }
    const ImageSourceWriter writer(writerImage, romImage, StandInImages::Key(),
                                   std::string(argv[2]) + " and " + argv[3]);
    return WriteSource(writer, argv[1]) ? 0 : 1;
}
