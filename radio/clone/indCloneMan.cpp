#include "radio/clone/indCloneMan.h"

#include <algorithm>
#include <cstdio>

#include "common/MainGTex.h"
#include "common/cmcTask.h"
#include "radio/clone/CDrvCodes.h"
#include "radio/clone/CloneErrorText.h"
#include "radio/host/MainWindowLock.h"
#include "radio/host/TitledBoxes.h"
#include "radio/host/indEnviron.h"

namespace {

// --- Set-up script: a line setting in parentheses, then the frame sent at it ----------------
constexpr char kFast[] = "(38400,N,8,1)";
constexpr char kSlow[] = "(9600,N,8,1)";
// Twenty wake-up bytes lead the speed frame, so that a sleeping radio hears it.
constexpr char kSpeedFrame[] =
    "FEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFE EEEF E8 %04X%04X 01 %02X%02X FD";
constexpr char kCloneModeFrame[] = "FEFE EEEF E8 %04X%04X 55 %02X%02X FD";

struct ScriptGroup {
    const char* settings;
    const char* frame;
    const char* argument;  // two characters, sent as their codes
};

std::string GroupText(const ScriptGroup& group, int word0) {
    char frame[128];
    std::snprintf(frame, sizeof frame, group.frame, word0, 0, group.argument[0], group.argument[1]);
    return group.settings + std::string(frame);
}

// --- Engine settings by speed ------------------------------------------------------------
struct LineSpeed {
    const char* transfer;
    int commandPreamble;
};
constexpr LineSpeed kHighSpeed{"38400,N,8,1", 48};
constexpr LineSpeed kLowSpeed{"9600,N,8,1", 12};
constexpr int kAckInterval = 128;
constexpr int kAckOffset = 96;
constexpr int kDefaultTimeoutMs = 1000;
// A write waits long for the radio to prepare its memory, and for each acknowledgement.
constexpr int kWriteFirstAckMs = 20000;
constexpr int kWriteTimeoutMs = 2000;

constexpr int kProgressMs = 30;
// An information exchange shows the progress window only when it has waited this long for
// the radio to stop sending (a stray byte at a port open costs a short wait, not a window).
constexpr uint32_t kInfoWindowAfterMs = 300;

// --- Progress stages, by engine state ------------------------------------------------------
constexpr CloneStage kStageOf[cmcCloneDrv::S_Count] = {
    CloneStage::Finishing,     // S_Idle
    CloneStage::Waking,        // S_Hold
    CloneStage::Waking,        // S_Start
    CloneStage::Waking,        // S_Script
    CloneStage::Waking,        // S_Open
    CloneStage::Waiting,       // S_InfoRequest
    CloneStage::Waiting,       // S_InfoAnswer
    CloneStage::Waiting,       // S_ReadRequest
    CloneStage::Reading,       // S_ReadData
    CloneStage::Waiting,       // S_WriteRequest
    CloneStage::Waiting,       // S_FirstAck
    CloneStage::Writing,       // S_WriteData
    CloneStage::Writing,       // S_Ack
    CloneStage::Finishing,     // S_EndFrame
    CloneStage::Finishing,     // S_EndAnswer
    CloneStage::Finishing,     // S_Drain
    CloneStage::Finishing,     // S_Finish
    CloneStage::RadioSending,  // S_Quiet
};

int CountBytes(const AddressRangeList& ranges) {
    int total = 0;
    for (int i = 0; i < CountRanges(ranges); ++i) {
        total += ranges[i].last - ranges[i].first + 1;
    }
    return total;
}

}  // namespace

indCloneMan::indCloneMan(const indEnviron& settings, MainWindowLock& mainWindow,
                         CloneProgressView& progressView)
    : settings_(settings),
      mainWindow_(mainWindow),
      progressView_(progressView),
      task_(new cmcTask) {
    task_->SetHandler([this](cmcTask*) { ProgressTick(); });
}

indCloneMan::~indCloneMan() {
    cmcTask::Dispose(task_);
    if (progressOpen_) {
        progressView_.Close();
    }
}

void indCloneMan::SetModelWords(int word0, int word1) {
    word0_ = word0;
    engine_.SetModelWords(word0, word1);
}

std::string indCloneMan::BuildScriptText(int word0, bool highSpeed, bool write) {
    const ScriptGroup groups[] = {
        {kFast, kSpeedFrame, "27"},
        {kSlow, kCloneModeFrame, write ? "01" : "00"},
        highSpeed ? ScriptGroup{kSlow, kSpeedFrame, "09"} : ScriptGroup{kFast, kSpeedFrame, "27"},
    };
    std::string script;
    for (const ScriptGroup& group : groups) {
        script += GroupText(group, word0);
    }
    return script;
}

void indCloneMan::BuildScript(bool highSpeed, bool write) {
    const LineSpeed& speed = highSpeed ? kHighSpeed : kLowSpeed;
    engine_.SetPort(settings_.portNumber, speed.transfer);
    engine_.SetCommandPreamble(speed.commandPreamble);
    engine_.SetDataPreambles(0);
    engine_.SetScript(BuildScriptText(word0_, highSpeed, write));
    engine_.SetEchoCheck(1);
    engine_.SetSendFrameCount(1);
    engine_.SetWaitFirstAck(1);
    engine_.SetAckInterval(kAckInterval, kAckOffset);
    engine_.SetDefaultTimeout(kDefaultTimeoutMs);
}

bool indCloneMan::StartInfo(Closure completion) {
    if (IsBusy()) {
        return false;
    }
    BuildScript(false, false);
    mainWindow_.Lock();
    completion_ = std::move(completion);
    engine_.StartInfo([this](dst_CDrv_Result& result) { OnDriverDone(result); });
    windowDelay_.Start(kInfoWindowAfterMs);
    task_->SetInterval(kProgressMs);  // watches for a wait for the radio
    return true;
}

bool indCloneMan::StartRead(const AddressRangeList* ranges, Closure completion) {
    if (IsBusy()) {
        return false;
    }
    if (ranges) {
        expectedBytes_ = CountBytes(*ranges);
    }
    BuildScript(settings_.highSpeed != 0, false);
    completion_ = std::move(completion);
    engine_.StartRead(ranges, [this](dst_CDrv_Result& result) { OnDriverDone(result); });
    StartProgress();
    return true;
}

bool indCloneMan::StartWrite(const cmcEeprom& image, const AddressRangeList* ranges,
                             Closure completion) {
    if (IsBusy()) {
        return false;
    }
    if (ranges) {
        expectedBytes_ = CountBytes(*ranges);
    }
    BuildScript(settings_.highSpeed != 0, true);
    engine_.SetAckTimeout(kWriteFirstAckMs);
    engine_.SetDefaultTimeout(kWriteTimeoutMs);
    completion_ = std::move(completion);
    engine_.StartWrite(image, ranges, [this](dst_CDrv_Result& result) { OnDriverDone(result); });
    StartProgress();
    return true;
}

void indCloneMan::StartProgress() {
    OpenProgress();
    task_->SetInterval(kProgressMs);
}

void indCloneMan::OnDriverDone(dst_CDrv_Result& result) {
    RunCheck(result);
    ShowCloneError(result);
    CloseProgress();
    if (completion_) {
        Closure completion = std::move(completion_);
        completion_ = nullptr;
        completion(result);
    }
}

// A finished exchange without its check is not trusted. A failed one keeps its own code, so
// the user learns what went wrong.
void indCloneMan::RunCheck(dst_CDrv_Result& result) {
    if (result.mode == cmcCloneDrv::M_Info) {
        if (onInfo_) {
            onInfo_(result);
        } else if (result.code == CDRV_Ok) {
            result.code = CDRV_InfoRejected;
        }
    } else if (result.mode == cmcCloneDrv::M_Read) {
        if (onRead_) {
            onRead_(result);
        } else if (result.code == CDRV_Ok) {
            result.code = CDRV_Missing;
        }
    }
}

void indCloneMan::ShowCloneError(const dst_CDrv_Result& result) {
    const std::string text = CloneErrorText(result.code, settings_.portNumber, result.refused);
    if (!text.empty()) {
        ShowAppBox(text, platform::BoxIcon::Error);
    }
}

void indCloneMan::OpenProgress() {
    if (progressOpen_) {
        return;
    }
    mainWindow_.Lock();
    ShowProgressWindow();
}

void indCloneMan::ShowProgressWindow() {
    progressView_.Open([this] { Cancel(); });
    progressOpen_ = true;
    progressView_.Show(CurrentProgress());
}

void indCloneMan::CloseProgress() {
    mainWindow_.Unlock();
    if (progressOpen_) {
        progressOpen_ = false;
        progressView_.Close();
    }
}

void indCloneMan::ProgressTick() {
    if (progressOpen_) {
        progressView_.Show(CurrentProgress());
    } else if (engine_.GetState() != cmcCloneDrv::S_Quiet) {
        windowDelay_.Start(kInfoWindowAfterMs);
    } else if (windowDelay_.Remaining() == 0) {
        ShowProgressWindow();  // the main window is locked already
    }
    if (!IsBusy()) {
        task_->SetInterval(-1);
    }
}

CloneProgress indCloneMan::CurrentProgress() const {
    CloneProgress progress;
    // 33 steps over 32 cells, so the bar is full just before the last bytes.
    const int lit = expectedBytes_ > 0
                        ? engine_.GetDataBytes() * (CloneProgressView::kCells + 1) / expectedBytes_
                        : 0;
    progress.litCells = std::clamp(lit, 0, CloneProgressView::kCells);
    progress.stage = kStageOf[engine_.GetState()];
    progress.stageText =
        MainGTex().GetLine("GI_Mess_Clone_Stage", static_cast<int>(progress.stage));
    return progress;
}
