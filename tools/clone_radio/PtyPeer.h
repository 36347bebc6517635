#pragma once

#include <cstdint>
#include <deque>
#include <string>

#include "tools/clone_radio/CloneCable.h"

namespace sim {

// The simulated radio on the master side of a pseudo-terminal: the program under test opens
// the slave device as its serial port. The bit rate of what it writes is read from the
// slave's line settings; what comes back is sent at once or, paced, at the line rate
// (10 bits a byte). The peer keeps the slave open itself, so the program may close and
// reopen it.
class PtyPeer {
public:
    explicit PtyPeer(CloneCable& cable) : cable_(cable) {}
    ~PtyPeer();
    PtyPeer(const PtyPeer&) = delete;
    PtyPeer& operator=(const PtyPeer&) = delete;

    // Creates the pty; false with a message on standard error when it cannot.
    bool Open();
    const std::string& SlavePath() const { return slavePath_; }
    void SetPaced(bool paced) { paced_ = paced; }
    // One round: waits up to waitMs for bytes, answers them, sends what is due.
    void Serve(int waitMs);

    // Bytes sent to the program and their time on the line at the rates they were sent at.
    uint64_t BytesSent() const { return bytesSent_; }
    double WireSeconds() const { return wireSeconds_; }

private:
    uint32_t SlaveBitRate() const;
    // Seconds a byte takes on the line at the slave's rate.
    double ByteTime() const;
    void Receive();
    void SendDue();

    CloneCable& cable_;
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
    bool paced_ = false;
    std::deque<uint8_t> pending_;
    // Paced: when the line finished (or will finish) the byte before the next one.
    double lineFree_ = 0;
    uint64_t bytesSent_ = 0;
    double wireSeconds_ = 0;
};

}  // namespace sim
