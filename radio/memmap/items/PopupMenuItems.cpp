// The entries of the cells' pop-up menu that edit the list of records under the menu's cell.
// They only tell the menu when they do not apply to that record; the edits themselves run in
// the dispatcher's command handling.
#include "radio/cells/cmcCellCapsule.h"
#include "radio/cells/cmcCellObj.h"
#include "radio/host/indCommands.h"
#include "radio/image/RecordKind.h"
#include "radio/memmap/items/ItemGroups.h"
#include "radio/records/datCh.h"
#include "radio/records/datClipCh.h"

namespace {

using namespace memmap;

// A channel row past the bank's last channel, or of an empty bank.
bool BeyondBank(const ItemContext& context) {
    return context.bank.count == 0 || context.index > context.bank.last;
}

// Records the list edits leave alone: those of kinds without list edits, and those outside
// the kind's list, such as the fixed "off" entry 0 of the code lists and the status message
// the radio keeps for itself after the user's.
bool OutsideList(const ItemContext& context) {
    const uint32_t kind = context.kind;
    return !datCh::KindTakesListEdits(kind) || context.index < datCh::GetKindMin(kind) ||
           context.index > datCh::GetKindMax(kind) || (IsChannelKind(kind) && BeyondBank(context));
}

bool CopyDisabled(const ItemContext& context, const Condition&) {
    return OutsideList(context);
}

bool PasteDisabled(const ItemContext& context, const Condition&) {
    return OutsideList(context) ||
           !context.services.commands.ChannelClipboard().HasKind(context.kind);
}

// Carrying moves the record one place within its kind's list and, for a channel, its bank.
bool CarryUpDisabled(const ItemContext& context, const Condition&) {
    const int index = context.index;
    return OutsideList(context) || index == datCh::GetKindMin(context.kind) ||
           (IsChannelKind(context.kind) && index == context.bank.first);
}

bool CarryDownDisabled(const ItemContext& context, const Condition&) {
    const int index = context.index;
    return OutsideList(context) || index == datCh::GetKindMax(context.kind) ||
           (IsChannelKind(context.kind) && index == context.bank.last);
}

// Clear and delete take the record out of its list; only kinds that allow it.
bool ClearDisabled(const ItemContext& context, const Condition&) {
    return OutsideList(context) || !datCh::KindEditable(context.kind);
}

// Insert on channels may also open the row after the bank's last channel.
bool InsertDisabled(const ItemContext& context, const Condition& condition) {
    if (IsChannelKind(context.kind)) {
        return false;
    }
    return ClearDisabled(context, condition);
}

// An entry shows its caption and is disabled while its test holds.
constexpr ItemRow ListEdit(int code, ConditionTest disabled) {
    return MenuEntry(code).DisabledWhile(Condition{disabled});
}

constexpr ItemRow kRows[] = {
    ListEdit(CL_PMenu_Copy, CopyDisabled),       ListEdit(CL_PMenu_Paste, PasteDisabled),
    ListEdit(CL_PMenu_CarryUp, CarryUpDisabled), ListEdit(CL_PMenu_CarryDown, CarryDownDisabled),
    ListEdit(CL_PMenu_Clear, ClearDisabled),     ListEdit(CL_PMenu_Delete, ClearDisabled),
    ListEdit(CL_PMenu_Insert, InsertDisabled),
};
static_assert(CodesNamedOnce(kRows));

}  // namespace

std::span<const ItemRow> PopupMenuRows() {
    return kRows;
}
