#include "tests/radio/support/CloneRig.h"

namespace radiotest {

namespace {

constexpr indEnviron::ScreenSize kScreen{1920, 1080};

}  // namespace

void FakeProgressView::Open(std::function<void()> cancel) {
    open = true;
    ++opens;
    cancel_ = std::move(cancel);
}

void FakeProgressView::Show(const CloneProgress& progress) {
    shows.push_back(progress);
    if (onShow) {
        onShow(progress);
    }
}

void FakeProgressView::Close() {
    open = false;
    ++closes;
    cancel_ = nullptr;
}

void FakeProgressView::PressCancel() {
    if (cancel_) {
        cancel_();
    }
}

void FakeMainWindow::Lock() {
    locked = true;
    ++locks;
}

void FakeMainWindow::Unlock() {
    locked = false;
    ++unlocks;
}

CloneRig::CloneRig()
    : settings("Zelk Tarnwick APP Exclusive Mutex", "Software\\Zelk\\Tarnwick", kScreen) {
    table.SetFileName(MERROW_DATA_DIR "/Tarnwick.OVL");
    settings.portNumber = kPort;
    settings.highSpeed = 1;
}

bool CloneRig::RunUntilIdle(uint32_t limitMs) {
    const bool idle = time.RunUntil([&] { return !manager.IsBusy(); }, limitMs);
    time.Advance(50);  // nothing may follow the end
    return idle;
}

std::vector<std::string> CloneRig::BoxTexts() const {
    std::vector<std::string> texts;
    for (const auto& box : boxes.boxes) {
        texts.push_back(box.text);
    }
    return texts;
}

std::vector<uint32_t> CloneRig::AppliedRates() const {
    std::vector<uint32_t> rates;
    for (const auto& record : line.lines) {
        if (record.side == testsupport::FakeSerialLine::Side::Program &&
            record.event == testsupport::FakeSerialLine::Event::Apply) {
            rates.push_back(record.settings.bitRate);
        }
    }
    return rates;
}

int CloneRig::BytesWrittenSince(uint32_t since) const {
    int count = 0;
    for (const auto& byte : line.bytes) {
        count += byte.from == testsupport::FakeSerialLine::Side::Program && byte.time >= since;
    }
    return count;
}

}  // namespace radiotest
