#pragma once

#include <string>

class clsEnviron;
class clsGTex;
class clsMainSeq;
class SequenceMemo;

// What the loader window does with the sequence on every tick: step it, show the tip of
// each new state in the memo, and show errors framed in the memo and in a message box.
class clsSequenceDriver {
public:
    // The last state shown starts past the last state, so the first tick shows its tip.
    static constexpr int kNoStateShown = 36;

    clsSequenceDriver(clsMainSeq& sequence, clsGTex& texts, clsEnviron& environ,
                      SequenceMemo& memo);

    void SequenceTick();
    // The error's text (also shown in a box); a fatal one ends the program after the box.
    std::string ShowSequenceError(int error);

private:
    void ShowTip(int state);

    clsMainSeq& sequence_;
    clsGTex& texts_;
    clsEnviron& environ_;
    SequenceMemo& memo_;
    int lastStateShown_ = kNoStateShown;
};
