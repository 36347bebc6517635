#include "tools/boot_radio/BootRadioOptions.h"

#include <cstdlib>

namespace {

bool ToNumber(const std::string& text, long& value) {
    if (text.empty()) {
        return false;
    }
    char* end = nullptr;
    value = std::strtol(text.c_str(), &end, 10);
    return *end == '\0' && value >= 0;
}

}  // namespace

const char* BootRadioOptions::Usage() {
    return "usage: boot_radio_pty [--rate BITS] [--loads N] [--answer-pause BYTES]\n"
           "                      [--fault NAME[=N]]...\n"
           "faults: no-echo, wrong-echo=BYTE, no-boot-answer, late-boot=MS, slow-boot=PROBES,\n"
           "        no-zero, double-zero, wrong-length, no-product=0..3, refuse-ack=FRAME,\n"
           "        miss-ack=FRAME\n";
}

bool BootRadioOptions::Parse(const std::vector<std::string>& args, std::string& error) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (i + 1 == args.size() ||
            (arg != "--rate" && arg != "--loads" && arg != "--answer-pause" && arg != "--fault")) {
            error = "bad argument: " + arg;
            return false;
        }
        const std::string& value = args[++i];
        long n = 0;
        if (arg == "--fault") {
            if (!ParseFault(value, error)) {
                return false;
            }
        } else if (!ToNumber(value, n)) {
            error = "bad number: " + value;
            return false;
        } else if (arg == "--rate") {
            bitRate = static_cast<uint32_t>(n);
        } else if (arg == "--answer-pause") {
            faults.answerPauseBytes = static_cast<int>(n);
        } else {
            loads = static_cast<int>(n);
        }
    }
    return true;
}

bool BootRadioOptions::ParseFault(const std::string& spec, std::string& error) {
    const size_t eq = spec.find('=');
    const std::string name = spec.substr(0, eq);
    long n = 0;
    const bool hasNumber = eq != std::string::npos && ToNumber(spec.substr(eq + 1), n);
    using Zero = BootRadioFaults::ZeroAnswer;
    using Ack = BootRadioFaults::Ack;
    if (name == "no-echo") {
        faults.noEcho = true;
    } else if (name == "no-boot-answer") {
        faults.noBootAnswer = true;
    } else if (name == "no-zero") {
        faults.zeroAnswer = Zero::None;
    } else if (name == "double-zero") {
        faults.zeroAnswer = Zero::Doubled;
    } else if (name == "wrong-length") {
        faults.wrongLengthEcho = true;
    } else if (!hasNumber) {
        error = "unknown fault or missing number: " + spec;
        return false;
    } else if (name == "wrong-echo") {
        faults.wrongEchoAt = n;
    } else if (name == "late-boot") {
        faults.bootAnswerDelayMs = static_cast<uint32_t>(n);
    } else if (name == "slow-boot") {
        faults.ignoredProbes = n;
    } else if (name == "no-product" && n <= 3) {
        faults.missingProductReply = static_cast<int>(n);
    } else if (name == "refuse-ack" || name == "miss-ack") {
        faults.badAckFrame = n;
        faults.badAck = name == "refuse-ack" ? Ack::Refused : Ack::Missing;
    } else {
        error = "unknown fault: " + spec;
        return false;
    }
    return true;
}
