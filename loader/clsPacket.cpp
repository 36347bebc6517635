#include "loader/clsPacket.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr uint8_t kFrameStart = 0xFE;
constexpr uint8_t kFrameEnd = 0xFD;
constexpr uint8_t kEscape = 0xFF;
constexpr uint8_t kFirstEscaped = 0xFA;
}  // namespace

int clsPacket::BuildDataFrame(const uint8_t* data, int address, int n) {
    n = std::max(n, 0);
    SetPayloadSize(n + 3);
    payload_[0] = static_cast<uint8_t>(address >> 16);
    payload_[1] = static_cast<uint8_t>(address >> 8);
    payload_[2] = static_cast<uint8_t>(address);
    if (n > 0) {
        std::memcpy(payload_.data() + 3, data, static_cast<size_t>(n));
    }
    EnsureOutput(n + 7);
    return WriteFrame(kDataFrame);
}

int clsPacket::BuildSumFrame(uint16_t sum16) {
    SetPayloadSize(2);
    payload_[0] = static_cast<uint8_t>(sum16 >> 8);
    payload_[1] = static_cast<uint8_t>(sum16);
    EnsureOutput(6);
    return WriteFrame(kSumFrame);
}

void clsPacket::CopyTo(uint8_t* buffer) const {
    if (length_ > 0) {
        std::memcpy(buffer, frame_.data(), static_cast<size_t>(length_));
    }
}

int clsPacket::Escape(uint8_t* out, const uint8_t* in, int n) {
    int written = 0;
    for (int i = 0; i < n; ++i) {
        if (in[i] >= kFirstEscaped) {
            out[written++] = kEscape;
            out[written++] = in[i] & 0x0F;
        } else {
            out[written++] = in[i];
        }
    }
    return written;
}

void clsPacket::SetPayloadSize(int n) {
    if (static_cast<size_t>(n) > payload_.size()) {
        payload_.resize(static_cast<size_t>(n));
    }
    payloadLength_ = n;
}

void clsPacket::EnsureOutput(int n) {
    if (static_cast<size_t>(2 * n) > frame_.size()) {
        frame_.resize(static_cast<size_t>(2 * n));
    }
}

int clsPacket::WriteFrame(uint8_t type) {
    // EnsureOutput left room for the fully escaped payload and the four frame bytes.
    int n = 0;
    frame_[n++] = kFrameStart;
    frame_[n++] = kFrameStart;
    frame_[n++] = type;
    n += Escape(frame_.data() + n, payload_.data(), payloadLength_);
    frame_[n++] = kFrameEnd;
    length_ = n;
    return length_;
}
