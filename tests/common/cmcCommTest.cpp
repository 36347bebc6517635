#include "common/cmcComm.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "tests/support/FakeSerialLine.h"
#include "tests/support/VirtualTime.h"

namespace {

using Side = testsupport::FakeSerialLine::Side;

class cmcCommTest : public ::testing::Test {
protected:
    testsupport::VirtualTime time;
    testsupport::FakeSerialLine line;
    cmcComm port;

    std::vector<uint8_t> Counting(int n) {
        std::vector<uint8_t> bytes(static_cast<size_t>(n));
        std::iota(bytes.begin(), bytes.end(), uint8_t{0});
        return bytes;
    }
    // The writes the device took, as (time, size).
    std::vector<std::pair<uint32_t, int>> Chunks() const {
        std::vector<std::pair<uint32_t, int>> chunks;
        for (const auto& record : line.bytes) {
            if (chunks.empty() || chunks.back().first != record.time) {
                chunks.push_back({record.time, 0});
            }
            ++chunks.back().second;
        }
        return chunks;
    }
};

TEST_F(cmcCommTest, OpenTakesTheSettingsText) {
    struct Case {
        const char* text;
        uint32_t rate;
        bool parityCheck;
        int dataBits;
        int stopBits;
        uint32_t msPerByte;
    };
    const Case cases[] = {
        {"38400,N,8,1", 38400, false, 8, 0, 2}, {"9600,N,8,1", 9600, false, 8, 0, 10},
        {"9600,M,3,1.5", 9600, true, 4, 1, 10}, {"9600,o,9,2", 9600, true, 8, 2, 10},
        {"19200,E,7,x", 19200, false, 7, 0, 5}, {"4800,,5,", 4800, false, 5, 0, 20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ASSERT_EQ(port.Open(3, c.text), 1);
        EXPECT_EQ(line.LastPortNumber(), 3);
        const platform::SerialSettings& s = line.Settings(Side::Program);
        EXPECT_EQ(s.bitRate, c.rate);
        EXPECT_EQ(s.parityCheck, c.parityCheck);
        EXPECT_EQ(s.dataBits, c.dataBits);
        EXPECT_EQ(s.stopBits, c.stopBits);
        EXPECT_EQ(s.writeMsPerByte, c.msPerByte);
        EXPECT_EQ(s.writeConstantMs, 3000u);
        EXPECT_EQ(s.dtrControl, 0);
        EXPECT_EQ(s.rtsControl, 1);
        port.Close();
    }
}

TEST_F(cmcCommTest, OpenRefusesATextItCannotUseBeforeTouchingTheDevice) {
    for (const char* text : {"", "fast,N,8,1", "0,N,8,1", "-9600,N,8,1", "9600,N,8",
                             "99999999999,N,8,1", "3000000000,N,8,1"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(port.Open(1, text), 0);
        EXPECT_FALSE(port.IsOpen());
    }
    EXPECT_EQ(line.LastPortNumber(), 0);
    EXPECT_TRUE(line.lines.empty());
}

TEST_F(cmcCommTest, OpenOnAnOpenPortKeepsItAsItWas) {
    ASSERT_EQ(port.Open(1, "9600,N,8,1"), 1);
    EXPECT_EQ(port.Open(2, "38400,N,8,1"), 0);
    EXPECT_TRUE(port.IsOpen());
    EXPECT_EQ(port.GetPortNumber(), 1);
    EXPECT_EQ(line.Settings(Side::Program).bitRate, 9600u);
    EXPECT_EQ(line.LastPortNumber(), 1);
}

TEST_F(cmcCommTest, OpenFailsAndStaysClosedWhenTheDeviceRefuses) {
    line.RefuseOpen(Side::Program, true);
    EXPECT_EQ(port.Open(1, "9600,N,8,1"), 0);
    EXPECT_FALSE(port.IsOpen());
    line.RefuseOpen(Side::Program, false);
    line.RefuseSettings(Side::Program, true);
    EXPECT_EQ(port.Open(1, "9600,N,8,1"), 0);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(line.IsOpen(Side::Program));
}

TEST_F(cmcCommTest, WriteDrainsInChunksEachAfterTheOutputQueueEmptied) {
    ASSERT_EQ(port.Open(1, "38400,N,8,1"), 1);
    ASSERT_TRUE(line.Peer().Open());
    std::vector<uint8_t> data = Counting(3000);
    EXPECT_EQ(port.Write(data.data(), 3000), 0);
    EXPECT_EQ(port.GetOutQueue(), 1024);
    EXPECT_EQ(port.GetPendingOut(), 3000);

    // 1,024 bytes at 38,400 bit/s take 266.7 ms; the task looks every 10 ms.
    time.Advance(260);
    EXPECT_EQ(port.GetPendingOut(), 3000 - 998);
    ASSERT_TRUE(time.RunUntil([&] { return port.GetPendingOut() == 0; }, 2000));
    using Chunk = std::pair<uint32_t, int>;
    EXPECT_EQ(Chunks(), (std::vector<Chunk>{{0, 1024}, {270, 1024}, {540, 952}}));
    EXPECT_EQ(time.scheduler.EnabledTimers(), 0);

    std::vector<uint8_t> received(3000);
    EXPECT_EQ(line.Peer().Read(received.data(), 3000), 3000);
    EXPECT_EQ(received, data);
}

TEST_F(cmcCommTest, AStalledOutputQueueHoldsBackTheRest) {
    ASSERT_EQ(port.Open(1, "9600,N,8,1"), 1);
    line.StallDrain(Side::Program, true);
    std::vector<uint8_t> data = Counting(1500);
    port.Write(data.data(), 1500);
    time.Advance(5000);
    EXPECT_EQ(line.bytes.size(), 1024u);
    EXPECT_EQ(port.GetPendingOut(), 1500);
    EXPECT_EQ(port.GetOutSpace(), 1024 - 1500);
    line.StallDrain(Side::Program, false);
    ASSERT_TRUE(time.RunUntil([&] { return port.GetPendingOut() == 0; }, 5000));
    EXPECT_EQ(line.Written(Side::Program), data);
    EXPECT_EQ(port.GetOutSpace(), 1024);
}

TEST_F(cmcCommTest, AShortWriteKeepsTheErrorUntilClose) {
    ASSERT_EQ(port.Open(1, "9600,N,8,1"), 1);
    line.ShortenNextWrite(Side::Program, 100);
    std::vector<uint8_t> data = Counting(500);
    port.Write(data.data(), 500);
    EXPECT_EQ(port.HasError(), 1);
    time.Advance(1000);
    EXPECT_EQ(line.bytes.size(), 100u);
    EXPECT_EQ(port.HasError(), 1);
    // The buffer keeps every byte of the failed chunk.
    EXPECT_EQ(port.GetPendingOut(), 500);
    EXPECT_EQ(time.scheduler.EnabledTimers(), 0);
    port.Close();
    EXPECT_EQ(port.HasError(), 0);
    EXPECT_EQ(port.GetPendingOut(), 0);
}

TEST_F(cmcCommTest, CloseDropsQueuedOutputAndStopsTheTask) {
    ASSERT_EQ(port.Open(1, "9600,N,8,1"), 1);
    std::vector<uint8_t> data = Counting(3000);
    port.Write(data.data(), 3000);
    port.Close();
    time.Advance(5000);
    EXPECT_EQ(line.bytes.size(), 1024u);
    EXPECT_EQ(time.scheduler.EnabledTimers(), 0);
    ASSERT_EQ(port.Open(1, "9600,N,8,1"), 1);
    EXPECT_EQ(port.GetPendingOut(), 0);
}

TEST_F(cmcCommTest, DestroyedWhileSendingLeavesNoTaskBehind) {
    auto sending = std::make_unique<cmcComm>();
    ASSERT_EQ(sending->Open(1, "9600,N,8,1"), 1);
    std::vector<uint8_t> data = Counting(3000);
    sending->Write(data.data(), 3000);
    sending.reset();
    time.Advance(100);
    EXPECT_EQ(time.scheduler.EnabledTimers(), 0);
    EXPECT_FALSE(line.IsOpen(Side::Program));
}

TEST_F(cmcCommTest, AClosedPortDoesNothing) {
    uint8_t bytes[4] = {1, 2, 3, 4};
    EXPECT_EQ(port.Write(bytes, 4), 0);
    EXPECT_EQ(port.Read(bytes, 4), 0);
    EXPECT_EQ(port.GetInQueue(), 0);
    EXPECT_EQ(port.GetOutQueue(), 0);
    EXPECT_EQ(port.GetPendingOut(), 0);
    EXPECT_EQ(port.GetOutSpace(), 0);
    EXPECT_EQ(port.ApplySettings(), 0);
    EXPECT_EQ(line.LastPortNumber(), 0);
    EXPECT_TRUE(line.bytes.empty());
}

TEST_F(cmcCommTest, ReadTakesWhatWaitsWithoutWaiting) {
    ASSERT_EQ(port.Open(1, "9600,N,8,1"), 1);
    ASSERT_TRUE(line.Peer().Open());
    std::vector<uint8_t> sent = Counting(10);
    line.Peer().Write(sent.data(), 10);
    time.Advance(20);
    EXPECT_EQ(port.GetInQueue(), 10);
    std::vector<uint8_t> buffer(100);
    ASSERT_EQ(port.Read(buffer.data(), 100), 10);
    buffer.resize(10);
    EXPECT_EQ(buffer, sent);
    EXPECT_EQ(port.Read(buffer.data(), 100), 0);
}

TEST_F(cmcCommTest, LoaderSettersApplyToTheOpenPortAndHoldForLaterOpens) {
    EXPECT_EQ(port.SetDtrControl(1), 0);
    EXPECT_EQ(port.SetRtsControl(0), 0);
    ASSERT_EQ(port.Open(1, "9600,N,8,1"), 1);
    EXPECT_TRUE(line.Dtr(Side::Program));
    EXPECT_FALSE(line.Rts(Side::Program));

    EXPECT_EQ(port.SetBitRate(19200), 1);
    EXPECT_EQ(line.Settings(Side::Program).bitRate, 19200u);
    EXPECT_EQ(line.Settings(Side::Program).writeMsPerByte, 5u);
    EXPECT_EQ(port.SetBitRate(0), 0);
    EXPECT_EQ(line.Settings(Side::Program).bitRate, 19200u);
    EXPECT_EQ(port.SetRtsControl(7), 1);
    EXPECT_EQ(line.Settings(Side::Program).rtsControl, 3);
    EXPECT_EQ(port.SetDtrControl(4), 1);
    EXPECT_FALSE(line.Dtr(Side::Program));

    line.RefuseSettings(Side::Program, true);
    EXPECT_EQ(port.SetRtsControl(1), 0);
}

TEST(cmcCommGetField, TakesTheNthCommaField) {
    EXPECT_EQ(cmcComm::GetField("38400,N,8,1", ',', 0), "38400");
    EXPECT_EQ(cmcComm::GetField("9600,N,,1", ',', 2), "");
    EXPECT_EQ(cmcComm::GetField("9600,N,8,1", ',', 4), std::nullopt);
}

}  // namespace
