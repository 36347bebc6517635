#include "radio/host/EditMessages.h"

#include "common/CurrentEvMan.h"
#include "common/MainGTex.h"
#include "radio/host/ItemContext.h"
#include "radio/host/TitledBoxes.h"

namespace {

// The system colours of window text and button faces.
constexpr intptr_t kStatusTextColour = 0x80000008;
constexpr intptr_t kStatusBackColour = 0x8000000F;

}  // namespace

bool ConfirmEdit(const std::string& key) {
    return ShowTextBlockBox(key, platform::BoxIcon::Warning, platform::BoxButtons::OkCancel) ==
           platform::BoxAnswer::Ok;
}

bool ConfirmEdit(const ItemServices& services, const std::string& key) {
    return ShowTextBlockBox(services.boxes, services.texts, key, platform::BoxIcon::Warning,
                            platform::BoxButtons::OkCancel) == platform::BoxAnswer::Ok;
}

void ShowEditError(const std::string& key) {
    ShowTextBlockBox(key, platform::BoxIcon::Error);
}

void ShowEditError(const ItemServices& services, const std::string& key) {
    ShowTextBlockBox(services.boxes, services.texts, key, platform::BoxIcon::Error);
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
