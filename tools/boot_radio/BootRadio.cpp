#include "tools/boot_radio/BootRadio.h"

namespace {

constexpr uint32_t kProbe = ('Z' << 24) | ('E' << 16) | ('L' << 8) | 'K';
constexpr uint8_t kBootAnswer = 0x55;
constexpr uint8_t kRateByte = 0x55;
constexpr uint8_t kRateAnswer = 0xAA;
constexpr uint8_t kWriterDone = 0xAA;
constexpr uint8_t kAck = 0xFB;
constexpr uint8_t kRefuse = 0xFA;
constexpr uint8_t kDataFrame = 0x00;
constexpr uint8_t kSumFrame = 0x01;
constexpr uint8_t kWakeFrame = 0x0F;
// The product check asks 'D', 'C', 'B', 'A'; each gets one byte of the product code.
constexpr uint8_t kProductCode[4] = {0x4D, 0x52, 0x57, 0x31};

}  // namespace

BootRadio::BootRadio(BootRadioFaults faults) : faults_(faults), flash_(kFlashSize, 0xFF) {}

sim::LineOutput BootRadio::Receive(const uint8_t* bytes, size_t n, uint32_t nowMs) {
    sim::LineOutput out;
    std::vector<uint8_t> answer;
    for (size_t i = 0; i < n; ++i) {
        Echo(bytes[i], out);
        answer.clear();
        Handle(bytes[i], nowMs, answer);
        out.AddAnswer(answer, faults_.answerPauseBytes);
        ++received_;
    }
    return out;
}

void BootRadio::Echo(uint8_t byte, sim::LineOutput& out) {
    if (faults_.noEcho) {
        return;
    }
    out.Add(received_ == faults_.wrongEchoAt ? static_cast<uint8_t>(byte ^ 0x01) : byte);
}

void BootRadio::Handle(uint8_t byte, uint32_t nowMs, std::vector<uint8_t>& out) {
    switch (phase_) {
        case Phase::Probe:
            HandleProbe(byte, nowMs, out);
            break;
        case Phase::Zeros:
            HandleZeros(byte, out);
            break;
        case Phase::Product:
            HandleProduct(byte, out);
            break;
        case Phase::LengthHigh:
        case Phase::LengthLow:
            HandleLength(byte, out);
            break;
        case Phase::Writer:
            HandleWriter(byte, out);
            break;
        case Phase::Frames:
            HandleFrameByte(byte, out);
            break;
    }
}

// The answer follows a complete probe; a late radio lets the probes of its first
// bootAnswerDelayMs go by, a slow one its first ignoredProbes.
void BootRadio::HandleProbe(uint8_t byte, uint32_t nowMs, std::vector<uint8_t>& out) {
    probeWindow_ = (probeWindow_ << 8) | byte;
    if (probeWindow_ != kProbe || faults_.noBootAnswer) {
        return;
    }
    if (++probesHeard_ <= faults_.ignoredProbes) {
        probeWindow_ = 0;
        return;
    }
    if (!probed_) {
        probed_ = true;
        firstProbeMs_ = nowMs;
    }
    if (nowMs - firstProbeMs_ >= faults_.bootAnswerDelayMs) {
        EnterBoot(out);
    }
}

void BootRadio::EnterBoot(std::vector<uint8_t>& out) {
    probeWindow_ = 0;
    zeroAnswered_ = false;
    productIndex_ = 0;
    phase_ = Phase::Zeros;
    out.push_back(kBootAnswer);
}

// Probes still in flight when boot mode began are ignored here.
void BootRadio::HandleZeros(uint8_t byte, std::vector<uint8_t>& out) {
    if (byte == 0x00 && !zeroAnswered_) {
        zeroAnswered_ = true;
        if (faults_.zeroAnswer != BootRadioFaults::ZeroAnswer::None) {
            out.push_back(0x00);
        }
        if (faults_.zeroAnswer == BootRadioFaults::ZeroAnswer::Doubled) {
            out.push_back(0x00);
        }
    } else if (byte == kRateByte) {
        out.push_back(kRateAnswer);
        phase_ = Phase::Product;
    }
}

void BootRadio::HandleProduct(uint8_t byte, std::vector<uint8_t>& out) {
    if (byte != 'D' - productIndex_) {
        return;
    }
    if (productIndex_ != faults_.missingProductReply) {
        out.push_back(kProductCode[productIndex_]);
    }
    if (++productIndex_ == 4) {
        phase_ = Phase::LengthHigh;
    }
}

// The length comes back only once both of its bytes have arrived.
void BootRadio::HandleLength(uint8_t byte, std::vector<uint8_t>& out) {
    if (phase_ == Phase::LengthHigh) {
        lengthHigh_ = byte;
        phase_ = Phase::LengthLow;
        return;
    }
    out.push_back(faults_.wrongLengthEcho ? static_cast<uint8_t>(lengthHigh_ ^ 0x80) : lengthHigh_);
    out.push_back(byte);
    writerLength_ = (static_cast<size_t>(lengthHigh_) << 8) | byte;
    writer_.clear();
    phase_ = Phase::Writer;
    if (writerLength_ == 0) {
        HandleWriter(0, out);
    }
}

void BootRadio::HandleWriter(uint8_t byte, std::vector<uint8_t>& out) {
    if (writer_.size() < writerLength_) {
        writer_.push_back(byte);
    }
    if (writer_.size() < writerLength_) {
        return;
    }
    // The writer program erases the flash before it takes data.
    flash_.assign(kFlashSize, 0xFF);
    dataFrames_ = 0;
    sumMatched_ = false;
    frames_ = BootFrameReader();
    framesAnswered_ = 0;
    phase_ = Phase::Frames;
    out.push_back(kWriterDone);
}

void BootRadio::HandleFrameByte(uint8_t byte, std::vector<uint8_t>& out) {
    switch (frames_.Take(byte)) {
        case BootFrameReader::Result::Pending:
            break;
        case BootFrameReader::Result::Faulty:
            Acknowledge(kRefuse, out);
            break;
        case BootFrameReader::Result::Frame:
            HandleFrame(out);
            break;
    }
}

void BootRadio::HandleFrame(std::vector<uint8_t>& out) {
    const std::vector<uint8_t>& payload = frames_.Payload();
    switch (frames_.Type()) {
        case kDataFrame:
            Acknowledge(StoreData(payload), out);
            break;
        case kSumFrame:
            Acknowledge(CheckSum(payload), out);
            break;
        case kWakeFrame:
            ++wakes_;
            phase_ = Phase::Probe;  // leaves boot mode; no answer
            probed_ = false;
            probesHeard_ = 0;
            break;
        default:
            Acknowledge(kRefuse, out);
            break;
    }
}

uint8_t BootRadio::StoreData(const std::vector<uint8_t>& payload) {
    if (payload.size() < 3) {
        return kRefuse;
    }
    const size_t address = (static_cast<size_t>(payload[0]) << 16) | (payload[1] << 8) | payload[2];
    const size_t n = payload.size() - 3;
    if (address + n > kFlashSize) {
        return kRefuse;
    }
    for (size_t i = 0; i < n; ++i) {
        flash_[address + i] = payload[3 + i];
    }
    ++dataFrames_;
    return kAck;
}

uint8_t BootRadio::CheckSum(const std::vector<uint8_t>& payload) {
    sumMatched_ = payload.size() == 2 && ((payload[0] << 8) | payload[1]) == FlashSum();
    return sumMatched_ ? kAck : kRefuse;
}

void BootRadio::Acknowledge(uint8_t answer, std::vector<uint8_t>& out) {
    const bool faulty = framesAnswered_++ == faults_.badAckFrame;
    if (!faulty || faults_.badAck == BootRadioFaults::Ack::Given) {
        out.push_back(answer);
    } else if (faults_.badAck == BootRadioFaults::Ack::Refused) {
        out.push_back(kRefuse);
    }
}

uint16_t BootRadio::FlashSum() const {
    uint32_t sum = 0;
    for (uint8_t b : flash_) {
        sum += b;
    }
    return static_cast<uint16_t>(sum);
}
