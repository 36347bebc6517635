#include "platform/PosixSerialDevice.h"

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

// Nobody reads the master side, so the pty's buffer fills and the write has to give up.
TEST(PosixSerialDevice, AWriteThatCannotFinishStopsAtItsTimeOut) {
    int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        GTEST_SKIP() << "no pseudo-terminals here";
    }
    platform::PosixSerialDevice device(ptsname(master));
    ASSERT_TRUE(device.Open());
    platform::SerialSettings settings;
    settings.writeMsPerByte = 0;
    settings.writeConstantMs = 50;
    ASSERT_TRUE(device.Apply(settings));
    EXPECT_TRUE(device.ModemLinesEmulated());

    std::vector<uint8_t> bytes(1 << 20, 0x5A);
    int written = device.Write(bytes.data(), static_cast<int>(bytes.size()));
    EXPECT_GT(written, 0);
    EXPECT_LT(written, static_cast<int>(bytes.size()));
    device.Close();
    EXPECT_EQ(device.Write(bytes.data(), 1), -1);
    close(master);
}

// A wait for input ends when the far end sends, and gives up after its time when nothing comes;
// a closed device does not wait at all.
TEST(PosixSerialDevice, WaitingForInputEndsWhenABytesArrives) {
    int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        GTEST_SKIP() << "no pseudo-terminals here";
    }
    platform::PosixSerialDevice device(ptsname(master));
    ASSERT_TRUE(device.Open());
    ASSERT_TRUE(device.Apply(platform::SerialSettings{}));
    EXPECT_FALSE(device.WaitForInput(5));
    const uint8_t byte = 0x55;
    ASSERT_EQ(write(master, &byte, 1), 1);
    EXPECT_TRUE(device.WaitForInput(1000));
    uint8_t got = 0;
    EXPECT_EQ(device.Read(&got, 1), 1);
    EXPECT_EQ(got, 0x55);
    device.Close();
    EXPECT_FALSE(device.WaitForInput(1000));
    close(master);
}

}  // namespace
