#pragma once

#include <string>

class clsEnviron;
class clsGTex;
class clsMainSeq;
class SequenceMemo;

// What the loader window does with the sequence on every tick: step it until a step leaves the
// state as it was (so an answer is acted on in the tick that finds it), show the tip of each
// new state in the memo, and show errors framed in the memo and in a message box.
class clsSequenceDriver {
public:
    // The last state shown starts past the last state, so the first tick shows its tip.
    static constexpr int kNoStateShown = 36;
    // The pace of the ticks: while the port is open a tick first waits up to kInputWaitMs for
    // the radio's bytes, so an answer is taken as it arrives and the next tick follows at
    // once; a millisecond while a load runs with the port closed; at Ready, where the sequence
    // only waits for Start, rarely, so an idle loader does not keep the computer awake.
    static constexpr int kInputWaitMs = 1;
    static constexpr int kRunningTickMs = 1;
    static constexpr int kIdleTickMs = 250;

    clsSequenceDriver(clsMainSeq& sequence, clsGTex& texts, clsEnviron& environment,
                      SequenceMemo& memo);

    void SequenceTick();
    // When the next tick is due, in ms.
    int NextTickMs() const;
    // The error's text (also shown in a box); a fatal one ends the program after the box.
    std::string ShowSequenceError(int error);

private:
    // One step with what it shows; false when it ended in an error.
    bool RunStep();
    void ShowTip(int state);

    clsMainSeq& sequence_;
    clsGTex& texts_;
    clsEnviron& environ_;
    SequenceMemo& memo_;
    int lastStateShown_ = kNoStateShown;
};
