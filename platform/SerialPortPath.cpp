#include "platform/SerialPortPath.h"

#include <cstdlib>
#include <filesystem>

namespace platform {

std::string SerialPortPath(int portNumber) {
    if (portNumber < 1) {
        return {};
    }
    std::string name = "MERROW_COM" + std::to_string(portNumber);
    if (const char* overridden = std::getenv(name.c_str()); overridden && *overridden) {
        return overridden;
    }
    std::string usb = "/dev/ttyUSB" + std::to_string(portNumber - 1);
    std::error_code error;
    if (std::filesystem::exists(usb, error)) {
        return usb;
    }
    return "/dev/ttyS" + std::to_string(portNumber - 1);
}

}  // namespace platform
