#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "tools/clone_radio/CloneFault.h"
#include "tools/clone_radio/CloneRadio.h"
#include "tools/sim_line/LineOutput.h"

namespace sim {

// The clone cable: one line that echoes every byte the PC writes, in order, and carries the
// radio's answer, which follows the echo of the byte that completed a frame after a pause
// (one byte time unless set otherwise: the radio has to hear the whole byte first).
class CloneCable {
public:
    explicit CloneCable(CloneRadio& radio) : radio_(radio) {}

    // The PC writes bytes at bitRate; returns what comes back on the line.
    LineOutput Write(const uint8_t* bytes, size_t n, uint32_t bitRate);
    LineOutput Write(const std::vector<uint8_t>& bytes, uint32_t bitRate) {
        return Write(bytes.data(), bytes.size(), bitRate);
    }
    // Idle byte times before each answer.
    void SetAnswerPause(int byteTimes) { answerPause_ = byteTimes; }

    void AddFault(const EchoFault& fault) { faults_.push_back(fault); }
    void ClearFaults() { faults_.clear(); }
    CloneRadio& Radio() { return radio_; }
    // Frames with this command the PC has sent so far.
    int Seen(uint8_t command) const { return commandsSeen_[command]; }

private:
    void Echo(uint8_t byte, LineOutput& out);
    const EchoFault* FaultAtCommand(uint8_t command);

    CloneRadio& radio_;
    int answerPause_ = 1;
    std::vector<EchoFault> faults_;
    std::vector<int> commandsSeen_ = std::vector<int>(256, 0);
    uint8_t previous_[2] = {0, 0};
    bool muted_ = false;           // a missing echo runs to the end of its frame
    std::optional<uint8_t> held_;  // a swapped echo waits for the next byte
};

}  // namespace sim
