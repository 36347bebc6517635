// The entries of the cells' pop-up menu that edit the list of records under the menu's cell.
// They only tell the menu when they do not apply to that record; the edits themselves run in
// the dispatcher's command handling.
#include "radio/RecordKind.h"
#include "radio/cmcCellCapsule.h"
#include "radio/cmcCellObj.h"
#include "radio/datCh.h"
#include "radio/datClipCh.h"
#include "radio/indCommands.h"
#include "radio/items/ItemGroups.h"

namespace {

using namespace memmap;

// The record of the code lists whose first entry is the list's fixed "off" code, and the
// status message whose last entry the radio keeps for itself.
bool IsFixedFirst(uint32_t kind) {
    return kind == RK_RxCode || kind == RK_2ToneCode;
}
constexpr int kFixedLastStatus = 23;

// A channel row past the bank's last channel, or of an empty bank.
bool BeyondBank(const ItemContext& context) {
    return context.bank.count == 0 || context.index > context.bank.last;
}

// Copy, clear and delete: not on a channel row outside the bank, nor on a fixed entry.
bool CopyDisabled(const ItemContext& context) {
    const uint32_t kind = context.kind;
    return (IsChannelKind(kind) && BeyondBank(context)) ||
           (IsFixedFirst(kind) && context.index == 0) ||
           (kind == RK_MskMsgStatus && context.index == kFixedLastStatus);
}

bool PasteDisabled(const ItemContext& context) {
    const uint32_t kind = context.kind;
    return !context.services.commands.ChannelClipboard().HasKind(kind) ||
           (IsChannelKind(kind) && BeyondBank(context)) ||
           (IsFixedFirst(kind) && context.index == 0);
}

// Carrying moves the record one place within its kind's range and, for a channel, its bank.
bool CarryUpDisabled(const ItemContext& context) {
    const uint32_t kind = context.kind;
    const int index = context.index;
    return index <= datCh::GetKindMin(kind) || index > datCh::GetKindMax(kind) ||
           (IsChannelKind(kind) && (BeyondBank(context) || index == context.bank.first)) ||
           (IsFixedFirst(kind) && index == 0);
}

bool CarryDownDisabled(const ItemContext& context) {
    const uint32_t kind = context.kind;
    const int index = context.index;
    return index < datCh::GetKindMin(kind) || index >= datCh::GetKindMax(kind) ||
           (IsChannelKind(kind) && (BeyondBank(context) || index == context.bank.last)) ||
           (IsFixedFirst(kind) && index == 0);
}

template <bool (*kDisabled)(const ItemContext&)>
int ListEditEntry(ItemContext& context, const ItemRow&) {
    cmcCellObj& cell = *context.capsule.cell;
    context.capsule.outText = cell.GetCaption();
    if (kDisabled(context)) {
        cell.stateBits |= kStateDisabled;
    }
    return 0;
}

constexpr ItemRow kRows[] = {
    Special(CL_PMenu_Copy, &ListEditEntry<&CopyDisabled>),
    Special(CL_PMenu_Paste, &ListEditEntry<&PasteDisabled>),
    Special(CL_PMenu_CarryUp, &ListEditEntry<&CarryUpDisabled>),
    Special(CL_PMenu_CarryDown, &ListEditEntry<&CarryDownDisabled>),
    Special(CL_PMenu_Clear, &ListEditEntry<&CopyDisabled>),
    Special(CL_PMenu_Delete, &ListEditEntry<&CopyDisabled>),
};
static_assert(CodesNamedOnce(kRows));

}  // namespace

std::span<const ItemRow> PopupMenuRows() {
    return kRows;
}
