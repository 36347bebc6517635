#include "loader/clsMainSeq.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "loader/ImageKey.h"
#include "loader/clsSequenceDriver.h"
#include "tests/loader/LoadRig.h"
#include "tools/loader_images/StandInImages.h"

namespace {

using Faults = BootRadioFaults;
using Side = testsupport::FakeSerialLine::Side;

int NonBlankStandInBlocks() {
    int count = 0;
    for (uint32_t b = 0; b < (StandInImages::kRomLast - StandInImages::kRomFirst + 1) / 128; ++b) {
        count += StandInImages::IsBlankRomBlock(b) ? 0 : 1;
    }
    return count;
}

TEST(clsMainSeq, SettlesInReadyAfterTheWarning) {
    LoadRig rig;
    rig.ReachReady();
    ASSERT_EQ(rig.seq->GetState(), clsMainSeq::Ready);
    ASSERT_EQ(rig.boxes.boxes.size(), 1u);
    EXPECT_EQ(rig.boxes.boxes[0].text, "For the Merrow/Selkie Conventional RADIOs ONLY.\n");
    EXPECT_EQ(rig.boxes.boxes[0].caption, "Merrow Rev.2.0 Flash Loader");
    EXPECT_EQ(rig.boxes.boxes[0].icon, platform::BoxIcon::Warning);
    EXPECT_TRUE(rig.seq->CanStart());
    EXPECT_FALSE(rig.seq->CanCancel());
    EXPECT_EQ(rig.seq->GetRomStore().GetLowest(), 0x7000);
    EXPECT_EQ(rig.seq->GetRomStore().GetHighest(), 0x3FFFF);
}

TEST(clsMainSeq, WholeLoadWritesTheRomImageIntoTheRadio) {
    LoadRig rig;
    rig.ReachReady();
    ASSERT_EQ(rig.Load(), 0);
    EXPECT_EQ(rig.seq->GetState(), clsMainSeq::Ready);
    EXPECT_EQ(rig.seq->GetCompletedCount(), 1);

    EXPECT_EQ(rig.radio.WriterProgram(), StandInImages::Writer().bytes);
    const clsMotS& rom = rig.seq->GetRomStore();
    int differences = 0;
    for (int a = 0; a < 0x40000; ++a) {
        differences += rig.radio.Flash()[a] != rom.GetByte(a);
    }
    EXPECT_EQ(differences, 0);
    const std::vector<uint8_t> plain = StandInImages::Rom().bytes;
    EXPECT_TRUE(std::equal(plain.begin(), plain.end(), rig.radio.Flash().begin() + 0x7000));
    // Blank blocks were skipped; the sum over the whole 256 KB (0xFF fill) matched the flash.
    EXPECT_EQ(rig.radio.DataFramesStored(), NonBlankStandInBlocks());
    EXPECT_TRUE(rig.radio.SumMatched());
    EXPECT_EQ(rig.radio.Wakes(), 1);
    EXPECT_EQ(rig.maxProgress, 255);

    // Ready closes the port and drops both lines.
    rig.Tick();
    EXPECT_FALSE(rig.line.IsOpen(Side::Program));
    EXPECT_EQ(rig.seq->GetProgress(), 0);
}

TEST(clsMainSeq, TheLineIsSetUpAsTheRadioExpects) {
    LoadRig rig;
    rig.ReachReady();
    rig.seq->Start();
    rig.RunUntil([&] { return rig.seq->GetState() == clsMainSeq::Boot_Reset_On; });
    // In echo mode the three line states pass in three steps without touching the lines.
    const size_t lineEvents = rig.line.lines.size();
    for (int n = 0; n < 3; ++n) {
        rig.Tick();
    }
    EXPECT_EQ(rig.seq->GetState(), clsMainSeq::Boot_Check_Setup);
    EXPECT_EQ(rig.line.lines.size(), lineEvents);
    EXPECT_FALSE(rig.line.Dtr(Side::Program));
    rig.RunUntil([&] { return rig.seq->GetState() == clsMainSeq::BitRate_00_First; });
    const testsupport::FakeSerialLine::ByteRecord& probe = rig.line.bytes.front();
    EXPECT_EQ(probe.value, 'Z');
    EXPECT_EQ(probe.bitRate, 38400u);
    EXPECT_TRUE(rig.line.Dtr(Side::Program));
    EXPECT_TRUE(rig.line.Rts(Side::Program));
    EXPECT_EQ(rig.line.LastPortNumber(), 1);
}

TEST(clsMainSeq, ALateBootAnswerWithinTheTimeOutStillLoads) {
    Faults faults;
    faults.bootAnswerDelayMs = 4000;
    LoadRig rig(faults);
    rig.ReachReady();
    EXPECT_EQ(rig.Load(), 0);
    EXPECT_EQ(rig.seq->GetCompletedCount(), 1);
}

// The user turns the radio off and on while the loader probes: hundreds of probes go
// unanswered, then the radio answers one, a byte time or more after its echo, when the next
// probe may already be on its way; its 0x00 of the bit-rate agreement comes as late.
TEST(clsMainSeq, ARadioThatAnswersOnlyAfterManyProbesStillLoads) {
    for (const int pause : {1, 2, 3, 8}) {
        SCOPED_TRACE(pause);
        Faults faults;
        faults.ignoredProbes = 300;
        faults.answerPauseBytes = pause;
        LoadRig rig(faults);
        rig.ReachReady();
        EXPECT_EQ(rig.Load(), clsMainSeq::Err_None);
        EXPECT_EQ(rig.radio.Wakes(), 1);
        const std::vector<uint8_t> sent = rig.line.Written(Side::Program);
        EXPECT_GT(std::search_n(sent.begin(), sent.end(), 1, uint8_t{0x00}) - sent.begin(),
                  300 * 4);
    }
}

struct FaultCase {
    const char* name;
    Faults faults;
    clsMainSeq::Error error;
};

void PrintTo(const FaultCase& c, std::ostream* os) {
    *os << c.name;
}

Faults Make(void (*set)(Faults&)) {
    Faults faults;
    set(faults);
    return faults;
}

class clsMainSeqFault : public ::testing::TestWithParam<FaultCase> {};

TEST_P(clsMainSeqFault, EndsInStandbyWithItsError) {
    LoadRig rig(GetParam().faults);
    rig.ReachReady();
    EXPECT_EQ(rig.Load(), GetParam().error);
    EXPECT_EQ(rig.seq->GetState(), clsMainSeq::Standby);
    EXPECT_EQ(rig.seq->GetCompletedCount(), 0);
    // The error stays until cleared; the next step closes the port and returns to Ready.
    EXPECT_EQ(rig.Tick(), GetParam().error);
    rig.seq->ClearError();
    EXPECT_EQ(rig.seq->GetState(), clsMainSeq::Ready);
    EXPECT_FALSE(rig.line.IsOpen(Side::Program));
}

const int kFrames = NonBlankStandInBlocks();

INSTANTIATE_TEST_SUITE_P(
    Faults, clsMainSeqFault,
    ::testing::Values(
        FaultCase{"NoEcho", Make([](Faults& f) { f.noEcho = true; }), clsMainSeq::Err_Unknown},
        FaultCase{"WrongEchoOfTheProbe", Make([](Faults& f) { f.wrongEchoAt = 2; }),
                  clsMainSeq::Err_Unknown},
        FaultCase{"WrongEchoOfAFrame", Make([](Faults& f) { f.wrongEchoAt = 3000; }),
                  clsMainSeq::Err_Unknown},
        FaultCase{"NoBootAnswer", Make([](Faults& f) { f.noBootAnswer = true; }),
                  clsMainSeq::Err_Boot},
        FaultCase{"BootAnswerTooLate", Make([](Faults& f) { f.bootAnswerDelayMs = 6000; }),
                  clsMainSeq::Err_Boot},
        FaultCase{"NoZeroAnswer", Make([](Faults& f) { f.zeroAnswer = Faults::ZeroAnswer::None; }),
                  clsMainSeq::Err_Bitrate},
        // The second 0x00 arrives before the echo of 0x55, so the echo check meets it.
        FaultCase{"DoubledZeroAnswer",
                  Make([](Faults& f) { f.zeroAnswer = Faults::ZeroAnswer::Doubled; }),
                  clsMainSeq::Err_Unknown},
        FaultCase{"MissingProductReply", Make([](Faults& f) { f.missingProductReply = 1; }),
                  clsMainSeq::Err_Product},
        FaultCase{"MissingLastProductReply", Make([](Faults& f) { f.missingProductReply = 3; }),
                  clsMainSeq::Err_Product},
        FaultCase{"WrongLengthEcho", Make([](Faults& f) { f.wrongLengthEcho = true; }),
                  clsMainSeq::Err_FirmUpload},
        FaultCase{"RefusedDataFrame", Make([](Faults& f) {
                      f.badAckFrame = 5;
                      f.badAck = Faults::Ack::Refused;
                  }),
                  clsMainSeq::Err_RomData},
        FaultCase{"MissingDataAck", Make([](Faults& f) {
                      f.badAckFrame = 0;
                      f.badAck = Faults::Ack::Missing;
                  }),
                  clsMainSeq::Err_RomData},
        FaultCase{"RefusedSumFrame", Make([](Faults& f) {
                      f.badAckFrame = kFrames;
                      f.badAck = Faults::Ack::Refused;
                  }),
                  clsMainSeq::Err_RomData},
        FaultCase{"MissingSumAck", Make([](Faults& f) {
                      f.badAckFrame = kFrames;
                      f.badAck = Faults::Ack::Missing;
                  }),
                  clsMainSeq::Err_RomData}),
    [](const ::testing::TestParamInfo<FaultCase>& tested) { return tested.param.name; });

TEST(clsMainSeq, PortThatWillNotOpen) {
    LoadRig rig;
    rig.ReachReady();
    rig.line.RefuseOpen(Side::Program, true);
    EXPECT_EQ(rig.Load(), clsMainSeq::Err_ComOpen);
}

TEST(clsMainSeq, AFailedWriteIsError11) {
    LoadRig rig;
    rig.ReachReady();
    rig.seq->Start();
    rig.RunUntil([&] { return rig.seq->GetState() == clsMainSeq::Boot_Check_Loop; });
    rig.line.ShortenNextWrite(Side::Program, 2);
    EXPECT_EQ(rig.RunUntil([] { return false; }, 100), clsMainSeq::Err_Unknown);
}

// The radio's own bytes behind the echoes stay for the state's read; a probe answered with
// another byte is not repeated in that step.
TEST(clsMainSeq, BootProbeWaitsForItsEchoAndForNothingReceived) {
    LoadRig rig(Make([](Faults& f) { f.noBootAnswer = true; }));
    rig.ReachReady();
    rig.seq->Start();
    rig.RunUntil([&] { return rig.seq->GetState() == clsMainSeq::Boot_Check_Loop; });
    rig.Tick();  // the first probe
    EXPECT_EQ(rig.line.Written(Side::Program).size(), 4u);
    rig.time.Advance(5);
    rig.Serve();  // the whole echo
    const uint8_t other = 0x33;
    rig.line.Peer().Write(&other, 1);
    rig.time.Advance(5);
    rig.Tick();  // echo checked, 0x33 read: no probe
    EXPECT_EQ(rig.line.Written(Side::Program).size(), 4u);
    rig.Tick();  // nothing received: the probe again
    EXPECT_EQ(rig.line.Written(Side::Program).size(), 8u);
    EXPECT_EQ(rig.seq->GetState(), clsMainSeq::Boot_Check_Loop);
}

// An unplugged adapter, or a read that fails, ends the load with error 11 and the port is let
// go in the same step.
TEST(clsMainSeq, ADeviceThatFailsMidLoadIsError11) {
    for (const bool unplug : {false, true}) {
        SCOPED_TRACE(unplug ? "unplugged" : "read error");
        LoadRig rig;
        rig.ReachReady();
        rig.seq->Start();
        rig.RunUntil([&] {
            return rig.seq->GetState() == clsMainSeq::RomW_Data && rig.seq->GetProgress() > 20;
        });
        ASSERT_EQ(rig.seq->GetState(), clsMainSeq::RomW_Data);
        if (unplug) {
            rig.line.Unplug(Side::Program, true);
        } else {
            rig.line.FailNextRead(Side::Program);
        }
        int error = 0;
        for (int n = 0; n < 100 && error == 0; ++n) {
            error = rig.Tick();
        }
        EXPECT_EQ(error, clsMainSeq::Err_Unknown);
        EXPECT_EQ(rig.seq->GetState(), clsMainSeq::Standby);
        EXPECT_FALSE(rig.line.IsOpen(Side::Program));
    }
}

TEST(clsMainSeq, CancelDuringALoadReturnsToReady) {
    LoadRig rig;
    rig.ReachReady();
    rig.seq->Start();
    rig.RunUntil([&] { return rig.seq->GetState() == clsMainSeq::RomW_Data; });
    EXPECT_TRUE(rig.seq->CanCancel());
    EXPECT_FALSE(rig.seq->CanStart());
    rig.seq->Cancel();
    EXPECT_EQ(rig.seq->GetState(), clsMainSeq::Standby);
    EXPECT_FALSE(rig.line.IsOpen(Side::Program));
    EXPECT_EQ(rig.Tick(), 0);
    EXPECT_EQ(rig.seq->GetState(), clsMainSeq::Ready);
}

TEST(clsMainSeq, CompletedCountWrapsAfter999998) {
    EXPECT_EQ(clsMainSeq::NextCompletedCount(0), 1);
    EXPECT_EQ(clsMainSeq::NextCompletedCount(999997), 999998);
    EXPECT_EQ(clsMainSeq::NextCompletedCount(999998), 0);
}

TEST(clsMainSeq, AnEmbeddedRomBelow4096EndsTheProgram) {
    std::vector<uint8_t> bytes(256, 0x12);
    ApplyImageKey(bytes.data(), bytes.size(), EmbeddedImageKey());
    const LoaderImage rom{0x0F00, 0x0FFF, bytes.data()};
    LoadRig rig(EmbeddedWriterImage(), rom);
    EXPECT_THROW(rig.ReachReady(), platform::FatalError);
    ASSERT_EQ(rig.boxes.fatals.size(), 1u);
    EXPECT_EQ(rig.boxes.fatals[0], "Inside RomImage Error");
    EXPECT_EQ(rig.boxes.boxes.back().caption, "RomCheck");
}

TEST(clsMainSeq, AnAllBlankRomSendsOnlyTheSumFrame) {
    std::vector<uint8_t> bytes(0x1000, 0xFF);
    ApplyImageKey(bytes.data(), bytes.size(), EmbeddedImageKey());
    const LoaderImage rom{0x8000, 0x8FFF, bytes.data()};
    LoadRig rig(EmbeddedWriterImage(), rom);
    rig.ReachReady();
    ASSERT_EQ(rig.Load(), 0);
    EXPECT_EQ(rig.radio.DataFramesStored(), 0);
    EXPECT_TRUE(rig.radio.SumMatched());
    EXPECT_EQ(rig.maxProgress, 255);  // the writer upload; no division by a block total of 0
}

}  // namespace
