// The clone engine's reading of the radio's bytes: frames collected, data frames decoded and
// marked in the received bitmap, the coverage judged at an end frame.
#include "radio/clone/CloneFrameCollector.h"
#include "radio/clone/CloneFrames.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

constexpr int kImageSize = 48880;

void TakeFrame(const std::vector<uint8_t>& frame, cmcBuff& received) {
    if (frame.size() < 4) {
        return;
    }
    const int textLength = static_cast<int>(frame.size()) - 4;
    if (frame[3] == CloneFrames::kData) {
        const CloneFrames::DataText text =
            CloneFrames::DecodeDataText(frame.data() + 4, textLength);
        if (text.code == 0 && !text.data.empty()) {
            CloneFrames::MarkAddresses(received, kImageSize, text.address,
                                       text.address + static_cast<int>(text.data.size()) - 1);
        }
    } else if (frame[3] == CloneFrames::kEndFrame) {
        CloneFrames::CheckReceivedCoverage({{0, 32735}}, kImageSize, received);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CloneFrameCollector collector;
    cmcBuff received;
    for (size_t i = 0; i < size; ++i) {
        if (collector.Take(data[i]) == CloneFrameCollector::Result::Frame) {
            TakeFrame(collector.Frame(), received);
        }
    }
    return 0;
}
