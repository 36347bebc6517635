#include "platform/SerialPortPath.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

TEST(SerialPortPath, TheEnvironmentOverridesTheDefault) {
    setenv("MERROW_COM3", "/dev/pts/7", 1);
    EXPECT_EQ(platform::SerialPortPath(3), "/dev/pts/7");
    setenv("MERROW_COM3", "", 1);
    EXPECT_NE(platform::SerialPortPath(3), "");
    unsetenv("MERROW_COM3");
}

TEST(SerialPortPath, PrefersTheUsbAdapterOfTheSameNumber) {
    unsetenv("MERROW_COM1");
    std::string expected = std::filesystem::exists("/dev/ttyUSB0") ? "/dev/ttyUSB0" : "/dev/ttyS0";
    EXPECT_EQ(platform::SerialPortPath(1), expected);
    unsetenv("MERROW_COM77");
    EXPECT_EQ(platform::SerialPortPath(77), "/dev/ttyS76");
    EXPECT_EQ(platform::SerialPortPath(0), "");
}

}  // namespace
