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

}  // namespace
