#include "platform/SerialDevice.h"

#include "platform/PosixSerialDevice.h"
#include "platform/SerialPortPath.h"

namespace platform {

namespace {

class PosixSerialDevices : public SerialDeviceFactory {
public:
    std::unique_ptr<SerialDevice> CreateSerialDevice(int portNumber) override {
        return std::make_unique<PosixSerialDevice>(SerialPortPath(portNumber));
    }
};

PosixSerialDevices posixDevices;
SerialDeviceFactory* installedFactory = nullptr;

}  // namespace

SerialDeviceFactory& SerialDevices() {
    return installedFactory ? *installedFactory : posixDevices;
}

void InstallSerialDevices(SerialDeviceFactory* factory) {
    installedFactory = factory;
}

}  // namespace platform
