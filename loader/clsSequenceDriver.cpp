#include "loader/clsSequenceDriver.h"

#include <cstdio>

#include "loader/SequenceMemo.h"
#include "loader/clsEnviron.h"
#include "loader/clsGTex.h"
#include "loader/clsMainSeq.h"
#include "loader/clsStrCom.h"
#include "platform/MessageBox.h"

namespace {

constexpr const char* kErrorFrame = "\r\n***********************\r\n";

}  // namespace

clsSequenceDriver::clsSequenceDriver(clsMainSeq& sequence, clsGTex& texts, clsEnviron& environment,
                                     SequenceMemo& memo)
    : sequence_(sequence), texts_(texts), environ_(environment), memo_(memo) {}

void clsSequenceDriver::SequenceTick() {
    sequence_.WaitForInput(kInputWaitMs);
    for (int n = 0; n < clsMainSeq::kStateCount; ++n) {
        const int before = sequence_.GetState();
        if (!RunStep() || sequence_.GetState() == before) {
            return;
        }
    }
}

int clsSequenceDriver::NextTickMs() const {
    if (sequence_.GetState() == clsMainSeq::Ready) {
        return kIdleTickMs;
    }
    return sequence_.IsPortOpen() ? 0 : kRunningTickMs;
}

bool clsSequenceDriver::RunStep() {
    if (sequence_.GetState() <= clsMainSeq::Ready) {
        sequence_.SetPortNumber(environ_.GetComPort());
    }
    const int error = sequence_.Step();
    if (error != clsMainSeq::Err_None) {
        sequence_.ClearError();
        memo_.AppendText(kErrorFrame + ShowSequenceError(error) + kErrorFrame + "\r\n");
        memo_.CaretToEnd();
        return false;
    }
    const int state = sequence_.GetState();
    if (state != lastStateShown_) {
        lastStateShown_ = state;
        ShowTip(state);
        memo_.CaretToEnd();
    }
    return true;
}

// Field 0 of a tip is the state's name; "$" starts a line, "%R" shows the ROM sum on a line
// of its own, "%C" the number of the radio being connected.
void clsSequenceDriver::ShowTip(int state) {
    clsStrCom tip;
    tip.Set(texts_.GetLine("Seq_Mess_SequenceTips", state));
    const int fields = tip.CountFields("@");
    for (int n = 1; n < fields; ++n) {
        const std::string field = tip.GetField("@", n);
        char text[32];
        if (field == "$") {
            memo_.AddLine("");
        } else if (field == "%R") {
            std::snprintf(text, sizeof text, "Sum=$%04X", sequence_.GetRomStore().Sum(0, 0x3FFFF));
            memo_.AddLine(text);
        } else if (field == "%C") {
            std::snprintf(text, sizeof text, "%d", sequence_.GetCompletedCount() + 1);
            memo_.AppendToLastLine(text);
        } else {
            memo_.AppendToLastLine(field);
        }
    }
}

std::string clsSequenceDriver::ShowSequenceError(int error) {
    std::string text = texts_.GetLine("Seq_Mess_Error_Top", 0);
    clsStrCom line;
    line.Set(texts_.GetLine("Seq_Mess_Error_Main", error));
    bool fatal = false;
    const int fields = line.CountFields("@");
    for (int n = 1; n < fields; ++n) {
        const std::string field = line.GetField("@", n);
        if (field == "$") {
            text += "\r\n";
        } else if (field == "%F") {
            fatal = true;
        } else {
            text += field;
        }
    }
    platform::Boxes().Show(text, texts_.GetLine("Sys_AppTitle", 0), platform::BoxIcon::Error,
                           platform::BoxButtons::Ok);
    if (fatal) {
        memo_.EndProgram();
    }
    return text;
}
