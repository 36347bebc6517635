// The built cloning program against the simulated radio's program on a pty (MERROW_COM1),
// driven through its menu (MERROW_MENU_SCRIPT) on the offscreen platform.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "radio/clone/file/cmcTovFile.h"
#include "radio/image/ImageLayout.h"
#include "radio/image/cmcEeprom.h"
#include "tests/apps/ProgramProcess.h"
#include "tests/support/FileContent.h"
#include "tests/support/RadioProgram.h"
#include "tools/clone_bench/RadioMemory.h"

namespace {

namespace fs = std::filesystem;

constexpr int kChannels = 40;

std::vector<uint8_t> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A clone file the program saved, read into a whole image.
bool ReadCloneFile(const fs::path& path, cmcEeprom& image) {
    image.Resize(48880);
    cmcTovFile file;
    file.SetImage(&image);
    file.SetModelId(layout::kModelCodeValue);
    file.SetMapRevHandler([](int mapRev) { return mapRev == 4; });
    file.SetHeaderHandler([](int, int, int*) { return true; });
    return file.Read(path.string(), nullptr) == 0;
}

class TarnwickCloneTest : public ::testing::Test {
protected:
    TarnwickCloneTest() {
        dir_ = fs::path(::testing::TempDir()) / ("tarnwick-clone-" + std::to_string(getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "run");
        fs::permissions(dir_ / "run", fs::perms::owner_all);
        fs::create_directories(dir_ / "config");
        setenv("XDG_RUNTIME_DIR", (dir_ / "run").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (dir_ / "config").c_str(), 1);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    ~TarnwickCloneTest() override {
        unsetenv("MERROW_MENU_SCRIPT");
        fs::remove_all(dir_);
    }

    // The radio's program with the memory, saving it after each write; port 1 is its pty.
    void StartRadio(const std::vector<uint8_t>& memory) {
        ASSERT_TRUE(bench::WriteRadioMemory((dir_ / "memory.bin").string(), memory));
        ASSERT_TRUE(radio_.Start(CLONE_RADIO_PTY, {"--memory", (dir_ / "memory.bin").string(),
                                                   "--save", Written().string()}));
    }

    fs::path Written() const { return dir_ / "written.bin"; }
    std::string Printed() const { return testsupport::FileContent(dir_ / "output.txt"); }

    fs::path dir_;
    testsupport::RadioProgram radio_;
    ProgramProcess program_;
};

TEST_F(TarnwickCloneTest, ReadSaveAndWriteBackFromTheMenu) {
    const std::vector<uint8_t> memory = bench::RadioMemory(MT_Pmr, kChannels);
    ASSERT_EQ(memory.size(), static_cast<size_t>(layout::kRadioPartSize));
    StartRadio(memory);
    const fs::path saved = dir_ / "radio.tov";
    const std::string script =
        "Port/COM1;Clone/Read from Radio...;File/Save As...=" + saved.string() +
        ";Clone/Write to Radio...;File/Exit";
    setenv("MERROW_MENU_SCRIPT", script.c_str(), 1);
    ASSERT_TRUE(program_.Start(TARNWICK, dir_ / "output.txt"));
    ASSERT_EQ(program_.WaitForEnd(120000), 0) << Printed();

    const std::string printed = Printed();
    for (const char* step : {"step Port/COM1 ", "step Clone/Read from Radio... ",
                             "step File/Save As... ", "step Clone/Write to Radio... "}) {
        EXPECT_NE(printed.find(step), std::string::npos) << step << "\n" << printed;
    }
    // The write's confirmation and its success are the only boxes.
    size_t boxes = 0;
    for (size_t at = printed.find("box "); at != std::string::npos;
         at = printed.find("box ", at + 1)) {
        ++boxes;
    }
    EXPECT_EQ(boxes, 2u) << printed;

    // The file holds what was read; the radio got it back unchanged.
    cmcEeprom image;
    ASSERT_TRUE(ReadCloneFile(saved, image));
    EXPECT_TRUE(std::equal(memory.begin(), memory.end(), image.GetData()));
    EXPECT_EQ(ReadBytes(Written()), memory);
}

// The README's try-it lines: the radio's program without a memory file, COM 1 on its pty, and
// a Clone Read from the menu takes its memory as it is (unpaced here; pacing only slows it).
// Its --model option makes it a radio of another model type.
TEST_F(TarnwickCloneTest, TheSimulatedRadiosOwnMemoryReadsAsItIs) {
    const struct {
        std::vector<std::string> arguments;
        ModelType model;
    } cases[] = {{{}, bench::kDefaultRadioModel}, {{"--model", "vask-pmr"}, MT_VaskPmr}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.model);
        testsupport::RadioProgram radio;
        ASSERT_TRUE(radio.Start(CLONE_RADIO_PTY, c.arguments));
        const fs::path saved = dir_ / "read.tov";
        const std::string script =
            "Clone/Read from Radio...;File/Save As...=" + saved.string() + ";File/Exit";
        setenv("MERROW_MENU_SCRIPT", script.c_str(), 1);
        ProgramProcess program;
        ASSERT_TRUE(program.Start(TARNWICK, dir_ / "output.txt"));
        ASSERT_EQ(program.WaitForEnd(120000), 0) << Printed();
        EXPECT_EQ(Printed().find("box "), std::string::npos) << "no error: " << Printed();

        cmcEeprom image;
        ASSERT_TRUE(ReadCloneFile(saved, image)) << Printed();
        const std::vector<uint8_t> memory =
            bench::RadioMemory(c.model, bench::kDefaultRadioChannels);
        ASSERT_EQ(memory.size(), static_cast<size_t>(layout::kRadioPartSize));
        EXPECT_TRUE(std::equal(memory.begin(), memory.end(), image.GetData()));
        fs::remove(saved);
    }
}

}  // namespace
