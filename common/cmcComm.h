#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "common/cmcBuff.h"
#include "platform/SerialDevice.h"

class cmcTask;

// The serial port of both programs, opened by port number with a settings text such as
// "38400,N,8,1". Reads never wait; writes are queued and a 10 ms task hands them to the
// device in chunks of at most 1,024 bytes, each only once the device's output queue is
// empty, so GetPendingOut tells exactly what has not left the PC. Every failure is a result:
// a short write or a failing device (read or queue query) sets the error flag.
class cmcComm {
public:
    // The largest write handed to the device, and the output room the loader counts on.
    static constexpr int kOutputChunk = 1024;

    cmcComm();
    ~cmcComm();
    cmcComm(const cmcComm&) = delete;
    cmcComm& operator=(const cmcComm&) = delete;

    // 1 open, 0 not (also when the port is open already, which it then stays at its settings).
    int Open(int portNumber, const std::string& settings);
    // Drops queued output and clears the error flag.
    void Close();
    bool IsOpen() const { return device_ != nullptr; }
    // A write fell short or the device failed since the last close.
    int HasError() const { return error_; }
    int Read(uint8_t* buffer, int n);
    int Write(const uint8_t* bytes, int n);
    int GetInQueue();
    // Waits up to ms for received bytes; true when some wait (or the device failed, which the
    // next read reports). False at once when the port is closed.
    bool WaitForInput(int ms);
    int GetOutQueue();
    // Device output queue plus what waits in the transmit buffer.
    int GetPendingOut();
    int GetOutSpace();
    // The setters store the value and apply it to the open port: 1 applied, 0 not.
    int SetRtsControl(int v);
    int SetDtrControl(int v);
    int SetBitRate(uint32_t rate);
    int ApplySettings();

    int GetPortNumber() const { return portNumber_; }
    // Field n of a settings text split at the separator; none past the last field (GetToken).
    static std::optional<std::string> GetField(const std::string& text, char separator, int n);

private:
    int TransmitStep();
    int Checked(int result);
    bool ParseSettings(const std::string& text);

    std::unique_ptr<platform::SerialDevice> device_;
    int portNumber_ = 0;
    int error_ = 0;
    cmcBuff transmit_;
    uint32_t bitRate_ = 9600;
    bool parityCheck_ = false;
    int dtrControl_ = 0;
    int rtsControl_ = 1;
    int dataBits_ = 8;
    int stopBits_ = 0;
    cmcTask* task_;
};
