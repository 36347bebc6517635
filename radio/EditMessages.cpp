#include "radio/EditMessages.h"

#include "common/GetTextBlock.h"
#include "common/GlobalEvMan.h"
#include "common/MainGTex.h"
#include "platform/MessageBox.h"

namespace {

// The system colours of window text and button faces.
constexpr intptr_t kStatusTextColour = 0x80000008;
constexpr intptr_t kStatusBackColour = 0x8000000F;

platform::BoxAnswer ShowTextBox(const std::string& key, platform::BoxIcon icon,
                                platform::BoxButtons buttons) {
    cmcGTex& texts = MainGTex();
    return platform::Boxes().Show(GetTextBlock(texts, key), texts.GetLine("GI_Sys_AppTitle", 0),
                                  icon, buttons);
}

}  // namespace

bool ConfirmEdit(const std::string& key) {
    return ShowTextBox(key, platform::BoxIcon::Warning, platform::BoxButtons::OkCancel) ==
           platform::BoxAnswer::Ok;
}

void ShowEditError(const std::string& key) {
    ShowTextBox(key, platform::BoxIcon::Error, platform::BoxButtons::Ok);
}

void SendEditStatus(const std::string& key) {
    if (cmcEvMan* bus = CurrentEvMan()) {
        bus->SendText(EV_StatusText, kStatusTextColour, kStatusBackColour,
                      MainGTex().GetLine(key, 0));
    }
}

void PostEditStatus(const std::string& key) {
    if (cmcEvMan* bus = CurrentEvMan()) {
        bus->PostText(EV_StatusText, kStatusTextColour, kStatusBackColour,
                      MainGTex().GetLine(key, 0));
    }
}
