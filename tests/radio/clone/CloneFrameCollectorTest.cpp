#include "radio/clone/CloneFrameCollector.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;
using Result = CloneFrameCollector::Result;

// What the collector reports for each byte of a stream, and the frames it hands out.
struct Fed {
    std::vector<Bytes> frames;
    int overlong = 0;
};

Fed Feed(CloneFrameCollector& collector, const Bytes& bytes) {
    Fed fed;
    for (uint8_t b : bytes) {
        const Result r = collector.Take(b);
        if (r == Result::Frame)
            fed.frames.push_back(collector.Frame());
        fed.overlong += r == Result::Overlong;
    }
    return fed;
}

TEST(CloneFrameCollector, FramesBetweenPreambleAndEnd) {
    CloneFrameCollector collector;
    // Garbage and an FD outside a frame are dropped; a second FE starts the frame again.
    const Fed fed = Feed(collector, {0x00, 0xFD, 0x55, 0xFE, 0x01, 0xFE, 0xEF, 0xEE, 0xE6, 0x00,
                                     0xFD, 0x33, 0xFE, 0xFE, 0xFD});
    ASSERT_EQ(fed.frames.size(), 2u);
    EXPECT_EQ(fed.frames[0], (Bytes{0xFE, 0xEF, 0xEE, 0xE6, 0x00}));
    EXPECT_EQ(fed.frames[1], (Bytes{0xFE}));
    EXPECT_EQ(fed.overlong, 0);
}

TEST(CloneFrameCollector, AFrameOfMoreThan521BytesIsOverlong) {
    CloneFrameCollector collector;
    Bytes longest = {0xFE};
    longest.insert(longest.end(), 520, '0');
    Bytes whole = longest;
    whole.push_back(0xFD);
    const Fed fits = Feed(collector, whole);
    ASSERT_EQ(fits.frames.size(), 1u);
    EXPECT_EQ(fits.frames[0].size(), 521u);

    Bytes over = longest;
    over.insert(over.end(), {'0', '1', 0xFD});
    const Fed overran = Feed(collector, over);
    EXPECT_EQ(overran.overlong, 1);
    EXPECT_TRUE(overran.frames.empty()) << "collecting starts afresh: the FD is outside a frame";
}

}  // namespace
