#include "loader/clsPacket.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes LastFrame(const clsPacket& packet) {
    Bytes frame(static_cast<size_t>(packet.GetLength()));
    packet.CopyTo(frame.data());
    return frame;
}

// The radio's view: undo the escaping of everything between the type byte and the end mark.
Bytes Unescape(const Bytes& frame) {
    Bytes payload;
    for (size_t i = 3; i + 1 < frame.size(); ++i) {
        payload.push_back(frame[i] == 0xFF ? static_cast<uint8_t>(0xF0 | frame[++i]) : frame[i]);
    }
    return payload;
}

TEST(clsPacketTest, EscapesEveryByteFromFAUp) {
    const Bytes in = {0x00, 0xF9, 0xFA, 0xFB, 0xFC, 0xFD, 0xFE, 0xFF};
    Bytes out(2 * in.size());
    int n = clsPacket::Escape(out.data(), in.data(), static_cast<int>(in.size()));
    out.resize(static_cast<size_t>(n));
    EXPECT_EQ(out, (Bytes{0x00, 0xF9, 0xFF, 0x0A, 0xFF, 0x0B, 0xFF, 0x0C, 0xFF, 0x0D, 0xFF, 0x0E,
                          0xFF, 0x0F}));
}

TEST(clsPacketTest, DataFrameCarriesTheAddressThenTheData) {
    clsPacket packet;
    const Bytes data = {0x11, 0xFB, 0x22};
    int length = packet.BuildDataFrame(data.data(), 0x7000, 3);
    EXPECT_EQ(length, packet.GetLength());
    EXPECT_EQ(LastFrame(packet),
              (Bytes{0xFE, 0xFE, 0x00, 0x00, 0x70, 0x00, 0x11, 0xFF, 0x0B, 0x22, 0xFD}));
}

TEST(clsPacketTest, FullyEscapedBlockOfEscapedAddressFitsAndHoldsNoMarks) {
    Bytes data(128);
    for (size_t i = 0; i < data.size(); ++i) {
        data[i] = static_cast<uint8_t>(0xFA + i % 6);
    }
    clsPacket packet;
    packet.BuildDataFrame(data.data(), 0xFAFBFC, 128);
    Bytes frame = LastFrame(packet);
    ASSERT_EQ(frame.size(), 3u + 2 * (3 + 128) + 1);
    for (size_t i = 3; i + 1 < frame.size(); ++i) {
        EXPECT_FALSE(frame[i] >= 0xFA && frame[i] <= 0xFE) << "byte " << i;
    }
    EXPECT_EQ(frame.back(), 0xFD);
    Bytes expected = {0xFA, 0xFB, 0xFC};
    expected.insert(expected.end(), data.begin(), data.end());
    EXPECT_EQ(Unescape(frame), expected);
}

TEST(clsPacketTest, SumFrameAndWakeFrame) {
    clsPacket packet;
    EXPECT_EQ(packet.BuildSumFrame(0xFAFB), 8);
    Bytes sum = LastFrame(packet);
    EXPECT_EQ(sum, (Bytes{0xFE, 0xFE, 0x01, 0xFF, 0x0A, 0xFF, 0x0B, 0xFD}));
    // The wake frame is the sum frame with its type byte changed.
    sum[2] = clsPacket::kWakeFrame;
    EXPECT_EQ(sum, (Bytes{0xFE, 0xFE, 0x0F, 0xFF, 0x0A, 0xFF, 0x0B, 0xFD}));
}

TEST(clsPacketTest, SmallerFrameAfterALargerOneHasItsOwnLength) {
    clsPacket packet;
    Bytes block(128, 0xFF);
    packet.BuildDataFrame(block.data(), 0x7080, 128);
    packet.BuildSumFrame(0x1234);
    EXPECT_EQ(LastFrame(packet), (Bytes{0xFE, 0xFE, 0x01, 0x12, 0x34, 0xFD}));
    Bytes small = {0x01};
    packet.BuildDataFrame(small.data(), 0x012345, 1);
    EXPECT_EQ(LastFrame(packet), (Bytes{0xFE, 0xFE, 0x00, 0x01, 0x23, 0x45, 0x01, 0xFD}));
}

}  // namespace
