#pragma once

#include <termios.h>

#include <string>

#include "platform/SerialDevice.h"

namespace platform {

// A serial device through termios: raw bytes (no echo, no line editing, no CR/LF
// translation, no software flow control, since the radios send 0x11, 0x13 and 0x0D as data),
// reads that never wait, writes bounded by the write time-out. Access is exclusive (TIOCEXCL,
// and an flock because root ignores TIOCEXCL); the line settings found at open come back at
// close. A pseudo-terminal has no modem-control lines: the wanted DTR and RTS states are then
// only recorded, so the programs also run over a pty.
class PosixSerialDevice : public SerialDevice {
public:
    explicit PosixSerialDevice(std::string path);
    ~PosixSerialDevice() override;
    PosixSerialDevice(const PosixSerialDevice&) = delete;
    PosixSerialDevice& operator=(const PosixSerialDevice&) = delete;

    bool Open() override;
    void Close() override;
    bool Purge() override;
    bool Apply(const SerialSettings& settings) override;
    int InQueue() override;
    int OutQueue() override;
    int Read(uint8_t* buffer, int n) override;
    bool WaitForInput(int ms) override;
    int Write(const uint8_t* bytes, int n) override;

    const std::string& Path() const { return path_; }
    // True once the modem-control lines turned out to be missing (a pty).
    bool ModemLinesEmulated() const { return modemLinesEmulated_; }

private:
    bool Lock();
    bool SetModemLine(int line, bool on);
    // Waits until the device takes more output or the deadline (ms of the steady clock) passes.
    bool WaitWritable(int64_t deadline);
    bool IsHungUp() const;

    std::string path_;
    int fd_ = -1;
    termios original_{};
    uint32_t writeMsPerByte_ = 0;
    uint32_t writeConstantMs_ = 0;
    bool modemLinesEmulated_ = false;
};

}  // namespace platform
