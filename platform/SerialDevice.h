#pragma once

#include <cstdint>
#include <memory>

namespace platform {

// Line settings of an open serial device. Parity is always none; the parity-check flag only
// asks the device to check received parity.
struct SerialSettings {
    uint32_t bitRate = 9600;
    int dataBits = 8;
    int stopBits = 0;  // 0 one, 1 one and a half, 2 two
    bool parityCheck = false;
    int dtrControl = 0;  // 0 disable (low), 1 enable (high), 2 handshake
    int rtsControl = 1;  // 0 disable (low), 1 enable (high), 2 handshake, 3 toggle
    // A write of n bytes may take up to n * writeMsPerByte + writeConstantMs.
    uint32_t writeMsPerByte = 0;
    uint32_t writeConstantMs = 0;

    bool operator==(const SerialSettings&) const = default;
};

// One serial device, bound to its port when made. Nothing here blocks except a write, which
// is bounded by the write time-out of the settings in force. Queue counts and reads return
// -1 on failure; the destructor closes an open device.
class SerialDevice {
public:
    virtual ~SerialDevice() = default;
    // Exclusive: fails while the port is open elsewhere.
    virtual bool Open() = 0;
    virtual void Close() = 0;
    // Drops whatever waits in both directions.
    virtual bool Purge() = 0;
    virtual bool Apply(const SerialSettings& settings) = 0;
    // Bytes received and not yet read.
    virtual int InQueue() = 0;
    // Bytes written and not yet sent on the line.
    virtual int OutQueue() = 0;
    // At most n bytes of what has arrived; 0 when nothing waits. Never waits.
    virtual int Read(uint8_t* buffer, int n) = 0;
    // Bytes written before the write time-out.
    virtual int Write(const uint8_t* bytes, int n) = 0;
    // Waits up to ms for received bytes (or a failure that the next read reports); true when
    // something waits. Lets a caller act on an answer as it arrives instead of at its next
    // tick. Devices that cannot wait answer at once.
    virtual bool WaitForInput(int ms) {
        (void)ms;
        return InQueue() != 0;
    }
};

// Makes the device behind a port number. The programs use the termios devices; tests
// install a fake line.
class SerialDeviceFactory {
public:
    virtual ~SerialDeviceFactory() = default;
    virtual std::unique_ptr<SerialDevice> CreateSerialDevice(int portNumber) = 0;
};

// The factory in force: termios devices unless another is installed.
SerialDeviceFactory& SerialDevices();
// Installs a factory (not owned); nullptr restores the termios devices.
void InstallSerialDevices(SerialDeviceFactory* factory);

}  // namespace platform
