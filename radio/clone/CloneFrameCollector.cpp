#include "radio/clone/CloneFrameCollector.h"

#include "radio/clone/CloneFrames.h"

CloneFrameCollector::Result CloneFrameCollector::Take(uint8_t byte) {
    if (byte == CloneFrames::kPreamble) {
        collecting_.assign(1, byte);
        return Result::Pending;
    }
    if (collecting_.empty()) {
        return Result::Pending;  // outside a frame
    }
    if (byte == CloneFrames::kEnd) {
        frame_.swap(collecting_);
        collecting_.clear();
        return Result::Frame;
    }
    if (static_cast<int>(collecting_.size()) >= CloneFrames::kLongestCollected) {
        collecting_.clear();
        return Result::Overlong;
    }
    collecting_.push_back(byte);
    return Result::Pending;
}
