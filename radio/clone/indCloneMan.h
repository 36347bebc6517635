#pragma once

#include <string>

#include "common/cmcTick.h"
#include "radio/clone/cmcCloneDrv.h"
#include "radio/host/CloneProgressView.h"
#include "radio/image/AddressRange.h"

class cmcTask;
class indEnviron;
class MainWindowLock;

// What the program calls to clone: it wakes the radio and sets the line speed with a set-up
// script, configures the clone engine for an information exchange, a read or a write, keeps
// the main window disabled while the exchange runs, shows the progress of reads and writes,
// runs the checks on the finished result, shows the error box of a failed one and then calls
// the caller's completion. One exchange at a time; the port and the speed are the settings'.
// An information exchange shows the progress window only while it waits for a radio that is
// still sending.
class indCloneMan {
public:
    // Called as closure(result); the result lives until the engine's completion returns.
    using Closure = cmcCloneDrv::Completion;

    indCloneMan(const indEnviron& settings, MainWindowLock& mainWindow,
                CloneProgressView& progressView);
    ~indCloneMan();
    indCloneMan(const indCloneMan&) = delete;
    indCloneMan& operator=(const indCloneMan&) = delete;

    void SetModelWords(int word0, int word1);
    void SetMemorySize(int size) { engine_.SetMemorySize(size); }
    // Judge a finished information exchange or read; may change the result's code.
    void SetOnInfo(Closure check) { onInfo_ = std::move(check); }
    void SetOnRead(Closure check) { onRead_ = std::move(check); }

    // Each is false, and changes nothing, while an exchange runs.
    bool StartInfo(Closure completion);
    // Without ranges the progress measure stays that of the last exchange.
    bool StartRead(const AddressRangeList* ranges, Closure completion);
    bool StartWrite(const cmcEeprom& image, const AddressRangeList* ranges, Closure completion);
    bool IsBusy() const { return engine_.IsBusy(); }
    // The progress window's Cancel: the exchange stops, its port closes and the completion
    // sees CDRV_Cancelled.
    void Cancel() { engine_.Cancel(); }

    // The set-up script: wake the radio at 38400 (a fast radio drops to 9600), put it in clone
    // mode for a read or a write, then set the transfer speed.
    static std::string BuildScriptText(int word0, bool highSpeed, bool write);

private:
    void BuildScript(bool highSpeed, bool write);
    void OnDriverDone(dst_CDrv_Result& result);
    void RunCheck(dst_CDrv_Result& result);
    void ShowCloneError(const dst_CDrv_Result& result);
    void OpenProgress();
    void ShowProgressWindow();
    void CloseProgress();
    void ProgressTick();
    CloneProgress CurrentProgress() const;
    void StartProgress();

    const indEnviron& settings_;
    MainWindowLock& mainWindow_;
    CloneProgressView& progressView_;
    bool progressOpen_ = false;
    Closure onInfo_;
    Closure onRead_;
    Closure completion_;
    cmcCloneDrv engine_;
    int word0_ = 0;
    int expectedBytes_ = 0;
    // Runs while an information exchange has no window and is not waiting for the radio.
    cmcTick windowDelay_;
    cmcTask* task_;
};
