#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/boot_radio/BootRadio.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Frame(uint8_t type, const Bytes& payload) {
    Bytes frame = {0xFE, 0xFE, type};
    for (uint8_t b : payload) {
        if (b >= 0xFA) {
            frame.push_back(0xFF);
            frame.push_back(b & 0x0F);
        } else {
            frame.push_back(b);
        }
    }
    frame.push_back(0xFD);
    return frame;
}

Bytes DataFrame(uint32_t address, const Bytes& data) {
    Bytes payload = {uint8_t(address >> 16), uint8_t(address >> 8), uint8_t(address)};
    payload.insert(payload.end(), data.begin(), data.end());
    return Frame(0x00, payload);
}

Bytes Concat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Plays the PC's side of a load by hand and keeps what came back after each write.
class Pc {
public:
    explicit Pc(BootRadioFaults faults = {}) : radio(faults) {}

    Bytes Send(const Bytes& bytes, uint32_t now = 0) {
        return radio.Receive(bytes.data(), bytes.size(), now).Bytes();
    }
    Bytes Send(const std::string& text) { return Send(Bytes(text.begin(), text.end())); }
    // Runs the load up to the data frames with a writer of n bytes.
    void ReachFrames(size_t n = 3) {
        Send("ZELK");
        Send(Bytes{0x00});
        Send(Bytes{0x55});
        Send("DCBA");
        Send(Bytes{uint8_t(n >> 8), uint8_t(n)});
        Send(Bytes(n, 0x42));
    }

    BootRadio radio;
};

TEST(BootRadio, AWholeLoad) {
    Pc pc;
    EXPECT_EQ(pc.Send("ZEL"), Bytes({'Z', 'E', 'L'}));
    EXPECT_EQ(pc.Send("K"), Bytes({'K', 0x55}));
    EXPECT_EQ(pc.Send(Bytes{0x00, 0x00}), Bytes({0x00, 0x00, 0x00}));  // one answer
    EXPECT_EQ(pc.Send(Bytes{0x55}), Bytes({0x55, 0xAA}));
    EXPECT_EQ(pc.Send("DCBA").size(), 8u);
    EXPECT_EQ(pc.Send(Bytes{0x00}), Bytes({0x00}));  // the length waits for its low byte
    EXPECT_EQ(pc.Send(Bytes{0x03}), Bytes({0x03, 0x00, 0x03}));
    EXPECT_EQ(pc.Send(Bytes{1, 2, 3}), Bytes({1, 2, 3, 0xAA}));
    EXPECT_EQ(pc.radio.WriterProgram(), Bytes({1, 2, 3}));

    const Bytes data = {0x10, 0xFA, 0xFB, 0xFF, 0x20};
    const Bytes frame = DataFrame(0x7000, data);
    EXPECT_EQ(pc.Send(frame), Concat(frame, {0xFB}));
    EXPECT_EQ(Bytes(pc.radio.Flash().begin() + 0x7000, pc.radio.Flash().begin() + 0x7005), data);

    // 0x3FFFF bytes of 0xFF sum to 0x...01 short of the erased flash; then the stored bytes.
    uint32_t sum = 0x40000 * 0xFF;
    for (uint8_t b : data) {
        sum += b - 0xFF;
    }
    const Bytes good = Frame(0x01, {uint8_t(sum >> 8), uint8_t(sum)});
    const Bytes bad = Frame(0x01, {uint8_t(sum >> 8), uint8_t(sum + 1)});
    EXPECT_EQ(pc.Send(bad).back(), 0xFA);
    EXPECT_EQ(pc.Send(good).back(), 0xFB);
    EXPECT_TRUE(pc.radio.SumMatched());

    const Bytes wake = Frame(0x0F, {uint8_t(sum >> 8), uint8_t(sum)});
    EXPECT_EQ(pc.Send(wake), wake);  // echo only
    EXPECT_EQ(pc.radio.Wakes(), 1);
    EXPECT_EQ(pc.radio.GetPhase(), BootRadio::Phase::Probe);
}

TEST(BootRadio, FramesOutsideTheFlashOrBrokenAreRefused) {
    Pc pc;
    pc.ReachFrames();
    EXPECT_EQ(pc.Send(DataFrame(0x3FFFF, {1, 2})).back(), 0xFA);
    // An escape of more than four bits breaks the frame: refused at once, the rest ignored.
    EXPECT_EQ(pc.Send(Bytes{0xFE, 0xFE, 0x00, 0x01, 0xFF, 0x30, 0xFD}),
              Bytes({0xFE, 0xFE, 0x00, 0x01, 0xFF, 0x30, 0xFA, 0xFD}));
    EXPECT_EQ(pc.radio.DataFramesStored(), 0);
}

TEST(BootRadio, LateBootAnswerFollowsTheFirstProbeAfterTheDelay) {
    BootRadioFaults faults;
    faults.bootAnswerDelayMs = 40;
    Pc pc(faults);
    EXPECT_EQ(pc.Send(Bytes{'Z', 'E', 'L', 'K'}, 100), Bytes({'Z', 'E', 'L', 'K'}));
    EXPECT_EQ(pc.Send(Bytes{'Z', 'E', 'L', 'K'}, 139).size(), 4u);
    EXPECT_EQ(pc.Send(Bytes{'Z', 'E', 'L', 'K'}, 140), Bytes({'Z', 'E', 'L', 'K', 0x55}));
}

struct FaultCase {
    const char* name;
    BootRadioFaults faults;
    std::string script;  // what the PC sends, one character a byte ('0' = 0x00, 'U' = 0x55)
    Bytes expected;      // what comes back
};

void PrintTo(const FaultCase& c, std::ostream* os) {
    *os << c.name;
}

BootRadioFaults With(void (*set)(BootRadioFaults&)) {
    BootRadioFaults faults;
    set(faults);
    return faults;
}

class BootRadioFault : public ::testing::TestWithParam<FaultCase> {};

TEST_P(BootRadioFault, ShowsInTheReplies) {
    const FaultCase& c = GetParam();
    Pc pc(c.faults);
    Bytes script;
    for (char ch : c.script) {
        script.push_back(ch == '0' ? 0x00 : ch == 'U' ? 0x55 : uint8_t(ch));
    }
    EXPECT_EQ(pc.Send(script), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, BootRadioFault,
    ::testing::Values(
        FaultCase{"NoEcho", With([](BootRadioFaults& f) { f.noEcho = true; }), "ZELK", {0x55}},
        FaultCase{"WrongEcho",
                  With([](BootRadioFaults& f) { f.wrongEchoAt = 1; }),
                  "ZELK",
                  {'Z', 'E' ^ 1, 'L', 'K', 0x55}},
        FaultCase{"NoBootAnswer",
                  With([](BootRadioFaults& f) { f.noBootAnswer = true; }),
                  "ZELK",
                  {'Z', 'E', 'L', 'K'}},
        FaultCase{
            "NoZeroAnswer",
            With([](BootRadioFaults& f) { f.zeroAnswer = BootRadioFaults::ZeroAnswer::None; }),
            "ZELK0",
            {'Z', 'E', 'L', 'K', 0x55, 0x00}},
        FaultCase{
            "DoubledZeroAnswer",
            With([](BootRadioFaults& f) { f.zeroAnswer = BootRadioFaults::ZeroAnswer::Doubled; }),
            "ZELK0",
            {'Z', 'E', 'L', 'K', 0x55, 0x00, 0x00, 0x00}},
        FaultCase{
            "MissingProductReply",
            With([](BootRadioFaults& f) { f.missingProductReply = 2; }),
            "ZELK0UDCBA",
            {'Z', 'E', 'L', 'K', 0x55, 0, 0, 0x55, 0xAA, 'D', 0x4D, 'C', 0x52, 'B', 'A', 0x31}},
        FaultCase{"WrongLengthEcho",
                  With([](BootRadioFaults& f) { f.wrongLengthEcho = true; }),
                  std::string("ZELK0UDCBA\x01\x02", 12),
                  {'Z', 'E',  'L', 'K',  0x55, 0,    0,    0x55, 0xAA, 'D', 0x4D,
                   'C', 0x52, 'B', 0x57, 'A',  0x31, 0x01, 0x02, 0x81, 0x02}}),
    [](const ::testing::TestParamInfo<FaultCase>& tested) { return tested.param.name; });

TEST(BootRadio, BadAcknowledgementHitsTheChosenFrame) {
    for (auto ack : {BootRadioFaults::Ack::Refused, BootRadioFaults::Ack::Missing}) {
        BootRadioFaults faults;
        faults.badAckFrame = 1;
        faults.badAck = ack;
        Pc pc(faults);
        pc.ReachFrames();
        const Bytes frame = DataFrame(0x7000, Bytes(128, 0x11));
        EXPECT_EQ(pc.Send(frame).back(), 0xFB);
        const Bytes second = pc.Send(frame);
        if (ack == BootRadioFaults::Ack::Refused) {
            EXPECT_EQ(second, Concat(frame, {0xFA}));
        } else {
            EXPECT_EQ(second, frame);
        }
        EXPECT_EQ(pc.Send(frame).back(), 0xFB);
    }
}

}  // namespace
