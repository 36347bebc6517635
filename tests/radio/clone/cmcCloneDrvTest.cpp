#include "radio/clone/cmcCloneDrv.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "radio/clone/CDrvCodes.h"
#include "tests/radio/support/CloneRadioPeer.h"
#include "tests/support/FakeSerialLine.h"
#include "tests/support/VirtualTime.h"
#include "tools/clone_radio/CloneCable.h"
#include "tools/clone_radio/WakeScript.h"

namespace {

using Bytes = std::vector<uint8_t>;
using sim::CloneFaultKind;
using sim::EchoFaultKind;
using testsupport::FakeSerialLine;

constexpr int kRadioSize = 32736;
constexpr int kDocumentSize = 48880;

struct Outcome {
    int mode;
    int code;
    int word0;
    int word1;
    Bytes payload;
    Bytes image;
    uint32_t endedAt;
    bool refused;
};

class CloneDrvTest : public ::testing::Test {
protected:
    // The engine as the clone manager sets it up.
    void Configure(bool highSpeed, bool write) {
        drv.SetModelWords(0x2726, 0);
        drv.SetPort(1, highSpeed ? "38400,N,8,1" : "9600,N,8,1");
        drv.SetCommandPreamble(highSpeed ? 48 : 12);
        drv.SetDataPreambles(0);
        drv.SetScript(sim::WakeScript(highSpeed, write));
        drv.SetEchoCheck(1);
        drv.SetSendFrameCount(1);
        drv.SetWaitFirstAck(1);
        drv.SetAckInterval(128, 96);
        drv.SetDefaultTimeout(1000);
        if (write) {
            drv.SetAckTimeout(20000);
            drv.SetDefaultTimeout(2000);
        }
    }

    cmcCloneDrv::Completion Record() {
        return [this](dst_CDrv_Result& r) {
            ++completions;
            Outcome o{r.mode, r.code, r.infoWord0, r.infoWord1, {}, {}, time.Now(), r.refused};
            o.payload.assign(r.payload.GetData(), r.payload.GetData() + r.payload.GetLength());
            for (int a = 0; a < r.image.GetSize(); ++a)
                o.image.push_back(r.image.GetByte(a));
            outcome = o;
        };
    }

    // Runs until the completion; false when it never came.
    bool Finish(uint32_t limitMs = 200000) {
        bool done = time.RunUntil([&] { return outcome.has_value(); }, limitMs);
        time.Advance(50);  // nothing may follow the completion
        return done;
    }

    // A radio goes on streaming after the program gave up; the next case starts on a quiet line.
    void Quiet() { line.Peer().Purge(); }

    int Info() {
        Configure(false, false);
        EXPECT_TRUE(drv.StartInfo(Record()));
        EXPECT_TRUE(Finish());
        return outcome ? outcome->code : -1;
    }

    int Read(const AddressRangeList& ranges, int memorySize = kDocumentSize) {
        Configure(true, false);
        drv.SetMemorySize(memorySize);
        EXPECT_TRUE(drv.StartRead(&ranges, Record()));
        EXPECT_TRUE(Finish());
        return outcome ? outcome->code : -1;
    }

    int Write(const cmcEeprom& image, const AddressRangeList& ranges) {
        Configure(true, true);
        drv.SetMemorySize(image.GetSize());
        EXPECT_TRUE(drv.StartWrite(image, &ranges, Record()));
        EXPECT_TRUE(Finish());
        return outcome ? outcome->code : -1;
    }

    static std::unique_ptr<cmcEeprom> Pattern(int size) {
        auto image = std::make_unique<cmcEeprom>();
        image->Resize(size);
        for (int a = 0; a < size; ++a)
            image->SetByte(a, static_cast<uint8_t>(0x5A ^ a ^ (a >> 8)));
        return image;
    }

    testsupport::VirtualTime time;
    FakeSerialLine line;
    sim::CloneRadio radio;
    sim::CloneCable cable{radio};
    CloneRadioPeer peer{line, cable};
    cmcCloneDrv drv;
    std::optional<Outcome> outcome;
    int completions = 0;
};

TEST_F(CloneDrvTest, InformationExchange) {
    EXPECT_EQ(Info(), CDRV_Ok);
    EXPECT_EQ(outcome->mode, 1);
    EXPECT_EQ(outcome->word0, 0x2726);
    EXPECT_EQ(outcome->word1, 0x0200);
    EXPECT_EQ(outcome->payload, radio.IdentityBlock());
    EXPECT_EQ(completions, 1);
    EXPECT_FALSE(drv.IsBusy());
    EXPECT_FALSE(line.IsOpen(FakeSerialLine::Side::Program));
    // Every script group and the transfer settings opened the port, in order.
    std::vector<uint32_t> rates;
    for (const auto& record : line.lines)
        if (record.side == FakeSerialLine::Side::Program &&
            record.event == FakeSerialLine::Event::Apply)
            rates.push_back(record.settings.bitRate);
    EXPECT_EQ(rates, (std::vector<uint32_t>{38400, 9600, 38400, 9600}));
    EXPECT_EQ(radio.BitRate(), 9600u);
}

TEST_F(CloneDrvTest, ReadOfTheWholeRadioPart) {
    radio.SetBitRate(38400);  // left fast by an earlier session: the first frame slows it
    EXPECT_EQ(Read({{0, kRadioSize - 1}, {1, 0}}), CDRV_Ok);
    ASSERT_EQ(outcome->image.size(), size_t(kDocumentSize));
    EXPECT_TRUE(std::equal(radio.Memory().begin(), radio.Memory().end(), outcome->image.begin()));
    EXPECT_EQ(std::count(outcome->image.begin() + kRadioSize, outcome->image.end(), 0),
              kDocumentSize - kRadioSize);
    EXPECT_EQ(drv.GetFrameCount(), 2046);
    EXPECT_EQ(drv.GetDataBytes(), kRadioSize);
    // 2046 frames of 45 bytes at 3,840 bytes a second take 24 s; the exchange adds little.
    EXPECT_LT(outcome->endedAt, 25500u);
}

TEST_F(CloneDrvTest, WriteThenReadRoundTrips) {
    const auto pattern = Pattern(kDocumentSize);
    const cmcEeprom& image = *pattern;
    const Bytes before = radio.Memory();
    EXPECT_EQ(Write(image, {{256, 4063}, {1, 0}}), CDRV_Ok);
    EXPECT_EQ(radio.WritesDone(), 1);
    EXPECT_EQ(radio.FramesWritten(), (4064 - 256) / 16);
    for (int a = 0; a < kRadioSize; ++a)
        ASSERT_EQ(radio.Memory()[a], a >= 256 && a <= 4063 ? image.GetByte(a) : before[a]) << a;

    outcome.reset();
    EXPECT_EQ(Read({{0, kRadioSize - 1}}), CDRV_Ok);
    EXPECT_TRUE(std::equal(radio.Memory().begin(), radio.Memory().end(), outcome->image.begin()));
}

TEST_F(CloneDrvTest, WriteStartingOffALine) {
    const auto pattern = Pattern(kRadioSize);
    const cmcEeprom& image = *pattern;
    EXPECT_EQ(Write(image, {{100, 1000}, {2000, 2100}}), CDRV_Ok);
    EXPECT_EQ(radio.Memory()[100], image.GetByte(100));
    EXPECT_EQ(radio.Memory()[2100], image.GetByte(2100));
    EXPECT_NE(radio.Memory()[1001], image.GetByte(1001));
}

// Every read fault of the radio and the code the engine gives for it.
TEST_F(CloneDrvTest, ReadFaults) {
    struct Case {
        CloneFaultKind kind;
        int index;
        int code;
    };
    const Case cases[] = {
        {CloneFaultKind::GarbageBeforeData, 9, CDRV_Ok},
        {CloneFaultKind::GarbageBeforeEnd, 0, CDRV_Ok},
        {CloneFaultKind::BadChecksum, 9, CDRV_Format},
        {CloneFaultKind::LowerCaseHex, 9, CDRV_Format},
        {CloneFaultKind::WrongLength, 9, CDRV_Format},
        {CloneFaultKind::DropFrame, 9, CDRV_Missing},
        {CloneFaultKind::WrongCount, 0, CDRV_Count},
        {CloneFaultKind::WrongSignature, 0, CDRV_Format},
        {CloneFaultKind::SilentFromData, 0, CDRV_Timeout},
        {CloneFaultKind::SilentFromData, 9, CDRV_Timeout},
        {CloneFaultKind::SilentFromData, 251, CDRV_Timeout},  // no end frame
    };
    radio.SetLastAddress(0x0FA0);  // a radio of 4016 bytes keeps the cases short
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.kind) << " at " << c.index);
        Quiet();
        radio.ClearFaults();
        radio.AddFault({c.kind, c.index});
        outcome.reset();
        EXPECT_EQ(Read({{0, 4015}}), c.code);
        EXPECT_FALSE(line.IsOpen(FakeSerialLine::Side::Program));
    }
}

TEST_F(CloneDrvTest, ReadCoverage) {
    radio.SetLastAddress(0x0FA0);
    EXPECT_EQ(Read({{0, kRadioSize - 1}}), CDRV_Missing) << "the end frame came early";
    outcome.reset();
    EXPECT_EQ(Read({{0, 2047}}), CDRV_BadAddress) << "bytes outside the ranges";
    outcome.reset();
    radio.AddFault({CloneFaultKind::OutsideData, 100, kRadioSize});
    EXPECT_EQ(Read({{0, 4015}}), CDRV_BadAddress) << "beyond the radio part";
}

TEST_F(CloneDrvTest, DataBeyondTheMemorySizeIsRefusedAndNotStored) {
    radio.AddFault({CloneFaultKind::OutsideData, 2045, 32730});
    EXPECT_EQ(Read({{0, kRadioSize - 1}}, kRadioSize), CDRV_BadAddress);
    ASSERT_EQ(outcome->image.size(), size_t(kRadioSize));
    EXPECT_EQ(outcome->image[32719], radio.Memory()[32719]);
    for (int a = 32720; a < kRadioSize; ++a)
        EXPECT_EQ(outcome->image[a], 0) << a;
}

TEST_F(CloneDrvTest, FramesWithAnOddByteCountAreTaken) {
    radio.SetBytesPerFrame(15);
    radio.SetLastAddress(0x03FF);
    EXPECT_EQ(Read({{0, 1023}}), CDRV_Ok);
    EXPECT_TRUE(
        std::equal(radio.Memory().begin(), radio.Memory().begin() + 1024, outcome->image.begin()));
}

TEST_F(CloneDrvTest, IdentityFaults) {
    radio.AddFault({CloneFaultKind::GarbageBeforeIdentity});
    EXPECT_EQ(Info(), CDRV_Ok);
    outcome.reset();
    radio.SetIdentityWords(0x2726, 0x00AB);  // not two BCD digits a byte
    EXPECT_EQ(Info(), CDRV_Format);
    outcome.reset();
    radio.SetIdentityWords(0x2726, 0x0200);
    radio.AddFault({CloneFaultKind::SilentIdentity});
    EXPECT_EQ(Info(), CDRV_Timeout);
}

TEST_F(CloneDrvTest, SilenceAfterTheRequestTimesOutByItsEcho) {
    radio.AddFault({CloneFaultKind::SilentIdentity});
    uint32_t start = time.Now();
    EXPECT_EQ(Info(), CDRV_Timeout);
    const uint32_t echoed = outcome->endedAt - start;
    outcome.reset();
    cable.AddFault({EchoFaultKind::Missing, 0xE0, cable.Seen(0xE0)});
    start = time.Now();
    EXPECT_EQ(Info(), CDRV_Echo);
    // Both waited for the information time-out after the request.
    EXPECT_NEAR(double(outcome->endedAt - start), double(echoed), 30);
    EXPECT_GE(echoed, 1000u);
}

TEST_F(CloneDrvTest, EchoFaults) {
    struct Case {
        EchoFaultKind kind;
        uint8_t command;
    };
    const Case cases[] = {
        {EchoFaultKind::Wrong, 0xE8},   {EchoFaultKind::Swapped, 0xE8},
        {EchoFaultKind::Missing, 0xE8}, {EchoFaultKind::Wrong, 0xE2},
        {EchoFaultKind::Swapped, 0xE2}, {EchoFaultKind::Missing, 0xE2},
    };
    radio.SetLastAddress(0x00FF);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.kind) << " at " << int(c.command));
        Quiet();
        cable.ClearFaults();
        cable.AddFault({c.kind, c.command, cable.Seen(c.command)});
        outcome.reset();
        EXPECT_EQ(Read({{0, 255}}), CDRV_Echo);
    }
}

// Every write fault of the radio and the code the engine gives for it.
TEST_F(CloneDrvTest, WriteFaults) {
    struct Case {
        CloneFaultKind kind;
        int index;
        int code;
        uint32_t wait;  // the time-out that ends it
        bool refused;   // the radio said no (FA), which the box tells from other format errors
    };
    const Case cases[] = {
        {CloneFaultKind::RefuseRequest, 0, CDRV_Format, 0, true},
        {CloneFaultKind::RefuseAck, 2, CDRV_Format, 0, true},
        {CloneFaultKind::EndAnswerNg, 0, CDRV_NotAcked, 0, false},
        {CloneFaultKind::SilentRequestAck, 0, CDRV_Timeout, 20000, false},
        {CloneFaultKind::SilentAck, 1, CDRV_Timeout, 2000, false},
        {CloneFaultKind::SilentEndAnswer, 0, CDRV_Timeout, 2000, false},
    };
    const auto pattern = Pattern(kRadioSize);
    const cmcEeprom& image = *pattern;
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.kind));
        Quiet();
        radio.ClearFaults();
        radio.AddFault({c.kind, c.index});
        outcome.reset();
        const uint32_t start = time.Now();
        EXPECT_EQ(Write(image, {{0, 1023}}), c.code);
        EXPECT_EQ(outcome->refused, c.refused);
        if (c.wait) {
            EXPECT_GE(outcome->endedAt - start, c.wait);
        }
        EXPECT_LT(outcome->endedAt - start, c.wait + 2000);
    }
}

TEST_F(CloneDrvTest, WriteWaitsAtEachAcknowledgementPoint) {
    const auto pattern = Pattern(kRadioSize);
    const cmcEeprom& image = *pattern;
    EXPECT_EQ(Write(image, {{0, 1023}}), CDRV_Ok);
    // Walk the line in time order: after the frame that ends at 95 (and every 128 bytes on),
    // the program writes nothing until the radio's FB.
    std::string frame;
    bool waiting = false;
    int points = 0;
    int acks = 0;
    for (const auto& b : line.bytes) {
        if (b.from == FakeSerialLine::Side::Peer) {
            if (b.value == 0xFB) {
                ++acks;
                waiting = false;
            }
            continue;
        }
        ASSERT_FALSE(waiting) << "a byte left before the acknowledgement, after point " << points;
        frame.push_back(char(b.value));
        if (b.value != 0xFD)
            continue;
        const size_t text = frame.find('\xE4');
        if (text != std::string::npos) {
            const int address = std::stoi(frame.substr(text + 1, 4), nullptr, 16);
            const int count = std::stoi(frame.substr(text + 5, 2), nullptr, 16);
            waiting = (address + count) % 128 == 96;
            points += waiting;
        }
        frame.clear();
    }
    EXPECT_EQ(points, 8);
    EXPECT_EQ(acks, 1 + 8);  // the request and the eight points
    EXPECT_EQ(radio.FramesWritten(), 64);
}

TEST_F(CloneDrvTest, WriteSurvivesAStalledLine) {
    const auto pattern = Pattern(kRadioSize);
    const cmcEeprom& image = *pattern;
    Configure(true, true);
    drv.SetMemorySize(kRadioSize);
    const AddressRangeList ranges = {{0, 4095}};
    ASSERT_TRUE(drv.StartWrite(image, &ranges, Record()));
    // Let the data start, then hold the line for a while so batches back up.
    ASSERT_TRUE(time.RunUntil([&] { return drv.GetDataBytes() > 1000; }, 10000));
    for (int i = 0; i < 6; ++i) {
        line.StallDrain(FakeSerialLine::Side::Program, true);
        time.Advance(150 + 37 * i);
        line.StallDrain(FakeSerialLine::Side::Program, false);
        time.Advance(200);
    }
    ASSERT_TRUE(Finish());
    EXPECT_EQ(outcome->code, CDRV_Ok);
    EXPECT_TRUE(
        std::equal(radio.Memory().begin(), radio.Memory().begin() + 4096, outcome->image.begin()));
}

TEST_F(CloneDrvTest, PortFaults) {
    line.RefuseOpen(FakeSerialLine::Side::Program, true);
    EXPECT_EQ(Info(), CDRV_PortOpen);
    line.RefuseOpen(FakeSerialLine::Side::Program, false);

    outcome.reset();
    line.ShortenNextWrite(FakeSerialLine::Side::Program, 3);
    EXPECT_EQ(Info(), CDRV_PortError);
    EXPECT_FALSE(line.IsOpen(FakeSerialLine::Side::Program));
}

// An unplugged adapter, or a read that fails, is the port error at once, not a time-out.
TEST_F(CloneDrvTest, ADeviceThatFailsMidExchangeEndsWithThePortError) {
    const auto pattern = Pattern(kRadioSize);
    struct Case {
        const char* name;
        bool write;
        void (*fault)(FakeSerialLine&);
    };
    const Case cases[] = {
        {"read error in a read", false,
         [](FakeSerialLine& l) { l.FailNextRead(FakeSerialLine::Side::Program); }},
        {"unplugged in a read", false,
         [](FakeSerialLine& l) { l.Unplug(FakeSerialLine::Side::Program, true); }},
        {"unplugged in a write", true,
         [](FakeSerialLine& l) { l.Unplug(FakeSerialLine::Side::Program, true); }},
    };
    const AddressRangeList ranges = {{0, 8191}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Quiet();
        outcome.reset();
        completions = 0;
        Configure(true, c.write);
        drv.SetMemorySize(kRadioSize);
        ASSERT_TRUE(c.write ? drv.StartWrite(*pattern, &ranges, Record())
                            : drv.StartRead(&ranges, Record()));
        ASSERT_TRUE(time.RunUntil([&] { return drv.GetDataBytes() > 2000; }, 10000));
        c.fault(line);
        const uint32_t failed = time.Now();
        ASSERT_TRUE(Finish());
        EXPECT_EQ(outcome->code, CDRV_PortError);
        EXPECT_LT(outcome->endedAt - failed, 20u);
        EXPECT_EQ(completions, 1);
        EXPECT_FALSE(line.IsOpen(FakeSerialLine::Side::Program));
        line.Unplug(FakeSerialLine::Side::Program, false);
    }
}

// Noise before an FB: the wait looks at all that has come, not one byte a tick.
TEST_F(CloneDrvTest, NoiseBeforeAnAcknowledgementIsPassedOver) {
    const auto pattern = Pattern(kRadioSize);
    radio.AddFault({CloneFaultKind::NoiseBeforeAck, 2});
    Configure(true, true);
    drv.SetDefaultTimeout(100);  // shorter than 200 bytes taken one a tick
    drv.SetMemorySize(kRadioSize);
    const AddressRangeList ranges = {{0, 1023}};
    ASSERT_TRUE(drv.StartWrite(*pattern, &ranges, Record()));
    ASSERT_TRUE(Finish());
    EXPECT_EQ(outcome->code, CDRV_Ok);
    EXPECT_EQ(radio.FramesWritten(), 64);
}

// Between exchanges the engine keeps no timer running: an idle program is not woken.
TEST_F(CloneDrvTest, NoTimerRunsBetweenExchanges) {
    const int peerTask = time.scheduler.EnabledTimers();
    EXPECT_EQ(Info(), CDRV_Ok);
    EXPECT_EQ(time.scheduler.EnabledTimers(), peerTask);
}

TEST_F(CloneDrvTest, OutputThatNeverLeavesStillEnds) {
    line.StallDrain(FakeSerialLine::Side::Program, true);
    EXPECT_EQ(Info(), CDRV_Echo);  // the script's bytes never came back
    EXPECT_EQ(completions, 1);
    EXPECT_FALSE(line.IsOpen(FakeSerialLine::Side::Program));
    EXPECT_LT(outcome->endedAt, 3000u);
}

TEST_F(CloneDrvTest, AWriteOnALineThatStallsForGoodStillEnds) {
    const auto pattern = Pattern(kRadioSize);
    Configure(true, true);
    drv.SetMemorySize(kRadioSize);
    const AddressRangeList ranges = {{0, 8191}};
    ASSERT_TRUE(drv.StartWrite(*pattern, &ranges, Record()));
    ASSERT_TRUE(time.RunUntil([&] { return drv.GetDataBytes() > 2000; }, 10000));
    line.StallDrain(FakeSerialLine::Side::Program, true);
    const uint32_t stalled = time.Now();
    ASSERT_TRUE(Finish(60000));
    EXPECT_EQ(outcome->code, CDRV_Echo);
    EXPECT_LT(outcome->endedAt - stalled, 2 * 2000u + 100);  // data time-out, then drain time-out
    EXPECT_FALSE(line.IsOpen(FakeSerialLine::Side::Program));
}

// A radio frame that never ends: the read state gives up past 521 bytes, the identity
// state takes it as a frame that fails every test.
TEST_F(CloneDrvTest, OverlongFramesAreFormatErrors) {
    Bytes endless = {0xFE, 0xEF, 0xEE, 0xE4};
    endless.insert(endless.end(), 600, '0');
    const auto inject = [&](uint8_t command) {
        ASSERT_TRUE(time.RunUntil([&] { return cable.Seen(command) > 0; }, 10000));
        time.Advance(30);  // the rest of the request and its echo
        line.Peer().Write(endless.data(), static_cast<int>(endless.size()));
    };
    radio.AddFault({CloneFaultKind::SilentFromData, 0});
    radio.AddFault({CloneFaultKind::SilentIdentity});
    Configure(true, false);
    drv.SetMemorySize(kRadioSize);
    const AddressRangeList ranges = {{0, 255}};
    ASSERT_TRUE(drv.StartRead(&ranges, Record()));
    inject(0xE2);
    ASSERT_TRUE(Finish());
    EXPECT_EQ(outcome->code, CDRV_Format);

    outcome.reset();
    Configure(false, false);
    ASSERT_TRUE(drv.StartInfo(Record()));
    inject(0xE0);
    ASSERT_TRUE(Finish());
    EXPECT_EQ(outcome->code, CDRV_Format);
}

TEST_F(CloneDrvTest, OneExchangeAtATime) {
    Configure(false, false);
    ASSERT_TRUE(drv.StartInfo(Record()));
    EXPECT_TRUE(drv.IsBusy());
    EXPECT_FALSE(drv.StartInfo(Record()));
    AddressRangeList ranges = {{0, 15}};
    EXPECT_FALSE(drv.StartRead(&ranges, Record()));
    EXPECT_TRUE(Finish());
    EXPECT_EQ(completions, 1);
}

// The port closes at once; the completion follows at the next tick, once.
TEST_F(CloneDrvTest, CancelEndsTheExchange) {
    drv.Cancel();  // idle: nothing to stop
    EXPECT_EQ(completions, 0);
    Configure(false, false);
    ASSERT_TRUE(drv.StartInfo(Record()));
    time.Advance(150);  // in the set-up script
    ASSERT_TRUE(line.IsOpen(FakeSerialLine::Side::Program));
    const uint32_t at = time.Now();
    drv.Cancel();
    EXPECT_FALSE(line.IsOpen(FakeSerialLine::Side::Program));
    drv.Cancel();
    EXPECT_TRUE(Finish());
    EXPECT_EQ(outcome->code, CDRV_Cancelled);
    EXPECT_LE(outcome->endedAt - at, 1u);
    EXPECT_EQ(completions, 1);
    EXPECT_EQ(cable.Seen(0xE0), 0);
}

// A read given up at its 100th frame leaves the radio sending the rest of its memory, some
// 20 s at 38,400 bit/s. A failed read ends only once the radio has stopped; a cancelled one
// ends at once, and the next exchange waits for the radio before it sends anything. Either
// way a read retried at once takes the radio's whole memory.
TEST_F(CloneDrvTest, AReadRetriedAtOnceAfterOneGivenUpHalfWayCompletes) {
    struct Case {
        const char* name;
        std::optional<CloneFaultKind> fault;  // at frame 100, once; none: Cancel after 100
        int code;
        uint32_t endsAfter;  // at least: the radio's last byte comes some 24 s after the start
    };
    const Case cases[] = {
        {"bad checksum", CloneFaultKind::BadChecksum, CDRV_Format, 23000},
        {"lower-case hex", CloneFaultKind::LowerCaseHex, CDRV_Format, 23000},
        {"address beyond the image", CloneFaultKind::OutsideData, CDRV_BadAddress, 23000},
        {"cancel", std::nullopt, CDRV_Cancelled, 0},
    };
    const AddressRangeList ranges = {{0, kRadioSize - 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const bool cancel = !c.fault;
        radio.ClearFaults();
        if (c.fault)
            radio.AddFault({*c.fault, 100, kDocumentSize - 8, true});
        outcome.reset();
        Configure(true, false);
        drv.SetMemorySize(kDocumentSize);
        const uint32_t start = time.Now();
        ASSERT_TRUE(drv.StartRead(&ranges, Record()));
        if (cancel) {
            ASSERT_TRUE(time.RunUntil([&] { return drv.GetFrameCount() >= 100; }, 10000));
            drv.Cancel();
        }
        ASSERT_TRUE(Finish());
        EXPECT_EQ(outcome->code, c.code);
        EXPECT_GE(outcome->endedAt - start, c.endsAfter) << "ended while the radio was sending";

        outcome.reset();
        const uint32_t retried = time.Now();
        EXPECT_EQ(Read(ranges), CDRV_Ok);
        EXPECT_TRUE(
            std::equal(radio.Memory().begin(), radio.Memory().end(), outcome->image.begin()));
        // A retry after a failure waits for nothing; after a cancel, for the rest of the read.
        EXPECT_LT(outcome->endedAt - retried, cancel ? 50000u : 25500u);
    }
}

// Cancel while waiting for the radio ends at once: after a failure the failure is what the
// user learns; before an exchange has sent anything it is a cancel.
TEST_F(CloneDrvTest, CancelWhileWaitingForTheRadio) {
    radio.AddFault({CloneFaultKind::BadChecksum, 100, 0, true});
    Configure(true, false);
    drv.SetMemorySize(kDocumentSize);
    const AddressRangeList ranges = {{0, kRadioSize - 1}};
    for (bool failed : {true, false}) {
        SCOPED_TRACE(failed ? "after a failure" : "before an exchange");
        outcome.reset();
        const size_t before = line.Written(FakeSerialLine::Side::Program).size();
        ASSERT_TRUE(failed ? drv.StartRead(&ranges, Record()) : drv.StartInfo(Record()));
        ASSERT_TRUE(time.RunUntil([&] { return drv.GetState() == cmcCloneDrv::S_Quiet; }, 10000));
        const size_t written = line.Written(FakeSerialLine::Side::Program).size();
        const uint32_t at = time.Now();
        drv.Cancel();
        ASSERT_TRUE(Finish());
        EXPECT_EQ(outcome->code, failed ? CDRV_Format : CDRV_Cancelled);
        EXPECT_LE(outcome->endedAt - at, 1u);
        EXPECT_EQ(line.Written(FakeSerialLine::Side::Program).size(), written);
        if (!failed) {
            EXPECT_EQ(written, before) << "nothing was sent into the busy line";
        }
        Configure(false, false);
    }
}

// A line that never becomes quiet: nothing is sent into it, and the message says why.
TEST_F(CloneDrvTest, ALineThatStaysBusyEndsWithoutSendingAnything) {
    const Bytes noise(160000, 0x55);  // 42 s at 38,400 bit/s
    line.Peer().Apply({38400});
    line.Peer().Write(noise.data(), static_cast<int>(noise.size()));
    EXPECT_EQ(Info(), CDRV_LineBusy);
    EXPECT_TRUE(line.Written(FakeSerialLine::Side::Program).empty());
    EXPECT_GE(outcome->endedAt, 30000u);
    EXPECT_LT(outcome->endedAt, 31000u);
    EXPECT_FALSE(line.IsOpen(FakeSerialLine::Side::Program));
}

TEST_F(CloneDrvTest, CompletionMayStartTheNextExchange) {
    Configure(false, false);
    AddressRangeList ranges = {{0, 255}};
    radio.SetLastAddress(0x00FF);
    ASSERT_TRUE(drv.StartInfo([&](dst_CDrv_Result& info) {
        EXPECT_EQ(info.code, CDRV_Ok);
        Configure(true, false);
        drv.SetMemorySize(kRadioSize);
        EXPECT_TRUE(drv.StartRead(&ranges, Record()));
        ranges.clear();  // the engine keeps its own copy
    }));
    EXPECT_TRUE(Finish());
    EXPECT_EQ(outcome->mode, 2);
    EXPECT_EQ(outcome->code, CDRV_Ok);
}

}  // namespace
