#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace sim {

// What a simulated radio and its cable put on the line, in order: bytes, and pauses of whole
// byte times between them. The cable echoes at once; a radio answers only once it has heard
// all of what it answers, so its answer follows the echo after a pause.
class LineOutput {
public:
    void Add(uint8_t byte) { slots_.push_back(byte); }
    void Add(const std::vector<uint8_t>& bytes) {
        slots_.insert(slots_.end(), bytes.begin(), bytes.end());
    }
    void AddPause(int byteTimes) {
        slots_.insert(slots_.end(), byteTimes > 0 ? byteTimes : 0, kPause);
    }
    // An answer: after the pause, when there is anything to say.
    void AddAnswer(const std::vector<uint8_t>& bytes, int pauseByteTimes);

    bool Empty() const { return slots_.empty(); }
    // The bytes without the pauses.
    std::vector<uint8_t> Bytes() const;
    // Each run of bytes and each pause, in order.
    void ForEach(const std::function<void(const uint8_t*, size_t)>& bytes,
                 const std::function<void(int byteTimes)>& pause) const;

    static constexpr int16_t kPause = -1;
    const std::vector<int16_t>& Slots() const { return slots_; }

private:
    std::vector<int16_t> slots_;  // a byte 0..255 or kPause
};

}  // namespace sim
