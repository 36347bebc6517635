#include "tools/clone_radio/CloneRadio.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tools/clone_radio/CloneCable.h"

namespace {

using sim::CloneCable;
using sim::CloneFault;
using sim::CloneFaultKind;
using sim::CloneRadio;
using sim::EchoFault;
using sim::EchoFaultKind;
using Bytes = std::vector<uint8_t>;

// PC-side frames, written here from the protocol rather than taken from the engine.
Bytes Command(uint8_t command, const Bytes& tail = {}, int preamble = 0) {
    Bytes frame(preamble, 0xFE);
    frame.insert(frame.end(), {0xFE, 0xFE, 0xEE, 0xEF, command, 0x27, 0x26, 0x00, 0x00});
    frame.insert(frame.end(), tail.begin(), tail.end());
    frame.push_back(0xFD);
    return frame;
}

Bytes WakeFrame(uint8_t command, const char* arg) {
    return Command(0xE8, {command, uint8_t(arg[0]), uint8_t(arg[1])}, 18);
}

Bytes Hex(const Bytes& bytes) {
    Bytes text;
    for (uint8_t b : bytes) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02X", b);
        text.insert(text.end(), pair, pair + 2);
    }
    return text;
}

Bytes DataFrame(int address, const Bytes& data) {
    Bytes bytes = {uint8_t(address >> 8), uint8_t(address), uint8_t(data.size())};
    bytes.insert(bytes.end(), data.begin(), data.end());
    uint8_t sum = 0;
    for (uint8_t b : bytes)
        sum += b;
    bytes.push_back(uint8_t(-sum));
    Bytes frame = {0xFE, 0xFE, 0xEE, 0xEF, 0xE4};
    Bytes text = Hex(bytes);
    frame.insert(frame.end(), text.begin(), text.end());
    frame.push_back(0xFD);
    return frame;
}

Bytes EndFrame(int frames) {
    Bytes frame = {0xFE, 0xFE, 0xEE, 0xEF, 0xE5};
    std::string text = "Zelk Inc.";
    char count[3];
    std::snprintf(count, sizeof count, "%02X", frames & 0xFF);
    text += count;
    frame.insert(frame.end(), text.begin(), text.end());
    frame.push_back(0xFD);
    return frame;
}

// Splits what the radio sent into frames (each up to and without FD); stray bytes before a
// frame's FE are kept in front of it so faults that add them show.
std::vector<Bytes> Frames(const Bytes& stream) {
    std::vector<Bytes> frames(1);
    for (uint8_t b : stream) {
        if (b == 0xFD && !frames.back().empty() && frames.back().back() != 0x0D) {
            frames.emplace_back();
        } else {
            frames.back().push_back(b);
        }
    }
    frames.pop_back();
    return frames;
}

struct Decoded {
    int address;
    Bytes data;
    bool sound;
};

Decoded Decode(const Bytes& frame) {
    Bytes bytes;
    bool sound = frame.size() > 4 && (frame.size() - 4) % 2 == 0;
    for (size_t i = 4; sound && i + 1 < frame.size(); i += 2)
        bytes.push_back(
            uint8_t(std::stoi(std::string(frame.begin() + i, frame.begin() + i + 2), nullptr, 16)));
    uint8_t sum = 0;
    for (uint8_t b : bytes)
        sum += b;
    sound = sound && bytes.size() >= 4 && bytes[2] + 4u == bytes.size() && sum == 0;
    if (bytes.size() < 4)
        return {0, {}, false};
    return {bytes[0] << 8 | bytes[1], Bytes(bytes.begin() + 3, bytes.end() - 1), sound};
}

class CloneRadioTest : public ::testing::Test {
protected:
    // Wakes the radio as the program's script does and puts it into clone mode at `rate`.
    void Wake(bool write, uint32_t rate = 38400) {
        cable.Write(WakeFrame(0x01, "27"), 38400);
        cable.Write(WakeFrame(0x55, write ? "01" : "00"), 9600);
        if (rate == 38400)
            cable.Write(WakeFrame(0x01, "09"), 9600);
        ASSERT_EQ(radio.BitRate(), rate);
    }
    // The radio's answer, with the echo taken off the front.
    Bytes Ask(const Bytes& frame, uint32_t rate = 38400) {
        Bytes back = cable.Write(frame, rate).Bytes();
        EXPECT_TRUE(std::equal(frame.begin(), frame.end(), back.begin()));
        return Bytes(back.begin() + std::min(back.size(), frame.size()), back.end());
    }
    std::vector<Bytes> ReadFrames() {
        Wake(false);
        return Frames(Ask(Command(0xE2)));
    }

    CloneRadio radio;
    CloneCable cable{radio};
};

TEST_F(CloneRadioTest, HearsSetUpFramesOnlyAtItsBitRate) {
    EXPECT_EQ(radio.BitRate(), 9600u);
    cable.Write(WakeFrame(0x01, "09"), 38400);  // sent at the wrong rate: noise
    EXPECT_EQ(radio.BitRate(), 9600u);
    cable.Write(WakeFrame(0x55, "00"), 38400);
    EXPECT_EQ(radio.CurrentMode(), CloneRadio::Mode::Normal);
    EXPECT_TRUE(Ask(Command(0xE0), 9600).empty()) << "no answer outside clone mode";
    cable.Write(WakeFrame(0x55, "00"), 9600);
    EXPECT_EQ(radio.CurrentMode(), CloneRadio::Mode::ReadClone);
    cable.Write(WakeFrame(0x01, "09"), 9600);
    EXPECT_EQ(radio.BitRate(), 38400u);
    cable.Write(WakeFrame(0x01, "27"), 38400);
    EXPECT_EQ(radio.BitRate(), 9600u);
}

TEST_F(CloneRadioTest, AnswersTheIdentityRequestWithItsBlock) {
    radio.SetLastAddress(0x0FA0);
    radio.SetRevisions(0x11, 3);
    radio.SetModelBits(0x09);
    Wake(false, 9600);
    Bytes answer = Ask(Command(0xE0, {}, 12), 9600);
    ASSERT_EQ(answer.size(), 4u + 4 + 68 + 1);
    EXPECT_EQ(Bytes(answer.begin(), answer.begin() + 8),
              (Bytes{0xFE, 0xEF, 0xEE, 0xE1, 0x27, 0x26, 0x02, 0x00}));
    EXPECT_EQ(answer.back(), 0xFD);
    Bytes block(answer.begin() + 8, answer.end() - 1);
    EXPECT_EQ(block, radio.IdentityBlock());
    EXPECT_EQ(block[0], 68);
    EXPECT_EQ(std::string(block.begin() + 2, block.begin() + 18), "MERROW CLONE SIM");
    EXPECT_EQ(block[34], 0x11);
    EXPECT_EQ(block[35], 3);
    EXPECT_EQ(block[48], 0x09);
    EXPECT_EQ(std::string(block.begin() + 52, block.begin() + 56), "0FA0");
    for (int i = 56; i < 60; ++i)
        EXPECT_TRUE(std::isxdigit(block[i])) << i;
    EXPECT_EQ(radio.CurrentMode(), CloneRadio::Mode::ReadClone);
}

TEST_F(CloneRadioTest, StreamsItsWholeMemoryForARead) {
    std::vector<Bytes> frames = ReadFrames();
    ASSERT_EQ(frames.size(), 2046u + 1);
    for (size_t i = 0; i + 1 < frames.size(); ++i) {
        Decoded d = Decode(frames[i]);
        ASSERT_TRUE(d.sound) << i;
        ASSERT_EQ(d.address, int(i) * 16);
        ASSERT_EQ(d.data, Bytes(radio.Memory().begin() + d.address,
                                radio.Memory().begin() + d.address + 16));
    }
    std::string end(frames.back().begin() + 4, frames.back().end());
    EXPECT_EQ(end, "Zelk Inc.FE");  // 2046 frames, mod 256
    EXPECT_EQ(radio.CurrentMode(), CloneRadio::Mode::Normal);
}

TEST_F(CloneRadioTest, ReadStreamEndsAtTheLastAddressOfItsData) {
    radio.SetLastAddress(0x0FA0);  // rounded up to the end of its 16-byte line: 0..4015
    radio.SetBytesPerFrame(15);
    std::vector<Bytes> frames = ReadFrames();
    Decoded last = Decode(frames[frames.size() - 2]);
    EXPECT_EQ(last.address + int(last.data.size()) - 1, 4015);
    EXPECT_EQ(last.data.size(), 4016u % 15);
}

// Each read fault, and what it does to the frame it hits.
TEST_F(CloneRadioTest, ReadFaultsHitTheirFrame) {
    struct Case {
        CloneFaultKind kind;
        int index;
        std::function<void(const std::vector<Bytes>&)> check;
    };
    const Bytes garbage = {0x00, 0x55};
    const std::vector<Case> cases = {
        {CloneFaultKind::GarbageBeforeData, 3,
         [&](auto& f) {
             EXPECT_EQ(Bytes(f[3].begin(), f[3].begin() + 3), (Bytes{0, 0x55, 0xFE}));
         }},
        {CloneFaultKind::BadChecksum, 2, [](auto& f) { EXPECT_FALSE(Decode(f[2]).sound); }},
        {CloneFaultKind::WrongLength, 2,
         [](auto& f) {
             EXPECT_FALSE(Decode(f[2]).sound);
             EXPECT_EQ(std::string(f[2].begin() + 8, f[2].begin() + 10), "11");
         }},
        {CloneFaultKind::LowerCaseHex, 1,
         [](auto& f) {
             EXPECT_NE(std::find_if(f[1].begin() + 4, f[1].end(), ::islower), f[1].end());
             EXPECT_EQ(std::find_if(f[0].begin() + 4, f[0].end(), ::islower), f[0].end());
         }},
        {CloneFaultKind::DropFrame, 5,
         [](auto& f) {
             EXPECT_EQ(Decode(f[5]).address, 6 * 16);
             EXPECT_EQ(std::string(f.back().begin() + 4, f.back().end()), "Zelk Inc.FD");
         }},
        {CloneFaultKind::OutsideData, 4,
         [](auto& f) {
             EXPECT_EQ(Decode(f[4]).address, 0x7FDA);
             EXPECT_EQ(Decode(f[5]).address, 4 * 16);
             EXPECT_EQ(std::string(f.back().begin() + 4, f.back().end()), "Zelk Inc.FF");
         }},
        {CloneFaultKind::WrongCount, 0,
         [](auto& f) {
             EXPECT_EQ(std::string(f.back().begin() + 4, f.back().end()), "Zelk Inc.FF");
         }},
        {CloneFaultKind::WrongSignature, 0,
         [](auto& f) {
             EXPECT_EQ(std::string(f.back().begin() + 4, f.back().end()), "zelk Inc.FE");
         }},
        {CloneFaultKind::SilentFromData, 7, [](auto& f) { EXPECT_EQ(f.size(), 7u); }},
        {CloneFaultKind::SilentFromData, 2046, [](auto& f) { EXPECT_EQ(f.size(), 2046u); }},
        {CloneFaultKind::GarbageBeforeEnd, 0, [](auto& f) { EXPECT_EQ(f.back()[0], 0x00); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.kind));
        radio.ClearFaults();
        radio.SetGarbage(garbage);
        radio.AddFault({c.kind, c.index, 0x7FDA});
        c.check(ReadFrames());
    }
}

// A fault given once is a glitch: the next read gets past it; a standing one hits every read.
TEST_F(CloneRadioTest, AFaultGivenOnceHitsOnlyTheFirstExchangeThatReachesIt) {
    radio.AddFault({CloneFaultKind::BadChecksum, 2, 0, true});
    radio.AddFault({CloneFaultKind::LowerCaseHex, 3});
    for (int read = 0; read < 2; ++read) {
        const std::vector<Bytes> frames = ReadFrames();
        EXPECT_EQ(Decode(frames[2]).sound, read == 1) << read;
        EXPECT_NE(std::find_if(frames[3].begin() + 4, frames[3].end(), ::islower), frames[3].end());
    }
}

TEST_F(CloneRadioTest, IdentityFaults) {
    radio.AddFault({CloneFaultKind::GarbageBeforeIdentity});
    radio.SetGarbage({0x11, 0x13});
    Wake(false);
    Bytes answer = Ask(Command(0xE0));
    EXPECT_EQ(Bytes(answer.begin(), answer.begin() + 3), (Bytes{0x11, 0x13, 0xFE}));
    radio.AddFault({CloneFaultKind::SilentIdentity});
    EXPECT_TRUE(Ask(Command(0xE0)).empty());
}

TEST_F(CloneRadioTest, TakesAWriteWithAcknowledgementsAndRoundTrips) {
    Wake(true);
    EXPECT_EQ(Ask(Command(0xE3)), Bytes{0xFB});
    Bytes written(300);
    for (size_t i = 0; i < written.size(); ++i)
        written[i] = uint8_t(0xA0 ^ i);
    std::vector<int> acks;
    int frames = 0;
    // Starts off a 16-byte line, as a range may.
    for (int a = 8; a < 308; a += 16, ++frames) {
        const int n = std::min(16, 308 - a);
        Bytes answer =
            Ask(DataFrame(a, Bytes(written.begin() + a - 8, written.begin() + a - 8 + n)));
        if (!answer.empty()) {
            EXPECT_EQ(answer, Bytes{0xFB});
            acks.push_back(a + n);
        }
    }
    EXPECT_EQ(acks, (std::vector<int>{}));  // 8 + 16k never lands on 96 mod 128
    EXPECT_EQ(Ask(EndFrame(frames)), (Bytes{0xFE, 0xEF, 0xEE, 0xE6, 0x00, 0xFD}));
    EXPECT_EQ(radio.WritesDone(), 1);
    EXPECT_EQ(Bytes(radio.Memory().begin() + 8, radio.Memory().begin() + 308), written);

    // Aligned frames: an acknowledgement after the frame that ends at 95, then every 128 bytes.
    Wake(true);
    Ask(Command(0xE3));
    acks.clear();
    for (int a = 0; a < 512; a += 16)
        if (!Ask(DataFrame(a, Bytes(16, uint8_t(a)))).empty())
            acks.push_back(a + 16);
    EXPECT_EQ(acks, (std::vector<int>{96, 224, 352, 480}));
    EXPECT_EQ(Ask(EndFrame(32)), (Bytes{0xFE, 0xEF, 0xEE, 0xE6, 0x00, 0xFD}));
    std::vector<Bytes> read = ReadFrames();
    EXPECT_EQ(Decode(read[5]).data, Bytes(16, 80));
}

TEST_F(CloneRadioTest, WriteFaults) {
    struct Case {
        CloneFaultKind kind;
        int index;
        Bytes request, firstAck, secondAck, end;
    };
    const Bytes ok = {0xFE, 0xEF, 0xEE, 0xE6, 0x00, 0xFD};
    const Bytes ng = {0xFE, 0xEF, 0xEE, 0xE6, 0x01, 0xFD};
    const std::vector<Case> cases = {
        {CloneFaultKind::RefuseRequest, 0, {0xFA}, {0xFB}, {0xFB}, ok},
        {CloneFaultKind::RefuseAck, 1, {0xFB}, {0xFB}, {0xFA}, ok},
        {CloneFaultKind::SilentRequestAck, 0, {}, {0xFB}, {0xFB}, ok},
        {CloneFaultKind::SilentAck, 0, {0xFB}, {}, {0xFB}, ok},
        {CloneFaultKind::SilentEndAnswer, 0, {0xFB}, {0xFB}, {0xFB}, {}},
        {CloneFaultKind::EndAnswerNg, 0, {0xFB}, {0xFB}, {0xFB}, ng},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.kind));
        radio.ClearFaults();
        radio.AddFault({c.kind, c.index});
        Wake(true);
        EXPECT_EQ(Ask(Command(0xE3)), c.request);
        std::vector<Bytes> acks;
        for (int a = 0; a < 256; a += 16) {
            Bytes answer = Ask(DataFrame(a, Bytes(16, 1)));
            if (a + 16 == 96 || a + 16 == 224)
                acks.push_back(answer);
        }
        EXPECT_EQ(acks, (std::vector<Bytes>{c.firstAck, c.secondAck}));
        EXPECT_EQ(Ask(EndFrame(16)), c.end);
    }
}

TEST_F(CloneRadioTest, RefusesABadDataFrameAndItsEndFrame) {
    Wake(true);
    Ask(Command(0xE3));
    Bytes bad = DataFrame(0, Bytes(16, 2));
    bad[10] = 'a';  // lower-case digit
    EXPECT_TRUE(Ask(bad).empty());
    for (int a = 16; a < 96; a += 16)
        Ask(DataFrame(a, Bytes(16, 2)));
    EXPECT_EQ(Ask(DataFrame(96 - 16, Bytes(16, 2))), Bytes{0xFA});
    EXPECT_EQ(Ask(EndFrame(0)), (Bytes{0xFE, 0xEF, 0xEE, 0xE6, 0x01, 0xFD}));
    EXPECT_EQ(radio.WritesDone(), 0);
    // A wrong frame count is refused too.
    Wake(true);
    Ask(Command(0xE3));
    Ask(DataFrame(0, Bytes(16, 2)));
    EXPECT_EQ(Ask(EndFrame(2)), (Bytes{0xFE, 0xEF, 0xEE, 0xE6, 0x01, 0xFD}));
}

TEST_F(CloneRadioTest, CableSplicesTheAnswerAfterTheEchoOfTheClosingByte) {
    Wake(false);
    Bytes request = Command(0xE0);
    Bytes twice = request;
    twice.insert(twice.end(), request.begin(), request.end());
    Bytes back = cable.Write(twice, 38400).Bytes();
    Bytes answer = Frames(Bytes(back.begin() + request.size(), back.end()))[0];
    ASSERT_EQ(back.size(), 2 * request.size() + 2 * (answer.size() + 1));
    EXPECT_TRUE(std::equal(request.begin(), request.end(), back.begin()));
    EXPECT_EQ(back[request.size()], 0xFE);
    EXPECT_EQ(back[request.size() + answer.size()], 0xFD);
    EXPECT_TRUE(std::equal(request.begin(), request.end(),
                           back.begin() + request.size() + answer.size() + 1));
}

TEST_F(CloneRadioTest, EchoFaultsHitTheCommandByteOfTheirFrame) {
    const Bytes request = Command(0xE0);
    const size_t at = 4;  // the command byte
    struct Case {
        EchoFaultKind kind;
        Bytes expected;
    };
    Bytes wrong = request;
    wrong[at] ^= 0x20;
    Bytes missing(request.begin(), request.begin() + at);
    Bytes swapped = request;
    std::swap(swapped[at], swapped[at + 1]);
    for (const Case& c : {Case{EchoFaultKind::Wrong, wrong}, Case{EchoFaultKind::Missing, missing},
                          Case{EchoFaultKind::Swapped, swapped}}) {
        CloneRadio quiet;
        CloneCable line(quiet);
        line.AddFault({c.kind, 0xE0, 1});
        EXPECT_EQ(line.Write(request, 9600).Bytes(), request) << "the first E0 frame is not hit";
        EXPECT_EQ(line.Write(request, 9600).Bytes(), c.expected);
        EXPECT_EQ(line.Write(request, 9600).Bytes(), request);
    }
}

TEST_F(CloneRadioTest, MemoryFileRoundTrip) {
    const std::string path = ::testing::TempDir() + "clone_radio_memory.bin";
    radio.Memory()[100] = 0x5A;
    ASSERT_TRUE(radio.SaveMemory(path));
    CloneRadio other;
    ASSERT_TRUE(other.LoadMemory(path));
    EXPECT_EQ(other.Memory(), radio.Memory());
    std::FILE* file = std::fopen(path.c_str(), "wb");
    std::fputs("short", file);
    std::fclose(file);
    other.Memory()[100] = 1;
    EXPECT_FALSE(other.LoadMemory(path));
    EXPECT_EQ(other.Memory()[100], 1);
    EXPECT_FALSE(other.LoadMemory(path + ".none"));
    std::remove(path.c_str());
}

}  // namespace
