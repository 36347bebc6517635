// List cells and the program's commands: the value cells of the choice lists, the File menu,
// opening a sheet and the help's contents.
#include <string>

#include "radio/cmcCellObj.h"
#include "radio/indCommands.h"
#include "radio/indEnviron.h"
#include "radio/indHelp.h"
#include "radio/indMenuCommands.h"
#include "radio/items/ItemGroups.h"

namespace {

using namespace memmap;

// The value cells of the choice lists show their caption; the list hands back their index.
int ShowCaption(ItemContext& context, const ItemRow&) {
    context.capsule.outText = context.capsule.cell->GetCaption();
    return 0;
}

// Enter opens the sheet that the cell's option text names.
int OpenCalledSheet(ItemContext& context, const ItemRow& row) {
    ShowCaption(context, row);
    const cmcCellCapsule& capsule = context.capsule;
    if (capsule.key == kKeyEnter && capsule.cell->optionText) {
        context.services.commands.OpenSheet(*capsule.cell->optionText, capsule.sheet != nullptr);
    }
    return 0;
}

int HelpContents(ItemContext& context, const ItemRow&) {
    if (context.capsule.key == kKeyEnter) {
        context.services.help.ShowHelpContents();
    }
    return 0;
}

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

// Entry n of the recent-file list, "&<n + 1> <name>", the name shown from the current folder.
// An empty entry is disabled, and hidden but for the first, which keeps the menu's own caption.
int RecentFile(ItemContext& context, const ItemRow&) {
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
    if (capsule.key == kKeyEnter) {
        menu.OpenRecentFile(context.index);
    }
    return 0;
}

constexpr ItemRow kRows[] = {
    Special(Flex0, &ShowCaption),
    Command(CL_Menu_File_New, &indMenuCommands::FileNew),
    Command(CL_Menu_File_Open, &indMenuCommands::FileOpen),
    Command(CL_Menu_File_Save, &indMenuCommands::FileSave),
    Command(CL_Menu_File_SaveAs, &indMenuCommands::FileSaveAs),
    Special(CL_Menu_File_Recent, &RecentFile),
    Command(CL_Menu_File_Exit, &indMenuCommands::CloseMainWindow),
    Special(CL_Help_Contents, &HelpContents),
    Special(CallSheet, &OpenCalledSheet),
};
static_assert(CodesNamedOnce(kRows));

}  // namespace

std::span<const ItemRow> ListCommandRows() {
    return kRows;
}
