#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/boot_radio/BootRadioOptions.h"
#include "tools/sim_line/PacedOutput.h"

namespace {

using sim::LineOutput;
using sim::PacedOutput;

LineOutput Out(const std::vector<uint8_t>& bytes, int pause = 0, uint8_t answer = 0) {
    LineOutput out;
    out.Add(bytes);
    out.AddAnswer(pause > 0 ? std::vector<uint8_t>{answer} : std::vector<uint8_t>{}, pause);
    return out;
}

TEST(PacedOutput, BytesLeaveAtTenBitTimesEach) {
    PacedOutput line(38400);  // 260,416 ns a byte
    line.Add(Out({1, 2, 3}), 1'000'000);
    EXPECT_TRUE(line.TakeDue(1'260'000).empty());
    EXPECT_EQ(line.TakeDue(1'260'417).size(), 1u);
    EXPECT_EQ(line.TakeDue(1'781'250).size(), 2u);  // the third left at 1,781,249
    EXPECT_TRUE(line.Empty());
    // An idle line starts again from the moment new bytes arrive.
    line.Add(Out({4}), 5'000'000);
    EXPECT_EQ(line.NextDueNs(), 5'260'416u);
}

// An answer follows the echo after an idle byte time, also when nothing else paces the line.
TEST(PacedOutput, APauseKeepsTheAnswerOutOfTheEchosWrite) {
    PacedOutput paced(38400);
    paced.Add(Out({1, 2}, 1, 0x55), 0);
    EXPECT_EQ(paced.TakeDue(520'832), (std::vector<uint8_t>{1, 2}));
    EXPECT_TRUE(paced.TakeDue(1'041'663).empty());
    EXPECT_EQ(paced.TakeDue(1'041'664), (std::vector<uint8_t>{0x55}));
    EXPECT_EQ(paced.BusyNs(), 3 * 260'416u);
    EXPECT_EQ(paced.PausedNs(), 260'416u);

    PacedOutput unpaced(0);
    unpaced.Add(Out({1, 2, 3}, 2, 0xFB), 7);
    EXPECT_EQ(unpaced.TakeDue(7).size(), 3u);
    EXPECT_TRUE(unpaced.TakeDue(7 + 2 * PacedOutput::kUnpacedPauseNs - 1).empty());
    EXPECT_EQ(unpaced.TakeDue(7 + 2 * PacedOutput::kUnpacedPauseNs).size(), 1u);
}

// A peer wakes for a burst of bytes at a time, but the byte an answer follows goes on time.
TEST(PacedOutput, APeerWakesForBurstsAndForTheByteBeforeAnAnswer) {
    PacedOutput line(38400);
    line.Add(Out(std::vector<uint8_t>(40, 0x30), 1, 0xFB), 0);
    EXPECT_EQ(line.NextWakeNs(), 16 * 260'416u);  // the bytes due within 4 ms of the first
    line.TakeDue(39 * 260'416);
    EXPECT_EQ(line.NextWakeNs(), 40 * 260'416u) << "the last byte before the pause";
}

TEST(BootRadioOptions, ReadsRateLoadsAndFaults) {
    BootRadioOptions options;
    std::string error;
    ASSERT_TRUE(options.Parse({"--rate", "9600", "--loads", "2", "--fault", "late-boot=250",
                               "--fault", "miss-ack=7", "--fault", "no-echo"},
                              error))
        << error;
    EXPECT_EQ(options.bitRate, 9600u);
    EXPECT_EQ(options.loads, 2);
    EXPECT_EQ(options.faults.bootAnswerDelayMs, 250u);
    EXPECT_EQ(options.faults.badAckFrame, 7);
    EXPECT_EQ(options.faults.badAck, BootRadioFaults::Ack::Missing);
    EXPECT_TRUE(options.faults.noEcho);
}

TEST(BootRadioOptions, RefusesWhatItDoesNotKnow) {
    const std::vector<std::vector<std::string>> bad = {{"--rate"},
                                                       {"--rate", "fast"},
                                                       {"--fault", "late-boot"},
                                                       {"--fault", "no-product=4"},
                                                       {"--fault", "melt"},
                                                       {"--loud", "1"}};
    for (const auto& args : bad) {
        BootRadioOptions options;
        std::string error;
        EXPECT_FALSE(options.Parse(args, error)) << args[0];
        EXPECT_FALSE(error.empty());
    }
}

}  // namespace
