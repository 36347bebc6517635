#include "tools/clone_radio/CloneCable.h"

namespace sim {

LineOutput CloneCable::Write(const uint8_t* bytes, size_t n, uint32_t bitRate) {
    LineOutput out;
    for (size_t i = 0; i < n; ++i) {
        Echo(bytes[i], out);
        out.AddAnswer(radio_.Hear(bytes[i], bitRate), answerPause_);
    }
    return out;
}

void CloneCable::Echo(uint8_t byte, LineOutput& out) {
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
    out.Add(fault && fault->kind == EchoFaultKind::Wrong ? byte ^ 0x20 : byte);
    if (held_) {
        out.Add(*held_);
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
