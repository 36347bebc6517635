#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "radio/clone/CDrvCodes.h"
#include "radio/clone/cmcCloneDrv.h"
#include "tests/support/RadioProgram.h"
#include "tools/clone_radio/CloneRadio.h"
#include "tools/clone_radio/RealTimeDriver.h"
#include "tools/clone_radio/WakeScript.h"

namespace {

// The simulated radio's program on a real pty, and the engine on the termios device of
// port 1, which MERROW_COM1 points at the pty's slave.
class ClonePtyTest : public ::testing::Test {
protected:
    void SetUp() override {
        memoryFile = ::testing::TempDir() + "clone_pty_memory.bin";
        std::remove(memoryFile.c_str());
        std::vector<std::string> arguments = {"--last", "0FFF", "--save", memoryFile};
        arguments.insert(arguments.end(), extraArguments.begin(), extraArguments.end());
        ASSERT_TRUE(radio.Start(CLONE_RADIO_PTY, arguments));
    }

    void TearDown() override { std::remove(memoryFile.c_str()); }

    void Configure(bool write) {
        drv.SetModelWords(0x2726, 0);
        drv.SetPort(1, "38400,N,8,1");
        drv.SetCommandPreamble(48);
        drv.SetScript(sim::WakeScript(true, write));
        drv.SetEchoCheck(1);
        drv.SetWaitFirstAck(1);
        drv.SetAckInterval(128, 96);
    }

    int Run(const std::function<bool(cmcCloneDrv::Completion)>& start) {
        std::optional<int> code;
        EXPECT_TRUE(start([&](dst_CDrv_Result& result) {
            code = result.code;
            image.clear();
            for (int a = 0; a < result.image.GetSize(); ++a)
                image.push_back(result.image.GetByte(a));
            payload.assign(result.payload.GetData(),
                           result.payload.GetData() + result.payload.GetLength());
        }));
        EXPECT_TRUE(driver.RunUntil([&] { return code.has_value(); }, 20000));
        return code.value_or(-1);
    }

    std::vector<std::string> extraArguments;
    std::string memoryFile;
    testsupport::RadioProgram radio;
    sim::RealTimeDriver driver;
    cmcCloneDrv drv;
    std::vector<uint8_t> image;
    std::vector<uint8_t> payload;
};

TEST_F(ClonePtyTest, InformationWriteAndReadOverARealPty) {
    Configure(false);
    ASSERT_EQ(Run([&](auto done) { return drv.StartInfo(done); }), CDRV_Ok);
    ASSERT_EQ(payload.size(), 68u);
    EXPECT_EQ(std::string(payload.begin() + 52, payload.begin() + 56), "0FFF");

    cmcEeprom written;
    written.Resize(32736);
    for (int a = 0; a < written.GetSize(); ++a)
        written.SetByte(a, static_cast<uint8_t>(a * 7 + 1));
    const AddressRangeList writeRanges = {{256, 4095}};
    Configure(true);
    drv.SetMemorySize(written.GetSize());
    ASSERT_EQ(Run([&](auto done) { return drv.StartWrite(written, &writeRanges, done); }), CDRV_Ok);
    // The peer saved its memory when it accepted the write.
    std::ifstream file(memoryFile, std::ios::binary);
    const std::vector<uint8_t> saved((std::istreambuf_iterator<char>(file)),
                                     std::istreambuf_iterator<char>());
    ASSERT_EQ(saved.size(), 32736u);
    EXPECT_EQ(saved[256], written.GetByte(256));
    EXPECT_EQ(saved[4095], written.GetByte(4095));

    const AddressRangeList readRanges = {{0, 4095}};
    Configure(false);
    drv.SetMemorySize(48880);
    ASSERT_EQ(Run([&](auto done) { return drv.StartRead(&readRanges, done); }), CDRV_Ok);
    EXPECT_TRUE(std::equal(saved.begin(), saved.begin() + 4096, image.begin()));
    for (int a = 256; a < 4096; ++a)
        ASSERT_EQ(image[a], written.GetByte(a)) << a;
}

// The radio's program goes away in the middle of a read (its pty closes, as an unplugged
// adapter would): the read ends with the port error at once, not by time-out.
TEST_F(ClonePtyTest, AFarEndThatClosesMidReadIsThePortError) {
    const AddressRangeList ranges = {{0, 4095}};
    Configure(false);
    drv.SetMemorySize(48880);
    std::optional<int> code;
    ASSERT_TRUE(drv.StartRead(&ranges, [&](dst_CDrv_Result& result) { code = result.code; }));
    ASSERT_TRUE(driver.RunUntil([&] { return drv.GetDataBytes() > 256; }, 20000));
    radio.Stop(SIGKILL);
    const auto killed = std::chrono::steady_clock::now();
    ASSERT_TRUE(driver.RunUntil([&] { return code.has_value(); }, 5000));
    EXPECT_EQ(code, CDRV_PortError);
    EXPECT_LT(std::chrono::steady_clock::now() - killed, std::chrono::milliseconds(500));
}

// The radio at the line's pace, garbling its 100th data frame once: it goes on sending the
// rest of its 4 KB for some 2 s after the engine gave up. The failed read ends only once the
// radio has stopped, and a read retried at once takes the radio's memory.
class PacedClonePtyTest : public ClonePtyTest {
protected:
    PacedClonePtyTest() {
        // The memory the test compares with, rather than the program's own default radio.
        sim::CloneRadio().SaveMemory(startMemory);
        extraArguments = {"--pace", "--memory", startMemory, "--fault-once", "bad-checksum:100"};
    }
    ~PacedClonePtyTest() override { std::remove(startMemory.c_str()); }

    const std::string startMemory = ::testing::TempDir() + "clone_pty_paced_start.bin";
};

TEST_F(PacedClonePtyTest, AReadRetriedAtOnceAfterOneThatFailedAtItsHundredthFrameCompletes) {
    const AddressRangeList ranges = {{0, 4095}};
    Configure(false);
    drv.SetMemorySize(48880);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(Run([&](auto done) { return drv.StartRead(&ranges, done); }), CDRV_Format);
    EXPECT_EQ(drv.GetFrameCount(), 100);
    // 256 frames and the end frame are 11,536 bytes, 3.0 s at 38,400 bit/s after the request.
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(3000));

    Configure(false);
    ASSERT_EQ(Run([&](auto done) { return drv.StartRead(&ranges, done); }), CDRV_Ok);
    sim::CloneRadio radioMemory;  // the memory it starts with
    EXPECT_TRUE(std::equal(radioMemory.Memory().begin(), radioMemory.Memory().begin() + 4096,
                           image.begin()));
}

}  // namespace
