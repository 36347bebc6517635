#include "tools/clone_radio/CloneCable.h"

namespace sim {

std::vector<uint8_t> CloneCable::Write(const uint8_t* bytes, size_t n, uint32_t bitRate) {
    std::vector<uint8_t> out;
    for (size_t i = 0; i < n; ++i) {
        Echo(bytes[i], out);
        const std::vector<uint8_t> answer = radio_.Hear(bytes[i], bitRate);
        out.insert(out.end(), answer.begin(), answer.end());
    }
    return out;
}

void CloneCable::Echo(uint8_t byte, std::vector<uint8_t>& out) {
    // A command byte is the one after EE EF, the frame header from the PC.
    const bool isCommand = previous_[0] == 0xEE && previous_[1] == 0xEF;
    previous_[0] = previous_[1];
    previous_[1] = byte;
    const EchoFault* fault = isCommand ? FaultAtCommand(byte) : nullptr;
    if (fault && fault->kind == EchoFaultKind::Missing)
        muted_ = true;
    if (muted_) {
        if (byte == 0xFD)
            muted_ = false;
        return;
    }
    if (fault && fault->kind == EchoFaultKind::Swapped) {
        held_ = byte;
        return;
    }
    out.push_back(fault && fault->kind == EchoFaultKind::Wrong ? byte ^ 0x20 : byte);
    if (held_) {
        out.push_back(*held_);
        held_.reset();
    }
}

const EchoFault* CloneCable::FaultAtCommand(uint8_t command) {
    const int index = commandsSeen_[command]++;
    for (const EchoFault& fault : faults_)
        if (fault.command == command && fault.index == index)
            return &fault;
    return nullptr;
}

}  // namespace sim
