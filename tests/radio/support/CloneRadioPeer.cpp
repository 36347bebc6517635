#include "tests/radio/support/CloneRadioPeer.h"

#include "common/cmcTask.h"

using testsupport::FakeSerialLine;

CloneRadioPeer::CloneRadioPeer(FakeSerialLine& line, sim::CloneCable& cable)
    : line_(line), cable_(cable), task_(new cmcTask) {
    line_.Peer().Open();
    task_->SetHandler([this](cmcTask*) { Pump(); });
    task_->SetInterval(1);
}

CloneRadioPeer::~CloneRadioPeer() {
    task_->SetInterval(-1);  // stopped, so it goes at once
    cmcTask::Dispose(task_);
}

void CloneRadioPeer::Pump() {
    platform::SerialDevice& peer = line_.Peer();
    platform::SerialSettings settings = line_.Settings(FakeSerialLine::Side::Program);
    // What the radio is still sending keeps its rate, whatever the program does meanwhile.
    if (line_.Settings(FakeSerialLine::Side::Peer).bitRate != settings.bitRate &&
        peer.OutQueue() == 0)
        peer.Apply(settings);
    uint8_t chunk[4096];
    int n;
    while ((n = peer.Read(chunk, sizeof chunk)) > 0) {
        line_.SendFromPeer(cable_.Write(chunk, static_cast<size_t>(n), settings.bitRate));
    }
}
