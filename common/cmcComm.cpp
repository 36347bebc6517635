#include "common/cmcComm.h"

#include <algorithm>

#include "common/DecimalNumber.h"
#include "common/TextHelpers.h"
#include "common/cmcTask.h"

namespace {

constexpr int kRetryMs = 10;
constexpr uint32_t kWriteConstantMs = 3000;

}  // namespace

cmcComm::cmcComm() : task_(new cmcTask) {
    task_->SetHandler([this](cmcTask*) { TransmitStep(); });
}

cmcComm::~cmcComm() {
    Close();
    cmcTask::Dispose(task_);
}

int cmcComm::Open(int portNumber, const std::string& settings) {
    if (IsOpen()) {
        return 0;
    }
    portNumber_ = portNumber;
    error_ = 0;
    // A text the port cannot use is refused before the device is touched.
    if (!ParseSettings(settings)) {
        return 0;
    }
    device_ = platform::SerialDevices().CreateSerialDevice(portNumber);
    if (!device_ || !device_->Open()) {
        device_.reset();
        return 0;
    }
    if (!device_->Purge() || !ApplySettings()) {
        Close();
        return 0;
    }
    return 1;
}

bool cmcComm::ParseSettings(const std::string& text) {
    std::optional<std::string> fields[4];
    for (int i = 0; i < 4; ++i) {
        fields[i] = GetField(text, ',', i);
        if (!fields[i]) {
            return false;
        }
    }
    const DecimalNumber rate = ReadDecimal(*fields[0]);
    if (rate.outOfRange || rate.value <= 0) {
        return false;
    }
    bitRate_ = static_cast<uint32_t>(rate.value);
    char parity = fields[1]->empty() ? '\0' : (*fields[1])[0];
    parityCheck_ = parity == 'M' || parity == 'm' || parity == 'O' || parity == 'o';
    dataBits_ = std::clamp(ReadDecimal(*fields[2]).value, 4, 8);
    stopBits_ = *fields[3] == "1.5" ? 1 : *fields[3] == "2" ? 2 : 0;
    return true;
}

void cmcComm::Close() {
    task_->SetInterval(-1);
    if (device_) {
        device_->Close();
        device_.reset();
    }
    transmit_.Clear();
    error_ = 0;
}

int cmcComm::Read(uint8_t* buffer, int n) {
    if (!IsOpen() || n <= 0) {
        return 0;
    }
    return Checked(device_->Read(buffer, n));
}

// A device that fails (an unplugged adapter answers EIO) is not a quiet line: the error flag
// tells the caller, which then gets 0.
int cmcComm::Checked(int result) {
    if (result < 0) {
        error_ = 1;
        return 0;
    }
    return result;
}

int cmcComm::Write(const uint8_t* bytes, int n) {
    if (!IsOpen()) {
        return 0;
    }
    task_->SetInterval(-1);
    transmit_.AppendBytes(bytes, n);
    task_->SetInterval(0);
    TransmitStep();
    return 0;
}

bool cmcComm::WaitForInput(int ms) {
    return IsOpen() && device_->WaitForInput(ms);
}

int cmcComm::TransmitStep() {
    if (!IsOpen()) {
        return task_->SetInterval(-1);
    }
    int held = transmit_.GetLength();
    int n = std::min(held, kOutputChunk);
    if (GetOutQueue() != 0) {
        return task_->SetInterval(kRetryMs);
    }
    int written = n > 0 ? device_->Write(transmit_.GetData(), n) : 0;
    if (written < n) {
        // The buffer keeps every byte; the caller sees the error flag.
        error_ = 1;
        return task_->SetInterval(-1);
    }
    if (n < held) {
        transmit_.SetBytes(transmit_.GetData() + n, held - n);
        return task_->SetInterval(kRetryMs);
    }
    transmit_.Clear();
    return task_->SetInterval(-1);
}

int cmcComm::GetInQueue() {
    return IsOpen() ? Checked(device_->InQueue()) : 0;
}

int cmcComm::GetOutQueue() {
    return IsOpen() ? Checked(device_->OutQueue()) : 0;
}

int cmcComm::GetPendingOut() {
    return GetOutQueue() + transmit_.GetLength();
}

int cmcComm::GetOutSpace() {
    return IsOpen() ? kOutputChunk - GetPendingOut() : 0;
}

int cmcComm::SetRtsControl(int v) {
    rtsControl_ = v & 3;
    return ApplySettings();
}

int cmcComm::SetDtrControl(int v) {
    dtrControl_ = v & 3;
    return ApplySettings();
}

int cmcComm::SetBitRate(uint32_t rate) {
    // A rate of 0 would divide the write time-out by zero; the port keeps its rate.
    if (rate == 0) {
        return 0;
    }
    bitRate_ = rate;
    return ApplySettings();
}

int cmcComm::ApplySettings() {
    if (!IsOpen()) {
        return 0;
    }
    platform::SerialSettings settings;
    settings.bitRate = bitRate_;
    settings.dataBits = dataBits_;
    settings.stopBits = stopBits_;
    settings.parityCheck = parityCheck_;
    settings.dtrControl = dtrControl_;
    settings.rtsControl = rtsControl_;
    settings.writeMsPerByte = 100000 / bitRate_;
    settings.writeConstantMs = kWriteConstantMs;
    return device_->Apply(settings) ? 1 : 0;
}

std::optional<std::string> cmcComm::GetField(const std::string& text, char separator, int n) {
    return GetToken(text, separator, n);
}
