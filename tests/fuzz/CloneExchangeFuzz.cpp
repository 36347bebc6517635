// The clone engine on the serial line, through the program's clone commands: a read, a write
// or an information exchange with the simulated radio behind a fake line, at either speed.
// The input chooses the document, the radio's memory and identity (words, revisions, last
// address), the radio's and the cable's faults, a Cancel, and faults of the line back to the
// program (bytes changed, dropped, put in, pauses). Whatever comes back: the exchange ends,
// closes the port, unlocks the window and closes its progress; only a read changes the
// document, and only with what the radio holds when the line was sound; no data frame leaves
// the radio part, none reaches the maker's bytes outside maker mode; a read changes nothing
// in the radio.
#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/cmcGTex.h"
#include "common/cmcTask.h"
#include "radio/clone/CloneFrameCollector.h"
#include "radio/clone/CloneFrames.h"
#include "radio/clone/indCloneCommands.h"
#include "radio/clone/indCloneMan.h"
#include "radio/host/CloneCommandHost.h"
#include "radio/host/CloneDocument.h"
#include "radio/host/CloneProgressView.h"
#include "radio/host/MainWindowLock.h"
#include "radio/host/indEnviron.h"
#include "radio/image/ImageLayout.h"
#include "radio/packing/ImageCheck.h"
#include "radio/packing/ImageFinalise.h"
#include "radio/packing/ImagePacking.h"
#include "radio/packing/NewerDataLockout.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/fuzz/InputReader.h"
#include "tests/fuzz/LineEdits.h"
#include "tests/fuzz/ProgramBoxes.h"
#include "tests/support/ChannelBank.h"
#include "tests/support/FakeSerialLine.h"
#include "tests/support/ScopedEnvFolder.h"
#include "tests/support/ScopedInstall.h"
#include "tests/support/VirtualTime.h"
#include "tools/clone_radio/CloneCable.h"
#include "tools/clone_radio/CloneRadio.h"
#include "tools/initial_files/InitialImage.h"

namespace {

using Bytes = std::vector<uint8_t>;
using testsupport::FakeSerialLine;

constexpr int kModelTypes = 5;
constexpr int kMakerBytes = 256;
constexpr uint32_t kLimitMs = 900000;
constexpr uint8_t kCommands[] = {CloneFrames::kInfoRequest, CloneFrames::kReadRequest,
                                 CloneFrames::kWriteRequest, CloneFrames::kData,
                                 CloneFrames::kEndFrame};

// A model type's default image as the program keeps it: working tables reset.
const cmcEeprom& Defaults(ModelType model) {
    static std::map<int, cmcEeprom> images;
    cmcEeprom& image = images[model];
    if (image.GetSize() == 0) {
        fuzz::Check(initial::BuildInitialImage(model, image), "the initial image builds");
        UnpackImage(image, model, UNPACK_Reset);
    }
    return image;
}

// A document of the model type with channels in bank 0, packed as a save leaves it.
const cmcEeprom& Document(ModelType model, int channels) {
    static std::map<std::pair<int, int>, cmcEeprom> images;
    cmcEeprom& image = images[{model, channels}];
    if (image.GetSize() == 0) {
        image.Assign(Defaults(model));
        testsupport::FillFirstBank(image, model, channels);
        FinaliseImage(image, Defaults(model), model, FINALISE_GoingOut);
    }
    return image;
}

// The application object's document as the clone commands see it; taking in is as the
// program does it. It keeps the radio part it was handed, before reconciling.
class FuzzDocument : public CloneDocument {
public:
    cmcEeprom& CurrentImage() override { return image; }
    const cmcEeprom& DefaultImage() override { return Defaults(model); }
    ModelType CurrentModelType() override { return model; }
    bool IsMakerMode() override { return maker; }
    void DetectModel(cmcEeprom& taken) override {
        handed = Bytes(taken.GetData(), taken.GetData() + layout::kRadioPartSize);
        model = ModelTypeFromImage(taken);
        FinaliseImage(taken, Defaults(model), model, FINALISE_TakenIn);
    }
    int CheckImage(const cmcEeprom& taken, bool full) override {
        return ::CheckImage(taken, image, full);
    }
    bool IsNewerData(const cmcEeprom& taken) override { return ::IsNewerData(taken); }
    void SetModified() override { modified = true; }
    void ClearModified() override { modified = false; }
    void SetFileName(const std::string& name) override { fileName = name; }

    cmcEeprom image;
    ModelType model = MT_Lmr;
    bool maker = false;
    bool modified = false;
    std::string fileName = "radio.tov";
    std::optional<Bytes> handed;
};

class FuzzHost : public CloneCommandHost {
public:
    bool ConfirmDiscard() override { return true; }
    bool ConfirmMakerWrite() override { return true; }
    void ClosePopups() override {}
    void CloseSheet() override {}
    int CountDataErrors() override { return 0; }
    void ShowCloneInformation(const CloneIdentityBlock& block) override {
        fuzz::Check(block[identity::kLength] == identity::kSize, "a shown identity is whole");
    }
};

class FuzzWindow : public MainWindowLock, public CloneProgressView {
public:
    void Lock() override { ++locks; }
    void Unlock() override { ++unlocks; }
    void Open(std::function<void()> cancel) override {
        ++opens;
        cancel_ = std::move(cancel);
    }
    void Show(const CloneProgress&) override {}
    void Close() override {
        ++closes;
        cancel_ = nullptr;
    }
    void PressCancel() {
        if (cancel_) {
            cancel_();
        }
    }

    int locks = 0;
    int unlocks = 0;
    int opens = 0;
    int closes = 0;

private:
    std::function<void()> cancel_;
};

// The radio and its cable on the peer end of the line: every millisecond it takes what has
// arrived at the program's bit rate and sends back the echo and the answers, through the
// line's faults.
class FuzzPeer {
public:
    FuzzPeer(FakeSerialLine& line, sim::CloneCable& cable, fuzz::LineEdits& edits)
        : line_(line), cable_(cable), edits_(edits), task_(new cmcTask) {
        line_.Peer().Open();
        task_->SetHandler([this](cmcTask*) { Pump(); });
        task_->SetInterval(1);
    }
    ~FuzzPeer() {
        task_->SetInterval(-1);
        cmcTask::Dispose(task_);
    }
    FuzzPeer(const FuzzPeer&) = delete;
    FuzzPeer& operator=(const FuzzPeer&) = delete;

private:
    void Pump() {
        platform::SerialDevice& peer = line_.Peer();
        const platform::SerialSettings settings = line_.Settings(FakeSerialLine::Side::Program);
        if (line_.Settings(FakeSerialLine::Side::Peer).bitRate != settings.bitRate) {
            peer.Apply(settings);
        }
        uint8_t chunk[4096];
        for (int n; (n = peer.Read(chunk, sizeof chunk)) > 0;) {
            line_.SendFromPeer(
                edits_.Apply(cable_.Write(chunk, static_cast<size_t>(n), settings.bitRate)));
        }
    }

    FakeSerialLine& line_;
    sim::CloneCable& cable_;
    fuzz::LineEdits& edits_;
    cmcTask* task_;
};

void SetUpRadio(fuzz::InputReader& input, sim::CloneRadio& radio) {
    const auto model = static_cast<ModelType>(input.Number(0, kModelTypes - 1));
    const cmcEeprom& image = Document(model, input.Number(0, 6));
    std::copy_n(image.GetData(), sim::CloneRadio::kMemorySize, radio.Memory().begin());
    for (int n = input.Number(0, 16); n > 0; --n) {
        const int address = input.Number(0, sim::CloneRadio::kMemorySize - 1);
        radio.Memory()[static_cast<size_t>(address)] = input.Byte();
    }
    if (input.Flag()) {
        const int word0 = input.Number(0, 0xFFFF);
        radio.SetIdentityWords(static_cast<uint16_t>(word0),
                               static_cast<uint16_t>(input.Number(0, 0xFFFF)));
    }
    if (input.Flag()) {
        const uint8_t revision = input.Byte();
        radio.SetRevisions(revision, static_cast<uint8_t>(input.Number(0, 7)));
    }
    if (input.Flag()) {
        radio.SetLastAddress(input.Number(0, 0xFFFF));
    }
    if (input.Flag()) {
        radio.SetBytesPerFrame(input.Number(1, 32));
    }
    if (input.Flag()) {
        radio.SetGarbage(input.Bytes(static_cast<size_t>(input.Number(0, 8))));
    }
    for (int n = input.Number(0, 3); n > 0; --n) {
        const auto kind = static_cast<sim::CloneFaultKind>(
            input.Number(0, static_cast<int>(sim::CloneFaultKind::SilentEndAnswer)));
        const int index = input.Number(0, 2100);
        radio.AddFault({kind, index, input.Number(0, 0xFFFF)});
    }
}

void SetUpCable(fuzz::InputReader& input, sim::CloneCable& cable) {
    for (int n = input.Number(0, 2); n > 0; --n) {
        const auto kind = static_cast<sim::EchoFaultKind>(input.Number(0, 2));
        const uint8_t command = kCommands[input.Number(0, std::size(kCommands) - 1)];
        cable.AddFault({kind, command, input.Number(0, 3)});
    }
}

// The data frames the program wrote: every address they carry lies within first..last.
void CheckWrittenFrames(const Bytes& written, int first, int last) {
    CloneFrameCollector collector;
    for (uint8_t byte : written) {
        if (collector.Take(byte) != CloneFrameCollector::Result::Frame) {
            continue;
        }
        const std::vector<uint8_t>& frame = collector.Frame();
        if (frame.size() < 4 || frame[3] != CloneFrames::kData) {
            continue;
        }
        const CloneFrames::DataText text =
            CloneFrames::DecodeDataText(frame.data() + 4, static_cast<int>(frame.size()) - 4);
        const int end = text.address + static_cast<int>(text.data.size()) - 1;
        fuzz::Check(text.code != 0 || text.data.empty() || (text.address >= first && end <= last),
                    "a data frame the program writes stays within the ranges");
    }
}

// What stays the same for the whole process: the text table and the settings.
struct Program {
    Program() { table.SetFileName(MERROW_DATA_DIR "/Tarnwick.OVL"); }
    testsupport::ScopedEnvFolder runtime{"XDG_RUNTIME_DIR", "tarnwick-clone-fuzz-"};
    cmcGTex table;
    testsupport::ScopedMainGTex tableInstalled{&table};
    indEnviron settings{"Tarnwick clone fuzz lock", "Software\\Zelk\\Tarnwick", {1280, 1024}};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Program program;
    fuzz::ProgramBoxes boxes;
    fuzz::InputReader input(data, size);
    const int command = input.Number(0, 2);
    program.settings.portNumber = 1;
    program.settings.highSpeed = input.Flag() ? 1 : 0;
    FuzzDocument document;
    document.maker = input.Flag();
    document.model = static_cast<ModelType>(input.Number(0, kModelTypes - 1));
    document.image.Assign(Document(document.model, input.Number(0, 6)));
    const Bytes documentBefore(document.image.GetData(),
                               document.image.GetData() + document.image.GetSize());

    testsupport::VirtualTime time;
    FakeSerialLine line;
    sim::CloneRadio radio;
    sim::CloneCable cable{radio};
    SetUpRadio(input, radio);
    SetUpCable(input, cable);
    const int cancelAt = input.Flag() ? input.Number(0, 40000) : -1;  // ms; -1: never
    fuzz::LineEdits edits;
    edits.Take(input, 6, 120000);
    const Bytes radioBefore = radio.Memory();

    FuzzPeer peer(line, cable, edits);
    FuzzWindow window;
    FuzzHost host;
    indCloneMan manager(program.settings, window, window);
    indCloneCommands commands(manager, document, host);
    command == 0   ? commands.CloneRead()
    : command == 1 ? commands.CloneWrite()
                   : commands.CloneInfo();
    if (cancelAt >= 0) {
        time.RunUntil([] { return false; }, static_cast<uint32_t>(cancelAt));
        window.PressCancel();
    }
    fuzz::Check(time.RunUntil([&] { return !manager.IsBusy(); }, kLimitMs), "the exchange ends");
    time.Advance(50);

    fuzz::Check(!manager.IsBusy() && !line.IsOpen(FakeSerialLine::Side::Program),
                "the port closes at the end");
    fuzz::Check(window.locks == window.unlocks && window.opens == window.closes,
                "the window is unlocked and the progress closed");
    const Bytes documentAfter(document.image.GetData(),
                              document.image.GetData() + document.image.GetSize());
    if (command != 0 || !document.handed) {
        fuzz::Check(documentAfter == documentBefore && !document.modified,
                    "only a read changes the document");
    } else if (edits.Empty()) {
        const size_t end = static_cast<size_t>(commands.ReadEndAddress()) + 1;
        fuzz::Check(std::equal(document.handed->begin(), document.handed->begin() + end,
                               radio.Memory().begin()),
                    "a read takes in what the radio holds");
    }
    if (command != 1) {
        fuzz::Check(radio.Memory() == radioBefore, "only a write changes the radio");
    } else {
        const int first = document.maker ? 0 : kMakerBytes;
        CheckWrittenFrames(line.Written(FakeSerialLine::Side::Program), first,
                           layout::kRadioPartLast);
        fuzz::Check(document.maker || std::equal(radioBefore.begin(), radioBefore.begin() + first,
                                                 radio.Memory().begin()),
                    "a write outside maker mode leaves the maker's bytes alone");
    }
    return 0;
}
