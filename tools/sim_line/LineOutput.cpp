#include "tools/sim_line/LineOutput.h"

namespace sim {

void LineOutput::AddAnswer(const std::vector<uint8_t>& bytes, int pauseByteTimes) {
    if (!bytes.empty()) {
        AddPause(pauseByteTimes);
        Add(bytes);
    }
}

std::vector<uint8_t> LineOutput::Bytes() const {
    std::vector<uint8_t> bytes;
    for (int16_t slot : slots_) {
        if (slot != kPause) {
            bytes.push_back(static_cast<uint8_t>(slot));
        }
    }
    return bytes;
}

void LineOutput::ForEach(const std::function<void(const uint8_t*, size_t)>& bytes,
                         const std::function<void(int byteTimes)>& pause) const {
    std::vector<uint8_t> run;
    int paused = 0;
    for (int16_t slot : slots_) {
        if (slot == kPause) {
            if (!run.empty()) {
                bytes(run.data(), run.size());
                run.clear();
            }
            ++paused;
            continue;
        }
        if (paused > 0) {
            pause(paused);
            paused = 0;
        }
        run.push_back(static_cast<uint8_t>(slot));
    }
    if (!run.empty()) {
        bytes(run.data(), run.size());
    }
    if (paused > 0) {
        pause(paused);
    }
}

}  // namespace sim
