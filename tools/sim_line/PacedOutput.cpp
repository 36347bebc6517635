#include "tools/sim_line/PacedOutput.h"

namespace sim {

void PacedOutput::Add(const LineOutput& output, uint64_t nowNs) {
    const bool idle = queue_.empty();
    for (int16_t value : output.Slots()) {
        const bool pause = value == LineOutput::kPause;
        queue_.push_back({value, pause && bitRate_ == 0 ? kUnpacedPauseNs : ByteNs()});
    }
    if (idle && !queue_.empty()) {
        nextNs_ = nowNs + queue_.front().ns;  // an idle line starts with this slot
    }
}

uint64_t PacedOutput::NextWakeNs() const {
    uint64_t due = nextNs_;
    for (size_t i = 1; i < queue_.size() && queue_[i].value != LineOutput::kPause; ++i) {
        if (due + queue_[i].ns > nextNs_ + kBurstNs) {
            break;
        }
        due += queue_[i].ns;
    }
    return queue_.front().value == LineOutput::kPause ? nextNs_ : due;
}

std::vector<uint8_t> PacedOutput::TakeDue(uint64_t nowNs) {
    std::vector<uint8_t> due;
    while (!queue_.empty() && nextNs_ <= nowNs) {
        const Slot slot = queue_.front();
        queue_.pop_front();
        if (slot.value == LineOutput::kPause) {
            pausedNs_ += slot.ns;
        } else {
            due.push_back(static_cast<uint8_t>(slot.value));
            busyNs_ += slot.ns;
            ++bytesTaken_;
        }
        if (!queue_.empty()) {
            nextNs_ += queue_.front().ns;
        }
    }
    return due;
}

}  // namespace sim
