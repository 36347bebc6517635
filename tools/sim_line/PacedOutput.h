#pragma once

#include <cstdint>
#include <deque>
#include <vector>

#include "tools/sim_line/LineOutput.h"

namespace sim {

// What a simulated radio sends, going out at a serial line's pace: 10 bit times a byte (start,
// 8 data, stop), and the pauses of its output as idle byte times. Time is in nanoseconds. At a
// bit rate of 0 bytes leave at once, yet a pause still holds back what follows it a little,
// so an answer never comes in the same write as the echo before it.
class PacedOutput {
public:
    static constexpr uint64_t kUnpacedPauseNs = 100'000;
    // Bytes due within this span of the head go in one write.
    static constexpr uint64_t kBurstNs = 4'000'000;

    explicit PacedOutput(uint32_t bitRate) : bitRate_(bitRate) {}
    // For what is added from now on.
    void SetBitRate(uint32_t bitRate) { bitRate_ = bitRate; }

    void Add(const LineOutput& output, uint64_t nowNs);
    // Takes the bytes whose time has come.
    std::vector<uint8_t> TakeDue(uint64_t nowNs);
    bool Empty() const { return queue_.empty(); }
    // When the slot at the head has left (meaningful when not empty).
    uint64_t NextDueNs() const { return nextNs_; }
    // When a peer next needs to send (meaningful when not empty): bytes may go a few at a
    // time, as a serial adapter hands them on, but the last byte before a pause, which an
    // answer follows, goes on time.
    uint64_t NextWakeNs() const;

    // Of what has been taken so far: the bytes, their time on the line, and the pauses.
    uint64_t BytesTaken() const { return bytesTaken_; }
    uint64_t BusyNs() const { return busyNs_; }
    uint64_t PausedNs() const { return pausedNs_; }

private:
    struct Slot {
        int16_t value;  // a byte or LineOutput::kPause
        uint64_t ns;
    };
    uint64_t ByteNs() const { return bitRate_ == 0 ? 0 : 10'000'000'000ull / bitRate_; }

    uint32_t bitRate_;
    std::deque<Slot> queue_;
    uint64_t nextNs_ = 0;
    uint64_t bytesTaken_ = 0;
    uint64_t busyNs_ = 0;
    uint64_t pausedNs_ = 0;
};

}  // namespace sim
