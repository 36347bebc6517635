#include "radio/CloneFileResult.h"

#include <string>

#include "common/MainGTex.h"
#include "radio/AppBox.h"

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

}  // namespace

void ShowCloneFileResult(int code) {
    if (code <= TOV_Ok || code >= kCodeCount) {
        return;
    }
    cmcGTex& texts = MainGTex();
    std::string text = texts.GetLine("GI_Mess_FileErr_Headline", 0) + "\n\n" +
                       texts.GetLine(kMessageKeys[code], 0);
    ShowAppBox(text, platform::BoxIcon::Warning);
}
