#pragma once

#include <cstdint>
#include <deque>
#include <vector>

// Bytes waiting to go out at a serial line's pace: 10 bit times a byte (start, 8 data, stop).
// Time is in nanoseconds; a bit rate of 0 sends everything at once.
class PacedOutput {
public:
    explicit PacedOutput(uint32_t bitRate) : bitRate_(bitRate) {}

    void Add(const std::vector<uint8_t>& bytes, uint64_t nowNs);
    // Takes the bytes whose time has come.
    std::vector<uint8_t> TakeDue(uint64_t nowNs);
    bool Empty() const { return queue_.empty(); }
    // When the next byte is due (meaningful when not empty).
    uint64_t NextDueNs() const { return nextNs_; }

private:
    uint64_t ByteNs() const { return bitRate_ == 0 ? 0 : 10'000'000'000ull / bitRate_; }

    uint32_t bitRate_;
    std::deque<uint8_t> queue_;
    uint64_t nextNs_ = 0;  // when the byte at the head has left the line
};
