#pragma once

#include "tests/support/FakeSerialLine.h"
#include "tools/clone_radio/CloneCable.h"

class cmcTask;

// Puts the simulated radio and its cable on the peer end of a fake serial line: every
// millisecond of virtual time it takes what has arrived, at the bit rate the program's end
// is set to, and sends back the echo and the radio's answers (after their pauses) at that
// rate. Like a radio, it goes on sending what it has begun when the program stops listening
// (closes its end or changes its rate): at the rate it began at, lost while the end is closed.
class CloneRadioPeer {
public:
    CloneRadioPeer(testsupport::FakeSerialLine& line, sim::CloneCable& cable);
    ~CloneRadioPeer();
    CloneRadioPeer(const CloneRadioPeer&) = delete;
    CloneRadioPeer& operator=(const CloneRadioPeer&) = delete;

private:
    void Pump();

    testsupport::FakeSerialLine& line_;
    sim::CloneCable& cable_;
    cmcTask* task_;
};
