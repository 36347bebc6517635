#pragma once

#include <functional>
#include <string>

// What a running exchange has reached. RadioSending: the radio is still sending (the rest of
// a read given up on), and the exchange waits until it stops.
enum class CloneStage { Waking, Waiting, Reading, Writing, Finishing, RadioSending };

struct CloneProgress {
    // Cells of the bar to fill, 0..kCells: the share of the data bytes sent or received.
    int litCells = 0;
    CloneStage stage = CloneStage::Waking;
    std::string stageText;  // line of "GI_Mess_Clone_Stage"
};

// The "Cloning" window of a read or write (and of an information exchange that has to wait for
// the radio): a bar of 32 cells, the stage and a Cancel button. The program's user interface
// implements it; the clone manager opens, repaints and closes it.
class CloneProgressView {
public:
    static constexpr int kCells = 32;

    virtual ~CloneProgressView() = default;
    // Shows the window centred over the main window; its Cancel button calls cancel.
    virtual void Open(std::function<void()> cancel) = 0;
    virtual void Show(const CloneProgress& progress) = 0;
    // Hides the window; the cancel closure is not called any more.
    virtual void Close() = 0;
};
