#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "common/cmcComm.h"
#include "tests/support/VirtualTime.h"

namespace {

constexpr int kPort = 9;

// A pseudo-terminal whose slave is port 9. The test keeps its own slave descriptor, opened
// before the port takes the device exclusively, to look at the line settings.
class cmcCommPtyTest : public ::testing::Test {
protected:
    void SetUp() override {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
            GTEST_SKIP() << "no pseudo-terminals here";
        }
        path_ = ptsname(master_);
        slave_ = open(path_.c_str(), O_RDWR | O_NOCTTY);
        ASSERT_GE(slave_, 0);
        ASSERT_EQ(tcgetattr(slave_, &original_), 0);
        setenv("MERROW_COM9", path_.c_str(), 1);
    }
    void TearDown() override {
        unsetenv("MERROW_COM9");
        if (slave_ >= 0) {
            close(slave_);
        }
        if (master_ >= 0) {
            close(master_);
        }
    }

    termios Line() const {
        termios line{};
        tcgetattr(slave_, &line);
        return line;
    }
    std::vector<uint8_t> ReadMaster(size_t count) const {
        std::vector<uint8_t> got;
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (got.size() < count && std::chrono::steady_clock::now() < deadline) {
            pollfd wanted{master_, POLLIN, 0};
            if (poll(&wanted, 1, 100) > 0) {
                uint8_t buffer[256];
                ssize_t n = read(master_, buffer, sizeof buffer);
                if (n > 0) {
                    got.insert(got.end(), buffer, buffer + n);
                }
            }
        }
        return got;
    }
    std::vector<uint8_t> ReadPort(cmcComm& port, size_t count) const {
        std::vector<uint8_t> got;
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (got.size() < count && std::chrono::steady_clock::now() < deadline) {
            uint8_t buffer[256];
            int n = port.Read(buffer, sizeof buffer);
            got.insert(got.end(), buffer, buffer + n);
            if (n == 0) {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        }
        return got;
    }

    testsupport::VirtualTime time;
    int master_ = -1;
    int slave_ = -1;
    std::string path_;
    termios original_{};
};

// Bytes a cooked line would eat or change: XON, XOFF, CR, LF, ^C, ^D, ^Z, DEL, NUL, 0xFF.
const std::vector<uint8_t> kAwkward = {0x11, 0x13, 0x0D, 0x0A, 0x03, 0x04,
                                       0x1A, 0x7F, 0x00, 0xFF, 0x55, 0xAA};

TEST_F(cmcCommPtyTest, RoundTripOverARawLine) {
    cmcComm port;
    ASSERT_EQ(port.Open(kPort, "38400,N,8,1"), 1);
    termios line = Line();
    EXPECT_EQ(cfgetospeed(&line), B38400);
    EXPECT_EQ(cfgetispeed(&line), B38400);
    EXPECT_EQ(line.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(line.c_cflag & (CSTOPB | PARENB), 0u);
    EXPECT_EQ(line.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
    EXPECT_EQ(line.c_iflag & (IXON | IXOFF | ICRNL | INLCR | IGNCR | ISTRIP), 0u);
    EXPECT_EQ(line.c_oflag & OPOST, 0u);
    EXPECT_EQ(line.c_cc[VMIN], 0);
    EXPECT_EQ(line.c_cc[VTIME], 0);

    port.Write(kAwkward.data(), static_cast<int>(kAwkward.size()));
    EXPECT_EQ(ReadMaster(kAwkward.size()), kAwkward);
    EXPECT_EQ(port.HasError(), 0);
    EXPECT_EQ(port.GetPendingOut(), 0);

    ASSERT_EQ(write(master_, kAwkward.data(), kAwkward.size()),
              static_cast<ssize_t>(kAwkward.size()));
    EXPECT_EQ(ReadPort(port, kAwkward.size()), kAwkward);
    EXPECT_EQ(port.GetInQueue(), 0);

    // A pty has no modem-control lines; the loader's handshake still goes through.
    EXPECT_EQ(port.SetDtrControl(1), 1);
    EXPECT_EQ(port.SetRtsControl(0), 1);
    EXPECT_EQ(port.SetBitRate(19200), 1);
    line = Line();
    EXPECT_EQ(cfgetospeed(&line), B19200);
    EXPECT_EQ(port.SetBitRate(12345), 0);

    port.Close();
    line = Line();
    EXPECT_EQ(line.c_lflag, original_.c_lflag);
    EXPECT_EQ(line.c_iflag, original_.c_iflag);
    EXPECT_EQ(cfgetospeed(&line), cfgetospeed(&original_));
}

TEST_F(cmcCommPtyTest, ThePortIsExclusive) {
    cmcComm first;
    cmcComm second;
    ASSERT_EQ(first.Open(kPort, "9600,N,8,1"), 1);
    EXPECT_EQ(second.Open(kPort, "9600,N,8,1"), 0);
    first.Close();
    EXPECT_EQ(second.Open(kPort, "9600,N,8,1"), 1);
}

TEST_F(cmcCommPtyTest, SettingsTheLineCannotTakeFailTheOpen) {
    cmcComm port;
    // A pty carries 8 data bits only; 4 no termios line takes, 1.5 stop bits need 5 data bits.
    for (const char* text :
         {"9600,N,4,1", "9600,N,7,1", "9600,N,5,1.5", "9600,N,8,1.5", "12345,N,8,1"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(port.Open(kPort, text), 0);
        EXPECT_FALSE(port.IsOpen());
    }
    ASSERT_EQ(port.Open(kPort, "9600,N,8,2"), 1);
    termios line = Line();
    EXPECT_EQ(cfgetospeed(&line), B9600);
    EXPECT_NE(line.c_cflag & CSTOPB, 0u);
}

// Closing the far end hangs the line up, as unplugging an adapter does.
TEST_F(cmcCommPtyTest, AHungUpLineIsAPortError) {
    cmcComm port;
    ASSERT_EQ(port.Open(kPort, "38400,N,8,1"), 1);
    uint8_t byte = 0;
    EXPECT_EQ(port.Read(&byte, 1), 0);
    EXPECT_EQ(port.HasError(), 0) << "an empty line is no error";
    close(master_);
    master_ = -1;
    EXPECT_EQ(port.Read(&byte, 1), 0);
    EXPECT_EQ(port.HasError(), 1);
}

TEST(cmcCommDevice, AMissingDeviceDoesNotOpen) {
    testsupport::VirtualTime time;
    setenv("MERROW_COM8", "/nonexistent/tty", 1);
    cmcComm port;
    EXPECT_EQ(port.Open(8, "9600,N,8,1"), 0);
    setenv("MERROW_COM8", "/dev/null", 1);
    EXPECT_EQ(port.Open(8, "9600,N,8,1"), 0);
    unsetenv("MERROW_COM8");
}

}  // namespace
