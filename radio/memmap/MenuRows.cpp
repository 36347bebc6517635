#include "radio/memmap/MenuRows.h"

#include <string>

#include "common/cmcEvMan.h"
#include "common/cmcEventTypes.h"
#include "common/cmcGTex.h"
#include "radio/cells/cmcCellCapsule.h"
#include "radio/cells/cmcCellObj.h"
#include "radio/host/PortNumber.h"
#include "radio/host/indEnviron.h"
#include "radio/host/indMenuCommands.h"
#include "radio/memmap/ItemRow.h"

namespace {

// The Port menu names ports 1..4; any other port is the "other port" entry's.
constexpr int kLastListedPort = 4;

// A file name in a menu caption: "&" is the mnemonic mark there, so a name's own is doubled.
std::string MenuText(const std::string& name) {
    std::string text;
    for (char c : name) {
        text += c;
        if (c == '&') {
            text += c;
        }
    }
    return text;
}

void ShowCaption(cmcCellCapsule& capsule) {
    capsule.outText = capsule.cell->GetCaption();
}

void CheckWhen(cmcCellCapsule& capsule, bool checked) {
    if (checked) {
        capsule.cell->stateBits |= kStateChecked;
    }
}

bool Entered(const ItemContext& context) {
    return context.capsule.key == kKeyEnter;
}

}  // namespace

int RecentFileRow(ItemContext& context, const ItemRow&) {
    cmcCellCapsule& capsule = context.capsule;
    cmcCellObj& cell = *capsule.cell;
    indMenuCommands& menu = context.services.menu;
    indEnviron& settings = menu.Settings();
    const std::string shown =
        settings.recentFiles.GetDisplayName(context.index, settings.currentFolder);
    capsule.outText = shown;
    if (shown.empty()) {
        cell.stateBits |= kStateDisabled | (context.index != 0 ? kStateHidden : 0);
        return 0;
    }
    cell.SetCaption("&" + std::to_string(context.index + 1) + " " + MenuText(shown));
    cell.stateBits |= kStateCaptionReplaced;
    if (Entered(context)) {
        menu.OpenRecentFile(context.index);
    }
    return 0;
}

void ChoosePort(ItemContext& context, int) {
    context.services.menu.Settings().portNumber = context.index;
    if (context.services.events) {
        context.services.events->Send(EV_RefreshCommands);
    }
}

bool PortIsIndex(const ItemContext& context, const memmap::Condition&) {
    return context.services.menu.Settings().portNumber == context.index;
}

// The entry names the other port when one is chosen ("&Other Port: COM7...").
int OtherPortRow(ItemContext& context, const ItemRow&) {
    cmcCellCapsule& capsule = context.capsule;
    if (Entered(context)) {
        context.services.menu.SelectComPort();
    }
    const int port = context.services.menu.Settings().portNumber;
    const bool other = port > kLastListedPort;
    capsule.cell->SetCaption(
        PortText(context.services.texts.GetLine("GI_AppInd_Menu_OtherPort", other ? 1 : 0), port));
    capsule.cell->stateBits |= kStateCaptionReplaced;
    ShowCaption(capsule);
    CheckWhen(capsule, other);
    return 0;
}

void ChooseCloneSpeed(ItemContext& context, int) {
    context.services.menu.Settings().highSpeed = context.index;
}

bool CloneSpeedIsIndex(const ItemContext& context, const memmap::Condition&) {
    return context.services.menu.Settings().highSpeed == context.index;
}
