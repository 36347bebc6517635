#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "loader/LoaderImage.h"
#include "loader/SequenceMemo.h"
#include "loader/clsGTex.h"
#include "loader/clsMainSeq.h"
#include "tests/support/FakeSerialLine.h"
#include "tests/support/RecordingBoxes.h"
#include "tests/support/VirtualTime.h"
#include "tools/boot_radio/BootRadio.h"

// The memo as lines, the way the window keeps it.
class LineMemo : public SequenceMemo {
public:
    void AppendText(const std::string& text) override;
    void AddLine(const std::string& line) override { lines.push_back(line); }
    void AppendToLastLine(const std::string& text) override;
    void CaretToEnd() override { ++caretMoves; }
    void EndProgram() override { ended = true; }
    std::string Text() const;

    std::vector<std::string> lines;
    int caretMoves = 0;
    bool ended = false;
};

// A load sequence on the manual clock, wired through the fake serial line to the simulated
// boot radio; one Tick is one step and one millisecond, as the window's worker paces it.
class LoadRig {
public:
    explicit LoadRig(BootRadioFaults faults = {});
    LoadRig(const LoaderImage& writer, const LoaderImage& rom);

    // One step, then a millisecond passes and the radio answers what reached it.
    int Tick();
    // Ticks until done() holds or an error comes; the first error, or 0.
    int RunUntil(const std::function<bool()>& done, int limitTicks = 400000);
    // The radio answers what has reached it.
    void Serve();
    // From construction to Ready.
    void ReachReady();
    // From Ready: a whole load; the first error, or 0 once it completed.
    int Load();

    testsupport::VirtualTime time;
    testsupport::RecordingBoxes boxes;
    testsupport::FakeSerialLine line;
    clsGTex texts;
    BootRadio radio;
    std::unique_ptr<clsMainSeq> seq;
    int maxProgress = 0;

private:
    void OpenPeer();
};
