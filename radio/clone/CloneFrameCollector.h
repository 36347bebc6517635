#pragma once

#include <cstdint>
#include <vector>

// Collects the radio's frames from the bytes as they arrive: FE starts a frame (again), bytes
// outside a frame are dropped, FD ends it (FD itself is not kept). A frame that grows past the
// longest the protocol knows is reported as overlong, and collecting starts afresh.
class CloneFrameCollector {
public:
    enum class Result { Pending, Frame, Overlong };

    Result Take(uint8_t byte);
    // The frame that Take reported last.
    const std::vector<uint8_t>& Frame() const { return frame_; }
    // Drops the frame being collected.
    void Clear() { collecting_.clear(); }

private:
    std::vector<uint8_t> collecting_;
    std::vector<uint8_t> frame_;
};
