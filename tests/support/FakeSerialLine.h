#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "platform/SerialDevice.h"
#include "tests/support/ScopedInstall.h"
#include "tools/sim_line/LineOutput.h"

namespace testsupport {

// A serial cable in memory between two ends: the program's end, which cmcComm gets through
// the device factory (installed for the lifetime of the line), and the peer's end, which a
// test or a simulated radio opens and drives through Peer(). What one end writes waits in its
// output queue and arrives at the other end at the writer's bit rate (10 bits a byte) on the
// installed clock. A peer's output may hold pauses (idle byte times). Faults: refuse opens,
// refuse settings, stall the drain, shorten a write, fail a read, unplug the program's end.
// Every byte written is recorded with its time, direction and bit rate, and every line event
// with the settings then in force.
class FakeSerialLine : public platform::SerialDeviceFactory {
public:
    enum class Side { Program, Peer };
    enum class Event { Open, Apply, Purge, Close };

    struct ByteRecord {
        uint32_t time;
        Side from;
        uint32_t bitRate;
        uint8_t value;
    };
    struct LineRecord {
        uint32_t time;
        Side side;
        Event event;
        platform::SerialSettings settings;
    };

    FakeSerialLine();
    ~FakeSerialLine() override;
    FakeSerialLine(const FakeSerialLine&) = delete;
    FakeSerialLine& operator=(const FakeSerialLine&) = delete;

    // The program's end, whatever the port number (the last one asked for is kept).
    std::unique_ptr<platform::SerialDevice> CreateSerialDevice(int portNumber) override;
    platform::SerialDevice& Peer();

    void RefuseOpen(Side side, bool refuse) { end(side).refuseOpen = refuse; }
    void RefuseSettings(Side side, bool refuse) { end(side).refuseSettings = refuse; }
    // While stalled, the side's output stays queued.
    void StallDrain(Side side, bool stall);
    // The side's next write takes only this many bytes.
    void ShortenNextWrite(Side side, int accepted) { end(side).shortWrite = accepted; }
    // The side's next read fails (as a device error such as EIO does).
    void FailNextRead(Side side) { end(side).failRead = true; }
    // An unplugged end fails every call (reads, queries, writes, settings, opens) until
    // plugged in again.
    void Unplug(Side side, bool unplugged) { end(side).unplugged = unplugged; }

    // What the peer puts on the line: its bytes, with its pauses kept as idle byte times.
    void SendFromPeer(const sim::LineOutput& output);

    bool IsOpen(Side side) const { return ends_[index(side)].open; }
    const platform::SerialSettings& Settings(Side side) const {
        return ends_[index(side)].settings;
    }
    // The line levels the side drives: high while open with the control not disabled.
    bool Dtr(Side side) const;
    bool Rts(Side side) const;
    int LastPortNumber() const { return lastPort_; }
    // The bytes the side wrote, in order.
    std::vector<uint8_t> Written(Side side) const;

    std::vector<ByteRecord> bytes;
    std::vector<LineRecord> lines;

private:
    class End;
    friend class End;

    struct EndState {
        bool open = false;
        platform::SerialSettings settings;
        std::deque<uint8_t> input;
        std::deque<int16_t> output;  // bytes, and sim::LineOutput::kPause for idle byte times
        int pauses = 0;              // of the output
        // Bit-milliseconds earned towards the next byte of output.
        uint64_t credit = 0;
        uint32_t lastDrain = 0;
        bool refuseOpen = false;
        bool refuseSettings = false;
        bool stalled = false;
        int shortWrite = -1;
        bool failRead = false;
        bool unplugged = false;
    };

    static int index(Side side) { return side == Side::Program ? 0 : 1; }
    EndState& end(Side side) { return ends_[index(side)]; }
    EndState& other(Side side) { return ends_[1 - index(side)]; }
    // Moves what has left both ends by now.
    void Drain();
    void DrainFrom(Side side, uint32_t now);
    void Record(Side side, Event event);
    void ClearOutput(EndState& state);

    bool Open(Side side);
    void Close(Side side);
    bool Purge(Side side);
    bool Apply(Side side, const platform::SerialSettings& settings);
    int InQueue(Side side);
    int OutQueue(Side side);
    int Read(Side side, uint8_t* buffer, int n);
    int Write(Side side, const uint8_t* data, int n);

    EndState ends_[2];
    std::unique_ptr<End> peer_;
    int lastPort_ = 0;
    ScopedSerialDevices installed_{this};
};

}  // namespace testsupport
