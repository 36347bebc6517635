#pragma once

#include <cstdint>
#include <deque>
#include <string>

#include "tools/clone_radio/CloneCable.h"
#include "tools/sim_line/PacedOutput.h"

namespace sim {

// The simulated radio on the master side of a pseudo-terminal: the program under test opens
// the slave device as its serial port. The bit rate of what it writes is read from the
// slave's line settings; what comes back is sent at once or, paced, at the line rate
// (10 bits a byte), an answer in either case after its pause. The peer keeps the slave open
// itself, so the program may close and reopen it. Paced, the radio goes on sending when the
// program stops listening: bytes the pty will not take when they are due are lost. Unpaced,
// they wait until the program takes them.
class PtyPeer {
public:
    explicit PtyPeer(CloneCable& cable) : cable_(cable), output_(0) {}
    ~PtyPeer();
    PtyPeer(const PtyPeer&) = delete;
    PtyPeer& operator=(const PtyPeer&) = delete;

    // Creates the pty; false with a message on standard error when it cannot.
    bool Open();
    const std::string& SlavePath() const { return slavePath_; }
    void SetPaced(bool paced) { paced_ = paced; }
    // One round: waits up to waitMs for bytes, answers them, sends what is due.
    void Serve(int waitMs);

    // Paced: the bytes sent to the program, their time on the line at the rates they were
    // sent at, and the pauses before the radio's answers.
    uint64_t BytesSent() const { return output_.BytesTaken(); }
    double WireSeconds() const { return static_cast<double>(output_.BusyNs()) / 1e9; }
    double PauseSeconds() const { return static_cast<double>(output_.PausedNs()) / 1e9; }

private:
    uint32_t SlaveBitRate() const;
    void Receive(uint64_t nowNs);
    void SendDue(uint64_t nowNs);

    CloneCable& cable_;
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
    bool paced_ = false;
    PacedOutput output_;
    // Unpaced: due and not yet taken by the pty (the program is not reading).
    std::deque<uint8_t> unsent_;
};

}  // namespace sim
