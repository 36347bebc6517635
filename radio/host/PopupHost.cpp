#include "radio/host/PopupHost.h"

#include "common/GetTextBlock.h"
#include "common/MainGTex.h"
#include "platform/MessageBox.h"

namespace {

// Lines of "GI_AppInd_PopupNames".
constexpr int kChoiceListName = 0;
constexpr int kBitSetName = 1;
constexpr int kDisplayTextName = 2;
constexpr int kUserCharacterName = 3;

}  // namespace

void PopupHost::OpenChoiceList(const cmcCellCapsule&, const ChoiceList&) {
    ShowNotAvailable(kChoiceListName);
}

void PopupHost::OpenBitSetEditor(const cmcCellCapsule&, const BitSet&) {
    ShowNotAvailable(kBitSetName);
}

void PopupHost::OpenDisplayTextEditor(const cmcCellCapsule&, const DisplayText&) {
    ShowNotAvailable(kDisplayTextName);
}

void PopupHost::OpenUserCharacterEditor(const cmcCellCapsule&, const UserCharacter&) {
    ShowNotAvailable(kUserCharacterName);
}

PopupHost& PopupHost::Unavailable() {
    static PopupHost host;
    return host;
}

void PopupHost::ShowNotAvailable(int n) {
    cmcGTex& texts = MainGTex();
    std::string text = GetTextBlock(texts, "GI_AppMess_PopupNotYet");
    const std::size_t at = text.find("%s");
    if (at != std::string::npos) {
        text.replace(at, 2, texts.GetLine("GI_AppInd_PopupNames", n));
    }
    platform::Boxes().Show(text, texts.GetLine("GI_Sys_AppTitle", 0),
                           platform::BoxIcon::Information, platform::BoxButtons::Ok);
}
