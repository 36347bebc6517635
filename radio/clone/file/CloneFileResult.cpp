#include "radio/clone/file/CloneFileResult.h"

#include <cstring>
#include <string>

#include "common/MainGTex.h"
#include "platform/FileChecks.h"
#include "radio/host/TitledBoxes.h"

namespace {

// Message key of each code, by code; TOV_Ok has none.
const char* const kMessageKeys[] = {
    nullptr,
    "GI_Mess_FileErr_FileOpen",
    "GI_Mess_FileErr_FileAccess",
    "GI_Mess_FileErr_Model",
    "GI_Mess_FileErr_Extra",
    "GI_Mess_FileErr_MapRev",
    "GI_Mess_FileErr_Format",
    "GI_Mess_FileErr_Coverage",
    "GI_Mess_FileErr_Data",
    "GI_Mess_FileErr_Newer",
};
constexpr int kCodeCount = sizeof(kMessageKeys) / sizeof(kMessageKeys[0]);

// The system's reason in the line of "GI_Mess_FileErr_System" (only its "%s" is replaced); a
// pipe, device or socket has a line of its own, since the system has no reason to give there.
std::string SystemReason(cmcGTex& texts, int systemError) {
    if (systemError == platform::kNotRegularFile) {
        return texts.GetLine("GI_Mess_FileErr_NotAFile", 0);
    }
    std::string line = texts.GetLine("GI_Mess_FileErr_System", 0);
    const size_t place = line.find("%s");
    if (place != std::string::npos) {
        line.replace(place, 2, std::strerror(systemError));
    }
    return line;
}

}  // namespace

void ShowCloneFileResult(int code, int systemError) {
    if (code <= TOV_Ok || code >= kCodeCount) {
        return;
    }
    cmcGTex& texts = MainGTex();
    std::string text = texts.GetLine("GI_Mess_FileErr_Headline", 0) + "\n\n" +
                       texts.GetLine(kMessageKeys[code], 0);
    if (systemError != 0) {
        text += "\n\n" + SystemReason(texts, systemError);
    }
    ShowAppBox(text, platform::BoxIcon::Warning);
}
