// The simulated clone radio as a program on the master side of a pty, for end-to-end runs of
// the cloning program and for benchmarks. Prints the slave device's path, then serves until
// SIGINT or SIGTERM; then prints the bytes it sent, their time on the line and the pauses
// before its answers (paced only). Without a memory file it is a radio of the model type
// (--model, PMR by default) set up with a few channels, which a clone read takes as it is.
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tools/clone_bench/RadioMemory.h"
#include "tools/clone_radio/CloneCable.h"
#include "tools/clone_radio/CloneRadio.h"
#include "tools/clone_radio/PtyPeer.h"

namespace {

volatile std::sig_atomic_t stop = 0;

void OnSignal(int) {
    stop = 1;
}

struct FaultName {
    const char* name;
    sim::CloneFaultKind kind;
};
constexpr FaultName kFaults[] = {
    {"garbage-identity", sim::CloneFaultKind::GarbageBeforeIdentity},
    {"garbage-data", sim::CloneFaultKind::GarbageBeforeData},
    {"garbage-end", sim::CloneFaultKind::GarbageBeforeEnd},
    {"bad-checksum", sim::CloneFaultKind::BadChecksum},
    {"lower-case", sim::CloneFaultKind::LowerCaseHex},
    {"wrong-length", sim::CloneFaultKind::WrongLength},
    {"drop-frame", sim::CloneFaultKind::DropFrame},
    {"outside-data", sim::CloneFaultKind::OutsideData},
    {"wrong-count", sim::CloneFaultKind::WrongCount},
    {"wrong-signature", sim::CloneFaultKind::WrongSignature},
    {"refuse-request", sim::CloneFaultKind::RefuseRequest},
    {"refuse-ack", sim::CloneFaultKind::RefuseAck},
    {"end-ng", sim::CloneFaultKind::EndAnswerNg},
    {"silent-identity", sim::CloneFaultKind::SilentIdentity},
    {"silent-data", sim::CloneFaultKind::SilentFromData},
    {"silent-request-ack", sim::CloneFaultKind::SilentRequestAck},
    {"silent-ack", sim::CloneFaultKind::SilentAck},
    {"noisy-ack", sim::CloneFaultKind::NoiseBeforeAck},
    {"silent-end-answer", sim::CloneFaultKind::SilentEndAnswer},
};

// The model types by name, with the model bits of the radio's identity block.
struct ModelName {
    const char* name;
    ModelType model;
    uint8_t bits;
};
constexpr ModelName kModels[] = {
    {"lmr", MT_Lmr, 0x00},        {"pmr", MT_Pmr, 0x01},        {"vask-pmr", MT_VaskPmr, 0x09},
    {"mdc-lmr", MT_MdcLmr, 0x20}, {"mdc-pmr", MT_MdcPmr, 0x21},
};

const ModelName* FindModel(const std::string& name) {
    for (const ModelName& m : kModels) {
        if (name == m.name)
            return &m;
    }
    return nullptr;
}

struct EchoFaultName {
    const char* name;
    sim::EchoFaultKind kind;
};
constexpr EchoFaultName kEchoFaults[] = {
    {"wrong", sim::EchoFaultKind::Wrong},
    {"missing", sim::EchoFaultKind::Missing},
    {"swapped", sim::EchoFaultKind::Swapped},
};

void Usage() {
    std::fprintf(stderr,
                 "usage: clone_radio_pty [--pace] [--link PATH] [--memory FILE] [--save FILE]\n"
                 "         [--model lmr|pmr|vask-pmr|mdc-lmr|mdc-pmr]\n"
                 "         [--rate BITS] [--last HEX] [--fault NAME[:INDEX[:ADDRESS]]]...\n"
                 "         [--fault-once NAME[:INDEX[:ADDRESS]]]...\n"
                 "         [--echo-fault wrong|missing|swapped:COMMAND[:INDEX]]...\n"
                 "faults:");
    for (const FaultName& f : kFaults)
        std::fprintf(stderr, " %s", f.name);
    std::fprintf(stderr, "\n");
}

// NAME[:A[:B]], numbers in C notation.
bool SplitFault(const std::string& text, std::string& name, long& a, long& b) {
    const size_t colon = text.find(':');
    name = text.substr(0, colon);
    if (colon == std::string::npos)
        return true;
    char* end = nullptr;
    a = std::strtol(text.c_str() + colon + 1, &end, 0);
    if (*end == ':')
        b = std::strtol(end + 1, &end, 0);
    return *end == '\0';
}

bool AddFault(sim::CloneRadio& radio, const std::string& text, bool once) {
    std::string name;
    long index = 0, address = 0;
    if (!SplitFault(text, name, index, address))
        return false;
    for (const FaultName& f : kFaults) {
        if (name == f.name) {
            radio.AddFault({f.kind, static_cast<int>(index), static_cast<int>(address), once});
            return true;
        }
    }
    return false;
}

bool AddEchoFault(sim::CloneCable& cable, const std::string& text) {
    std::string name;
    long command = -1, index = 0;
    if (!SplitFault(text, name, command, index) || command < 0 || command > 255)
        return false;
    for (const EchoFaultName& f : kEchoFaults) {
        if (name == f.name) {
            cable.AddFault({f.kind, static_cast<uint8_t>(command), static_cast<int>(index)});
            return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    sim::CloneRadio radio;
    sim::CloneCable cable(radio);
    sim::PtyPeer peer(cable);
    std::string link, save;
    const ModelName* model = FindModel("pmr");
    bool memoryGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--pace") {
            peer.SetPaced(true);
        } else if (arg == "--link" && hasValue) {
            link = argv[++i];
        } else if (arg == "--memory" && hasValue) {
            if (!radio.LoadMemory(argv[++i])) {
                std::fprintf(stderr, "clone_radio_pty: %s is not a memory file of %d bytes\n",
                             argv[i], sim::CloneRadio::kMemorySize);
                return 1;
            }
            memoryGiven = true;
        } else if (arg == "--model" && hasValue && FindModel(argv[i + 1])) {
            model = FindModel(argv[++i]);
        } else if (arg == "--save" && hasValue) {
            save = argv[++i];
        } else if (arg == "--rate" && hasValue) {
            radio.SetBitRate(static_cast<uint32_t>(std::strtoul(argv[++i], nullptr, 10)));
        } else if (arg == "--last" && hasValue) {
            radio.SetLastAddress(static_cast<int>(std::strtol(argv[++i], nullptr, 16)));
        } else if ((arg == "--fault" || arg == "--fault-once") && hasValue &&
                   AddFault(radio, argv[i + 1], arg == "--fault-once")) {
            ++i;
        } else if (arg == "--echo-fault" && hasValue && AddEchoFault(cable, argv[i + 1])) {
            ++i;
        } else {
            Usage();
            return 2;
        }
    }
    radio.SetModelBits(model->bits);
    if (!memoryGiven) {
        radio.Memory() = bench::RadioMemory(model->model, bench::kDefaultRadioChannels);
        if (radio.Memory().size() != static_cast<size_t>(sim::CloneRadio::kMemorySize)) {
            std::fprintf(stderr, "clone_radio_pty: cannot set up the %s radio\n", model->name);
            return 1;
        }
    }
    if (!save.empty()) {
        radio.SetOnWriteDone([&] {
            if (!radio.SaveMemory(save))
                std::fprintf(stderr, "clone_radio_pty: cannot save %s\n", save.c_str());
        });
    }
    if (!peer.Open())
        return 1;
    if (!link.empty()) {
        unlink(link.c_str());
        if (symlink(peer.SlavePath().c_str(), link.c_str()) != 0) {
            std::perror("clone_radio_pty: link");
            return 1;
        }
    }
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    std::printf("%s\n", peer.SlavePath().c_str());
    std::fflush(stdout);
    while (!stop)
        peer.Serve(20);
    if (!link.empty())
        unlink(link.c_str());
    std::printf("sent %llu bytes, %.3f s on the line and %.3f s of pauses before answers\n",
                static_cast<unsigned long long>(peer.BytesSent()), peer.WireSeconds(),
                peer.PauseSeconds());
    return 0;
}
