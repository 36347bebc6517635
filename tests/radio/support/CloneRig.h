#pragma once

#include <functional>
#include <string>
#include <vector>

#include "common/cmcGTex.h"
#include "radio/clone/indCloneMan.h"
#include "radio/host/CloneProgressView.h"
#include "radio/host/MainWindowLock.h"
#include "radio/host/indEnviron.h"
#include "tests/radio/support/CloneRadioPeer.h"
#include "tests/support/FakeSerialLine.h"
#include "tests/support/RecordingBoxes.h"
#include "tests/support/ScopedEnvFolder.h"
#include "tests/support/ScopedInstall.h"
#include "tests/support/VirtualTime.h"
#include "tools/clone_radio/CloneCable.h"

namespace radiotest {

// The progress window as the user interface gives it: what it was told, and its Cancel button.
class FakeProgressView : public CloneProgressView {
public:
    void Open(std::function<void()> cancel) override;
    void Show(const CloneProgress& progress) override;
    void Close() override;
    void PressCancel();

    bool open = false;
    int opens = 0;
    int closes = 0;
    std::vector<CloneProgress> shows;
    // Called at each repaint.
    std::function<void(const CloneProgress&)> onShow;

private:
    std::function<void()> cancel_;
};

class FakeMainWindow : public MainWindowLock {
public:
    void Lock() override;
    void Unlock() override;

    bool locked = false;
    int locks = 0;
    int unlocks = 0;
};

// The clone manager of the program on port 1 at high speed, with the simulated radio behind a
// fake serial line in virtual time, the program's own text table and recorded boxes.
class CloneRig {
public:
    static constexpr int kPort = 1;

    CloneRig();
    CloneRig(const CloneRig&) = delete;
    CloneRig& operator=(const CloneRig&) = delete;

    // Runs virtual time until the manager is idle; false when it never was within the limit.
    bool RunUntilIdle(uint32_t limitMs = 120000);
    std::vector<std::string> BoxTexts() const;
    // The program's end was opened at these bit rates, in order.
    std::vector<uint32_t> AppliedRates() const;
    // Bytes the program wrote at or after the time.
    int BytesWrittenSince(uint32_t since) const;

    testsupport::VirtualTime time;
    testsupport::ScopedEnvFolder runtime{"XDG_RUNTIME_DIR", "tarnwick-clone-"};
    testsupport::RecordingBoxes boxes;
    cmcGTex table;
    testsupport::ScopedMainGTex tableInstalled{&table};
    testsupport::FakeSerialLine line;
    sim::CloneRadio radio;
    sim::CloneCable cable{radio};
    CloneRadioPeer peer{line, cable};
    indEnviron settings;
    FakeMainWindow mainWindow;
    FakeProgressView progressView;
    indCloneMan manager{settings, mainWindow, progressView};
};

}  // namespace radiotest
