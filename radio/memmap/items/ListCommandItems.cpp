// List cells and the program's commands: the value cells of the choice lists, printing the
// sheets, opening a sheet and the help's contents.
//
// The value cells of a choice list's sheet show their caption, and their index is the value
// the list hands back to the cell that opened it; the answer item tells that cell which of its
// lists answered. The entries of the marked lists also show the mark their value would earn
// the channel that opened the list.
#include "common/cmcEvMan.h"
#include "common/cmcEventTypes.h"
#include "radio/cells/cmcCellCapsule.h"
#include "radio/cells/cmcCellObj.h"
#include "radio/host/indCommands.h"
#include "radio/host/indEnviron.h"
#include "radio/host/indHelp.h"
#include "radio/host/indMenuCommands.h"
#include "radio/image/RecordKind.h"
#include "radio/memmap/DigitalChannelMarks.h"
#include "radio/memmap/MenuRows.h"
#include "radio/memmap/indActiveCell.h"
#include "radio/memmap/items/ItemGroups.h"
#include "radio/memmap/items/ModelCommand.h"
#include "radio/records/datCh.h"

namespace {

using namespace memmap;

int MarkedListEntry(ItemContext& context, const ItemRow&) {
    CellListEntry(context, {});
    const cmcCellCapsule* parent = context.capsule.parent;
    if (!parent || !parent->cell) {
        return 0;
    }
    const cmcCellObj& caller = *parent->cell;
    const uint32_t kind = CategoryToRecordKind(caller.category, context.model);
    if (kind == RK_None) {
        return 0;
    }
    context.record.Load(kind, caller.index);
    const ChannelFlags channel = ChannelFlagsOf(kind, context.record, context.modelFlags);
    if (context.model == MT_VaskPmr && channel.vaskChannel) {
        context.capsule.marks |= DigitalChannelMarks(caller.item, context.index);
    }
    return 0;
}

// Enter opens the sheet that the cell's option text names.
int OpenCalledSheet(ItemContext& context, const ItemRow&) {
    CellListEntry(context, {});
    const cmcCellCapsule& capsule = context.capsule;
    if (capsule.key == kKeyEnter && capsule.cell->optionText) {
        context.services.commands.OpenSheet(*capsule.cell->optionText, capsule.sheet != nullptr);
    }
    return 0;
}

// Enter prints: mode 0 the open sheet, 1 every sheet of the tree.
void PrintSheets(ItemContext& context, int mode) {
    context.services.commands.Print(mode);
}

// Without an open sheet that may be printed, the entry is greyed.
bool NothingToPrint(const ItemContext& context, const Condition&) {
    return !context.services.commands.CurrentSheetPrintable();
}

void ShowHelpContents(ItemContext& context, int) {
    context.services.help.ShowHelpContents();
}

// ---- Edit, View, Model and Help menus ----

void PostEvent(ItemContext& context, int type, intptr_t b = 0, const char* text = nullptr) {
    if (cmcEvMan* bus = context.services.events) {
        text ? bus->PostText(type, 0, b, text) : bus->Post(type, 0, b);
    }
}

// The Edit menu mirrors the current cell's pop-up menu; with nothing to mirror it shows the
// no-item section. The request is queued on every render: the menu builds it only into an
// empty Edit menu (the menu that receives it is its source, A = 0).
int EditMenu(ItemContext& context, const ItemRow&) {
    PostEvent(context, EV_BuildSubMenu, CL_Menu_Edit_Top, "GI_PMenu_NoItem");
    return 0;
}

// The entries of the font percentages: the entry's index is its percentage.
void SetFontSize(ItemContext& context, int) {
    context.services.commands.SetFontSize(context.index);
}

bool FontSizeIsIndex(const ItemContext& context, const Condition&) {
    return context.services.menu.Settings().fontSizePercentage == context.index;
}

void ToggleToolBar(ItemContext& context, int) {
    context.services.commands.ToggleToolBar();
}

bool ToolBarShown(const ItemContext& context, const Condition&) {
    return context.services.menu.Settings().toolBarVisible != 0;
}

void ShowAbout(ItemContext& context, int) {
    PostEvent(context, EV_ShowAbout);
}

constexpr ItemRow kProgramMenuRows[] = {
    Special(CL_Menu_Edit_Top, &EditMenu),
    MenuEntry(CL_Menu_View_FontSize, {SetFontSize}).CheckedWhile(Condition{FontSizeIsIndex}),
    MenuEntry(CL_Menu_View_ToolBar, {ToggleToolBar}).CheckedWhile(Condition{ToolBarShown}),
    ModelCommand(CL_Model_Lmr, MT_Lmr),
    ModelCommand(CL_Model_Pmr, MT_Pmr),
    ModelCommand(CL_Model_VaskPmr, MT_VaskPmr),
    MenuEntry(CL_Help_About, {ShowAbout}),
    // Built only into an otherwise empty Edit menu, so it is that menu's one entry and stays
    // shown.
    MenuEntry(CL_PMenu_NoItem).DisabledWhile(kAlways),
};
static_assert(CodesNamedOnce(kProgramMenuRows));

// ---- List cells, sheets and help ----

constexpr ItemRow kRows[] = {
    // The item of cells that show nothing.
    NoSetting(CL_Null),
    ListEntry(Flex0),
    ListEntry(Flex1),
    Special(FlexMark, &MarkedListEntry),
    ListEntry(FlexDtcs),
    ListEntry(FlexKeyOpt),
    ListEntry(FlexScrmPort),
    // The File, Port and Clone menus.
    Command(CL_Menu_File_New, &indMenuCommands::FileNew),
    Command(CL_Menu_File_Open, &indMenuCommands::FileOpen),
    Command(CL_Menu_File_Save, &indMenuCommands::FileSave),
    Command(CL_Menu_File_SaveAs, &indMenuCommands::FileSaveAs),
    MenuEntry(CL_Menu_File_Print_Current, {PrintSheets, 0})
        .DisabledWhile(Condition{NothingToPrint}),
    MenuEntry(CL_Menu_File_Print_All, {PrintSheets, 1}),
    Special(CL_Menu_File_Recent, &RecentFileRow),
    Command(CL_Menu_File_Exit, &indMenuCommands::CloseMainWindow),
    MenuEntry(CL_Menu_Port_Com, {ChoosePort}).CheckedWhile(kPortIsIndex),
    Special(CL_Menu_Port_Usb, &OtherPortRow),
    MenuEntry(CL_Menu_Port_SpeedHigh, {ChooseCloneSpeed}).CheckedWhile(kCloneSpeedIsIndex),
    Command(CL_Menu_Clone_Read, &indMenuCommands::CloneRead),
    Command(CL_Menu_Clone_Write, &indMenuCommands::CloneWrite),
    Command(CL_Menu_Clone_Info, &indMenuCommands::CloneInfo),
    MenuEntry(CL_Help_Contents, {ShowHelpContents}),
    Special(CallSheet, &OpenCalledSheet),
};
static_assert(CodesNamedOnce(kRows));

}  // namespace

std::span<const ItemRow> ListCommandRows() {
    return kRows;
}

std::span<const ItemRow> ProgramMenuRows() {
    return kProgramMenuRows;
}
