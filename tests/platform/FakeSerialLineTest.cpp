#include "tests/support/FakeSerialLine.h"

#include <gtest/gtest.h>

#include "tests/support/VirtualTime.h"

namespace {

using Line = testsupport::FakeSerialLine;
using Side = Line::Side;

class FakeSerialLineTest : public ::testing::Test {
protected:
    void SetUp() override {
        program = line.CreateSerialDevice(1);
        ASSERT_TRUE(program->Open());
        ASSERT_TRUE(line.Peer().Open());
    }

    testsupport::VirtualTime time{100};
    Line line;
    std::unique_ptr<platform::SerialDevice> program;
};

TEST_F(FakeSerialLineTest, OutputArrivesAtTheWritersBitRate) {
    uint8_t bytes[20] = {};
    ASSERT_EQ(program->Write(bytes, 20), 20);
    // 9,600 bit/s is 0.96 bytes a millisecond.
    time.Advance(5);
    EXPECT_EQ(program->OutQueue(), 16);
    EXPECT_EQ(line.Peer().InQueue(), 4);
    platform::SerialSettings fast;
    fast.bitRate = 96000;
    ASSERT_TRUE(program->Apply(fast));
    time.Advance(1);
    EXPECT_EQ(line.Peer().InQueue(), 14);
    time.Advance(1);
    EXPECT_EQ(line.Peer().InQueue(), 20);
    EXPECT_EQ(program->OutQueue(), 0);
    // An idle line earns no credit for later bytes.
    time.Advance(100);
    ASSERT_EQ(program->Write(bytes, 1), 1);
    EXPECT_EQ(line.Peer().InQueue(), 20);

    ASSERT_EQ(line.bytes.size(), 21u);
    EXPECT_EQ(line.bytes[0].time, 100u);
    EXPECT_EQ(line.bytes[0].from, Side::Program);
    EXPECT_EQ(line.bytes[0].bitRate, 9600u);
    EXPECT_EQ(line.bytes[20].time, 207u);
    EXPECT_EQ(line.bytes[20].bitRate, 96000u);
}

TEST_F(FakeSerialLineTest, FaultsStallShortenAndRefuse) {
    uint8_t bytes[10] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    line.StallDrain(Side::Peer, true);
    line.Peer().Write(bytes, 10);
    time.Advance(1000);
    EXPECT_EQ(line.Peer().OutQueue(), 10);
    line.StallDrain(Side::Peer, false);
    time.Advance(20);
    EXPECT_EQ(program->InQueue(), 10);

    line.ShortenNextWrite(Side::Program, 3);
    EXPECT_EQ(program->Write(bytes, 10), 3);
    EXPECT_EQ(program->Write(bytes, 10), 10);

    line.RefuseSettings(Side::Program, true);
    EXPECT_FALSE(program->Apply(platform::SerialSettings{}));
    program->Close();
    line.RefuseOpen(Side::Program, true);
    EXPECT_FALSE(program->Open());
}

TEST_F(FakeSerialLineTest, EndsAreExclusiveAndLineEventsAreRecorded) {
    auto second = line.CreateSerialDevice(1);
    EXPECT_FALSE(second->Open());
    platform::SerialSettings settings;
    settings.dtrControl = 1;
    settings.rtsControl = 0;
    time.Advance(5);
    ASSERT_TRUE(program->Apply(settings));
    EXPECT_TRUE(line.Dtr(Side::Program));
    EXPECT_FALSE(line.Rts(Side::Program));
    second.reset();  // never opened: closes nothing
    EXPECT_TRUE(line.IsOpen(Side::Program));
    program.reset();
    EXPECT_FALSE(line.IsOpen(Side::Program));
    EXPECT_FALSE(line.Dtr(Side::Program));

    ASSERT_EQ(line.lines.size(), 4u);
    EXPECT_EQ(line.lines[0].event, Line::Event::Open);
    EXPECT_EQ(line.lines[1].side, Side::Peer);
    EXPECT_EQ(line.lines[2].event, Line::Event::Apply);
    EXPECT_EQ(line.lines[2].time, 105u);
    EXPECT_EQ(line.lines[2].settings, settings);
    EXPECT_EQ(line.lines[3].event, Line::Event::Close);
}

}  // namespace
