#include "tests/support/FakeSerialLine.h"

#include <algorithm>

#include "platform/Clock.h"

namespace testsupport {

namespace {

constexpr uint64_t kBitMsPerByte = 10 * 1000;

uint32_t Now() {
    return platform::CurrentClock().TickCount();
}

}  // namespace

// One end as a device. Several may exist for the program's side (one per cmcComm open);
// each closes only what it opened.
class FakeSerialLine::End : public platform::SerialDevice {
public:
    End(FakeSerialLine& line, Side side) : line_(line), side_(side) {}
    ~End() override { Close(); }

    bool Open() override {
        if (opened_) {
            return false;
        }
        opened_ = line_.Open(side_);
        return opened_;
    }
    void Close() override {
        if (opened_) {
            line_.Close(side_);
            opened_ = false;
        }
    }
    bool Purge() override { return Usable() && line_.Purge(side_); }
    bool Apply(const platform::SerialSettings& settings) override {
        return Usable() && line_.Apply(side_, settings);
    }
    int InQueue() override { return Usable() ? line_.InQueue(side_) : -1; }
    int OutQueue() override { return Usable() ? line_.OutQueue(side_) : -1; }
    int Read(uint8_t* buffer, int n) override {
        return Usable() ? line_.Read(side_, buffer, n) : -1;
    }
    int Write(const uint8_t* data, int n) override {
        return Usable() ? line_.Write(side_, data, n) : -1;
    }

private:
    bool Usable() const { return opened_ && !line_.end(side_).unplugged; }

    FakeSerialLine& line_;
    Side side_;
    bool opened_ = false;
};

FakeSerialLine::FakeSerialLine() : peer_(std::make_unique<End>(*this, Side::Peer)) {}

FakeSerialLine::~FakeSerialLine() = default;

std::unique_ptr<platform::SerialDevice> FakeSerialLine::CreateSerialDevice(int portNumber) {
    lastPort_ = portNumber;
    return std::make_unique<End>(*this, Side::Program);
}

platform::SerialDevice& FakeSerialLine::Peer() {
    return *peer_;
}

void FakeSerialLine::StallDrain(Side side, bool stall) {
    Drain();
    end(side).stalled = stall;
}

bool FakeSerialLine::Dtr(Side side) const {
    const EndState& state = ends_[index(side)];
    return state.open && state.settings.dtrControl != 0;
}

bool FakeSerialLine::Rts(Side side) const {
    const EndState& state = ends_[index(side)];
    return state.open && state.settings.rtsControl != 0;
}

void FakeSerialLine::SendFromPeer(const sim::LineOutput& output) {
    output.ForEach(
        [this](const uint8_t* data, size_t n) { peer_->Write(data, static_cast<int>(n)); },
        [this](int byteTimes) {
            Drain();
            EndState& state = end(Side::Peer);
            state.output.insert(state.output.end(), byteTimes, sim::LineOutput::kPause);
            state.pauses += byteTimes;
        });
}

std::vector<uint8_t> FakeSerialLine::Written(Side side) const {
    std::vector<uint8_t> written;
    for (const ByteRecord& record : bytes) {
        if (record.from == side) {
            written.push_back(record.value);
        }
    }
    return written;
}

void FakeSerialLine::Drain() {
    uint32_t now = Now();
    DrainFrom(Side::Program, now);
    DrainFrom(Side::Peer, now);
}

void FakeSerialLine::DrainFrom(Side side, uint32_t now) {
    EndState& from = end(side);
    uint32_t elapsed = now - from.lastDrain;
    from.lastDrain = now;
    if (from.output.empty() || from.stalled) {
        from.credit = 0;
        return;
    }
    from.credit += static_cast<uint64_t>(elapsed) * from.settings.bitRate;
    uint64_t due = std::min<uint64_t>(from.credit / kBitMsPerByte, from.output.size());
    std::deque<uint8_t>& to = other(side).input;
    for (uint64_t i = 0; i < due; ++i) {
        const int16_t slot = from.output.front();
        from.output.pop_front();
        if (slot == sim::LineOutput::kPause) {
            --from.pauses;
        } else {
            to.push_back(static_cast<uint8_t>(slot));
        }
    }
    from.credit = from.output.empty() ? 0 : from.credit - due * kBitMsPerByte;
}

void FakeSerialLine::Record(Side side, Event event) {
    lines.push_back({Now(), side, event, end(side).settings});
}

void FakeSerialLine::ClearOutput(EndState& state) {
    state.output.clear();
    state.pauses = 0;
}

bool FakeSerialLine::Open(Side side) {
    EndState& state = end(side);
    if (state.open || state.refuseOpen || state.unplugged) {
        return false;
    }
    Drain();
    state.open = true;
    state.input.clear();
    ClearOutput(state);
    Record(side, Event::Open);
    return true;
}

void FakeSerialLine::Close(Side side) {
    Drain();
    EndState& state = end(side);
    // What has not left the end yet is lost with the close.
    state.open = false;
    state.input.clear();
    ClearOutput(state);
    Record(side, Event::Close);
}

bool FakeSerialLine::Purge(Side side) {
    Drain();
    end(side).input.clear();
    ClearOutput(end(side));
    Record(side, Event::Purge);
    return true;
}

bool FakeSerialLine::Apply(Side side, const platform::SerialSettings& settings) {
    if (end(side).refuseSettings || settings.bitRate == 0) {
        return false;
    }
    // Bytes already on their way leave at the old rate.
    Drain();
    end(side).settings = settings;
    Record(side, Event::Apply);
    return true;
}

int FakeSerialLine::InQueue(Side side) {
    Drain();
    return static_cast<int>(end(side).input.size());
}

int FakeSerialLine::OutQueue(Side side) {
    Drain();
    return static_cast<int>(end(side).output.size()) - end(side).pauses;
}

int FakeSerialLine::Read(Side side, uint8_t* buffer, int n) {
    Drain();
    if (end(side).failRead) {
        end(side).failRead = false;
        return -1;
    }
    std::deque<uint8_t>& input = end(side).input;
    int count = std::clamp(n, 0, static_cast<int>(input.size()));
    std::copy_n(input.begin(), count, buffer);
    input.erase(input.begin(), input.begin() + count);
    return count;
}

int FakeSerialLine::Write(Side side, const uint8_t* data, int n) {
    Drain();
    EndState& state = end(side);
    int accepted = std::max(n, 0);
    if (state.shortWrite >= 0) {
        accepted = std::min(accepted, state.shortWrite);
        state.shortWrite = -1;
    }
    uint32_t now = Now();
    for (int i = 0; i < accepted; ++i) {
        state.output.push_back(data[i]);
        bytes.push_back({now, side, state.settings.bitRate, data[i]});
    }
    return accepted;
}

}  // namespace testsupport
