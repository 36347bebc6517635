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

// The item of cells that show nothing.
int Nothing(ItemContext&, const ItemRow&) {
    return 0;
}

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

// Enter prints every sheet of the tree.
int PrintAllSheets(ItemContext& context, const ItemRow&) {
    if (context.capsule.key == kKeyEnter) {
        context.services.commands.Print(1);
    }
    return 0;
}

// Enter prints the open sheet; without one that may be printed the entry is greyed.
int PrintCurrentSheet(ItemContext& context, const ItemRow&) {
    indCommands& commands = context.services.commands;
    if (!commands.CurrentSheetPrintable()) {
        context.capsule.cell->stateBits |= kStateDisabled;
    } else if (context.capsule.key == kKeyEnter) {
        commands.Print(0);
    }
    return 0;
}

int HelpContents(ItemContext& context, const ItemRow&) {
    if (context.capsule.key == kKeyEnter) {
        context.services.help.ShowHelpContents();
    }
    return 0;
}

// ---- Edit, View, Model and Help menus ----

void SetStateIf(ItemContext& context, bool condition, uint8_t bits) {
    if (condition) {
        context.capsule.cell->stateBits |= bits;
    }
}

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

// Built only into an otherwise empty Edit menu, so it is that menu's one entry and stays shown.
int NoItem(ItemContext& context, const ItemRow&) {
    SetStateIf(context, true, kStateDisabled);
    return 0;
}

// The entry of a font percentage (its index).
int FontSize(ItemContext& context, const ItemRow&) {
    indCommands& commands = context.services.commands;
    if (context.capsule.key == kKeyEnter) {
        commands.SetFontSize(context.index);
    }
    SetStateIf(context, context.services.menu.Settings().fontSizePercentage == context.index,
               kStateChecked);
    return 0;
}

int ToolBar(ItemContext& context, const ItemRow&) {
    indCommands& commands = context.services.commands;
    if (context.capsule.key == kKeyEnter) {
        commands.ToggleToolBar();
    }
    SetStateIf(context, context.services.menu.Settings().toolBarVisible != 0, kStateChecked);
    return 0;
}

int About(ItemContext& context, const ItemRow&) {
    if (context.capsule.key == kKeyEnter) {
        PostEvent(context, EV_ShowAbout);
    }
    return 0;
}

constexpr ItemRow kProgramMenuRows[] = {
    Special(CL_Menu_Edit_Top, &EditMenu),
    Special(CL_Menu_View_FontSize, &FontSize),
    Special(CL_Menu_View_ToolBar, &ToolBar),
    Special(CL_Model_Lmr, &ModelCommand<MT_Lmr>),
    Special(CL_Model_Pmr, &ModelCommand<MT_Pmr>),
    Special(CL_Model_VaskPmr, &ModelCommand<MT_VaskPmr>),
    Special(CL_Help_About, &About),
    Special(CL_PMenu_NoItem, &NoItem),
};
static_assert(CodesNamedOnce(kProgramMenuRows));

// ---- List cells, sheets and help ----

constexpr ItemRow kRows[] = {
    Special(CL_Null, &Nothing),
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
    Special(CL_Menu_File_Print_Current, &PrintCurrentSheet),
    Special(CL_Menu_File_Print_All, &PrintAllSheets),
    Special(CL_Menu_File_Recent, &RecentFileRow),
    Command(CL_Menu_File_Exit, &indMenuCommands::CloseMainWindow),
    Special(CL_Menu_Port_Com, &PortRow),
    Special(CL_Menu_Port_Usb, &OtherPortRow),
    Special(CL_Menu_Port_SpeedHigh, &CloneSpeedRow),
    Command(CL_Menu_Clone_Read, &indMenuCommands::CloneRead),
    Command(CL_Menu_Clone_Write, &indMenuCommands::CloneWrite),
    Command(CL_Menu_Clone_Info, &indMenuCommands::CloneInfo),
    Special(CL_Help_Contents, &HelpContents),
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
