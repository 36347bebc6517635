#include "tools/boot_radio/PacedOutput.h"

void PacedOutput::Add(const std::vector<uint8_t>& bytes, uint64_t nowNs) {
    if (bytes.empty()) {
        return;
    }
    if (queue_.empty() && nextNs_ < nowNs + ByteNs()) {
        nextNs_ = nowNs + ByteNs();  // an idle line starts with this byte
    }
    queue_.insert(queue_.end(), bytes.begin(), bytes.end());
}

std::vector<uint8_t> PacedOutput::TakeDue(uint64_t nowNs) {
    std::vector<uint8_t> due;
    while (!queue_.empty() && nextNs_ <= nowNs) {
        due.push_back(queue_.front());
        queue_.pop_front();
        if (!queue_.empty()) {
            nextNs_ += ByteNs();
        }
    }
    return due;
}
