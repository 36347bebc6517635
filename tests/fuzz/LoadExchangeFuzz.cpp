// The firmware loader on the serial line, and how a load walks the S-record data: the input
// gives a ROM image file (or none: the embedded image), the boot radio's faults, a Cancel and
// faults of the line back to the loader. The loader's own driver runs it, as its window does.
// A file the loader refuses leaves the ROM store as it was, one it takes is the store read
// whole; every load ends, in an error or completed, with the port closed; a completed load
// over a sound line leaves the radio's flash as the ROM store.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "common/cmcTask.h"
#include "loader/LoaderTextTable.h"
#include "loader/SequenceMemo.h"
#include "loader/clsEnviron.h"
#include "loader/clsGTex.h"
#include "loader/clsMainSeq.h"
#include "loader/clsMotS.h"
#include "loader/clsSequenceDriver.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/fuzz/InputReader.h"
#include "tests/fuzz/LineEdits.h"
#include "tests/fuzz/ProgramBoxes.h"
#include "tests/support/FakeSerialLine.h"
#include "tests/support/VirtualTime.h"
#include "tools/boot_radio/BootRadio.h"

namespace {

using Bytes = std::vector<uint8_t>;
using testsupport::FakeSerialLine;

constexpr int kTickLimit = 400000;

// The memo counts the errors the driver frames in it.
class ErrorMemo : public SequenceMemo {
public:
    void AppendText(const std::string&) override { ++errors; }
    void AddLine(const std::string&) override {}
    void AppendToLastLine(const std::string&) override {}
    void CaretToEnd() override {}
    void EndProgram() override {}

    int errors = 0;
};

BootRadioFaults TakeFaults(fuzz::InputReader& input) {
    BootRadioFaults faults;
    const int chosen = input.Number(0, 0xFFF);
    auto has = [chosen](int bit) { return (chosen >> bit & 1) != 0; };
    if (has(0)) {
        faults.answerPauseBytes = input.Number(0, 4);
    }
    faults.noEcho = has(1);
    if (has(2)) {
        faults.wrongEchoAt = input.Number(0, 6000);
    }
    faults.noBootAnswer = has(3);
    if (has(4)) {
        faults.bootAnswerDelayMs = static_cast<uint32_t>(input.Number(0, 3000));
    }
    if (has(5)) {
        faults.ignoredProbes = input.Number(0, 5);
    }
    if (has(6)) {
        faults.zeroAnswer = static_cast<BootRadioFaults::ZeroAnswer>(input.Number(0, 2));
    }
    faults.wrongLengthEcho = has(7);
    if (has(8)) {
        faults.missingProductReply = input.Number(0, 3);
    }
    if (has(9)) {
        faults.badAckFrame = input.Number(0, 2100);
        faults.badAck = static_cast<BootRadioFaults::Ack>(input.Number(1, 2));
    }
    return faults;
}

Bytes StoreBytes(const clsMotS& store) {
    Bytes bytes(clsMotS::kWindowSize);
    for (int a = 0; a < clsMotS::kWindowSize; ++a) {
        bytes[static_cast<size_t>(a)] = store.GetByte(a);
    }
    return bytes;
}

// The file read whole by a store of its own; none when it is not a whole image placed above
// the loader's own area.
std::optional<Bytes> ReadWhole(const std::string& path) {
    clsMotS store;
    store.Clear(0xFF);
    store.OpenFile(path);
    int result = 0;
    for (int n = 0; n < 1000000 && result < clsMotS::kEnd; ++n) {
        result = store.ReadRecord();
    }
    if (result != clsMotS::kEnd || store.GetLowest() <= 4095) {
        return std::nullopt;
    }
    return StoreBytes(store);
}

// The loader and the radio on the line: one tick is one driver tick and a millisecond, after
// which the radio answers what reached it, through the line's faults.
struct Bench {
    explicit Bench(const BootRadioFaults& faults) : radio(faults) {
        texts.SetLines(kLoaderTextTable);
        platform::SerialSettings settings;
        settings.bitRate = 38400;
        line.Peer().Open();
        line.Peer().Apply(settings);
    }

    void Tick() {
        driver.SequenceTick();
        time.Advance(1);
        uint8_t buffer[4096];
        const int n = line.Peer().Read(buffer, sizeof buffer);
        line.SendFromPeer(edits.Apply(radio.Receive(buffer, n > 0 ? n : 0, time.Now())));
    }
    // Ticks until done holds; false when the limit came first.
    template <class Done>
    bool RunUntil(Done done) {
        for (int n = 0; n < kTickLimit; ++n) {
            if (done()) {
                return true;
            }
            Tick();
        }
        return false;
    }

    testsupport::VirtualTime time{1000};
    FakeSerialLine line;
    clsGTex texts;
    BootRadio radio;
    fuzz::LineEdits edits;
    clsMainSeq sequence{texts};
    ErrorMemo memo;
    clsSequenceDriver driver{sequence, texts, Environment(), memo};

    static clsEnviron& Environment() {
        static clsEnviron environ("Zelk Fennmoor Fuzz Mutex");
        return environ;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::ProgramBoxes boxes;
    fuzz::InputReader input(data, size);
    Bench bench(TakeFaults(input));
    bench.edits.Take(input, 4, 20000);
    const int cancelAt = input.Flag() ? input.Number(0, 30000) : -1;  // ticks; -1: never
    const bool fromFile = input.Flag();
    const std::string rom(input.Rest());
    clsMainSeq& sequence = bench.sequence;
    fuzz::Check(bench.RunUntil([&] { return sequence.GetState() == clsMainSeq::Ready; }),
                "the loader gets ready");

    if (fromFile) {
        const Bytes before = StoreBytes(sequence.GetRomStore());
        const std::string& path = fuzz::WriteScratchFile(
            reinterpret_cast<const uint8_t*>(rom.data()), rom.size(), ".mot");
        const std::optional<Bytes> whole = ReadWhole(path);
        // Start in Standby reads the file named.
        sequence.StopAndForgetFile();
        sequence.SetRomFileName(path);
        sequence.Start();
        fuzz::Check(bench.RunUntil([&] { return sequence.GetState() == clsMainSeq::Ready; }),
                    "a file is read to its end");
        fuzz::Check(StoreBytes(sequence.GetRomStore()) == (whole ? *whole : before),
                    "the ROM store is the file read whole, or stays as it was");
        if (!whole) {
            return 0;
        }
    }
    const int errors = bench.memo.errors;
    sequence.Start();
    int ticks = 0;
    const bool ended = bench.RunUntil([&] {
        if (++ticks == cancelAt) {
            sequence.Cancel();
        }
        return sequence.GetCompletedCount() == 1 ||
               (ticks > 1 && sequence.GetState() == clsMainSeq::Ready) ||
               bench.memo.errors != errors;
    });
    fuzz::Check(ended, "a load ends");
    bench.Tick();
    fuzz::Check(sequence.GetProgress() >= 0 && sequence.GetProgress() <= 255,
                "the progress is 0 to 255");
    if (sequence.GetState() == clsMainSeq::Ready) {
        fuzz::Check(!bench.line.IsOpen(FakeSerialLine::Side::Program), "the port closes");
    }
    if (sequence.GetCompletedCount() == 1 && bench.edits.Empty()) {
        fuzz::Check(bench.radio.Flash() == StoreBytes(sequence.GetRomStore()),
                    "a completed load leaves the flash as the ROM store");
    }
    return 0;
}
