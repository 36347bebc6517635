#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/FileContent.h"

namespace {

std::string Dir() {
    return ::testing::TempDir();
}

// An S-record file of n bytes (i * 7) at address, written by objcopy.
std::string MakeSrec(const std::string& name, uint32_t address, int n) {
    const std::string bin = Dir() + name + ".bin";
    const std::string mot = Dir() + name + ".mot";
    std::ofstream out(bin, std::ios::binary);
    for (int i = 0; i < n; ++i) {
        out.put(static_cast<char>(i * 7));
    }
    out.close();
    const std::string command = "objcopy -I binary -O srec --change-addresses " +
                                std::to_string(address) + " " + bin + " " + mot;
    EXPECT_EQ(std::system(command.c_str()), 0);
    return mot;
}

int RunTool(const std::string& out, const std::string& writer, const std::string& rom) {
    const std::string command =
        std::string(LOADER_IMAGE_TOOL) + " " + out + " " + writer + " " + rom + " 2>/dev/null";
    return WEXITSTATUS(std::system(command.c_str()));
}

TEST(LoaderImageTool, EmbedsTheImagesOfSrecordFiles) {
    const std::string out = Dir() + "images_ok.cpp";
    ASSERT_EQ(RunTool(out, MakeSrec("writer", 0xFFC000, 100), MakeSrec("rom", 0x8000, 512)), 0);
    const std::string source = testsupport::FileContent(out);
    EXPECT_NE(source.find("kWriter = {0x00FFC000u, 0x00FFC063u, kWriterBytes}"), std::string::npos);
    EXPECT_NE(source.find("kRom = {0x00008000u, 0x000081FFu, kRomBytes}"), std::string::npos);
    EXPECT_NE(source.find("const uint8_t kRomBytes[512]"), std::string::npos);
}

TEST(LoaderImageTool, RefusesWhatTheLoaderWouldRefuse) {
    const std::string writer = MakeSrec("writer_small", 0xFFC000, 16);
    const std::vector<std::vector<std::string>> cases = {
        {writer, MakeSrec("rom_low", 0x0F00, 512)},          // the ROM image starts below 4096
        {MakeSrec("writer_big", 0x10000, 0x10000), writer},  // a length of 65,536
        {writer, Dir() + "no_such.mot"},
    };
    for (const auto& c : cases) {
        const std::string out = Dir() + "images_refused.cpp";
        std::remove(out.c_str());
        EXPECT_EQ(RunTool(out, c[0], c[1]), 1) << c[0] << " " << c[1];
        EXPECT_FALSE(std::ifstream(out).good());  // no half-made source
    }
}

}  // namespace
