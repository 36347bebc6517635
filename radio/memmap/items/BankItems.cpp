// The bank overview and the bank table: banked mode, the channels in use and free, each bank's
// name, trunking flag, size and channels in use; and the row numbers and the pillar that other
// sheets draw with. Their sheets and lists are data/Tarnwick/40-channels.ovl.
#include <algorithm>
#include <string>

#include "common/cmcCanvas.h"
#include "common/cmcEvMan.h"
#include "radio/host/EditMessages.h"
#include "radio/host/indCommands.h"
#include "radio/host/indDocument.h"
#include "radio/image/BankTable.h"
#include "radio/image/DottedText.h"
#include "radio/image/PackedSpace.h"
#include "radio/memmap/BankChannelEdits.h"
#include "radio/memmap/CellEditing.h"
#include "radio/memmap/items/ItemGroups.h"
#include "radio/records/UsedChannels.h"

namespace {

using namespace memmap;

constexpr int kBanks = layout::kBankCount;
constexpr int kChannels = layout::kChannelCount;
// Rows of the bank table after the banks: all banks together, then what is still free.
constexpr int kAllBanksRow = kBanks;
constexpr uint32_t kPillarGrey = 0x808080;

// Channels that may still be added: free positions the packed area holds (every channel kind
// takes the same room there).
int Room(const cmcEeprom& image) {
    return std::max(MaxChannelsThatFit(image, RK_ChPmr, kChannels - TotalBankChannels(image)), 0);
}

void Post(const ItemContext& context, int type, intptr_t B = 0) {
    if (cmcEvMan* events = context.services.events) {
        events->Post(type, 0, B);
    }
}

// --- Banked mode ---------------------------------------------------------------------------

int ReadBanked(const ItemContext& context) {
    return HasSecondBank(context.image) ? 1 : 0;
}

// Banked mode starts with two banks of four channels.
constexpr int kFirstBankedChannels = 8;

// The sizes start again; the channels stay where they are. Channels in use beyond the first
// banks of banked mode would then be in no bank, and so neither in the radio nor in a saved
// file: that is asked first.
void WriteBanked(ItemContext& context, int value) {
    const bool banked = value != 0;
    if (banked &&
        CountUsedChannelsIn(context.image, context.model, kFirstBankedChannels, kChannels - 1) >
            0 &&
        !ConfirmEdit(context.services, "GI_AppMess_Conv_BankMode")) {
        return;
    }
    ResetBankSizes(context.image, banked);
}

// The tree's banks and every open sheet follow the new bank table at once.
void AnnounceBanks(ItemContext& context) {
    if (cmcEvMan* events = context.services.events) {
        events->Send(EV_ModelChanged);
    }
}

// --- Counts --------------------------------------------------------------------------------

// A bank of banked mode is four positions.
int UsedOfFourPositions(const ItemContext& context) {
    return CountBankChannels(context.image, context.model, context.index);
}

int UsedChannels(const ItemContext& context) {
    return CountUsedChannels(context.image, context.model);
}

int FreeChannels(const ItemContext& context) {
    return kChannels - CountUsedChannels(context.image, context.model);
}

// A bank's channels in use; all banks'; and on the last row the channels that may still be
// used: the free positions that fit and the unused channels of the banks.
int UsedInBanks(const ItemContext& context) {
    cmcEeprom& image = context.image;
    if (context.index < kBanks) {
        return CountUsedInBank(image, context.model, context.index);
    }
    const int used = CountUsedInBanks(image, context.model);
    if (context.index == kAllBanksRow) {
        return used;
    }
    return Room(image) + TotalBankChannels(image) - used;
}

int ZeroBased(const ItemContext& context) {
    return context.index;
}

int OneBased(const ItemContext& context) {
    return context.index + 1;
}

// --- A bank's name and flag ----------------------------------------------------------------

void RenameBank(ItemContext& context) {
    if (cmcEvMan* events = context.services.events) {
        events->PostText(EV_RenameBank, 0, context.index,
                         FormatBankLabel(context.image, context.index));
    }
}

int ReadBankFlag(const ItemContext& context) {
    return GetBankFlag(context.image, context.index);
}

void WriteBankFlag(ItemContext& context, int value) {
    SetBankFlag(context.image, context.index, value);
}

void RefreshBankMarks(ItemContext& context) {
    Post(context, EV_RefreshBankMarks);
}

// --- A bank's size -------------------------------------------------------------------------

// Any size may be asked for: the bank resize says why it goes no further than it can.
constexpr NumberParams kAskedSize{.minimum = -0xFFFF, .maximum = 0xFFFF, .ends = Ends::Stop};

// Banks 0..15: the size, edited; the rows after them show the total and what may still be
// added. A change moves the channels behind the bank and stores the size in one step, so sizes
// and channels agree whatever key asked for it.
int BankSizeRow(ItemContext& context, const ItemRow&) {
    cmcEeprom& image = context.image;
    if (context.index >= kBanks) {
        const int shown = context.index == kAllBanksRow ? TotalBankChannels(image) : Room(image);
        ShowText(context, std::to_string(shown));
        return 0;
    }
    int size = ReadBankSize(image, context.index);
    if (CellInt(context, size, kAskedSize)) {
        size = ResizeBank(image, context.services.document.DefaultImage(),
                          ChannelKindOf(context.model), context.index, size);
        ShowText(context, std::to_string(size));
        context.services.commands.PackImage();
        context.redraw |= RD_AllCells;
        Post(context, EV_RefreshBankMarks);
        Post(context, EV_BankTitle);
    }
    return context.request;
}

// --- Decorations ---------------------------------------------------------------------------

// The bottom three tenths of the cell in grey, while it is painted.
int QuarterPillarRow(ItemContext& context, const ItemRow&) {
    const cmcCellCapsule& capsule = context.capsule;
    if (capsule.canvas && capsule.rect) {
        WindowRect pillar = *capsule.rect;
        const int bottom = pillar.Bottom();
        pillar.top = bottom - pillar.height * 3 / 10;
        pillar.height = bottom - pillar.top;
        capsule.canvas->FillRect(pillar, kPillarGrey);
    }
    return 0;
}

constexpr ItemRow kRows[] = {
    Choice(CL_Bank_SelBankFree, Custom({ReadBanked, WriteBanked}), "GI_Sheet_Sel_Bank_SelBankFree")
        .Redraws(RD_AllCells)
        .AfterChange(AnnounceBanks),
    Label(CL_Bank_SmarTrunk, "Non"),
    Figure(CL_Bank_UsedQty, Custom({UsedOfFourPositions})).OnlyIf(kBankedMode, "---"),
    Figure(CL_Bank_UsedTotal, Custom({UsedChannels})),
    Figure(CL_Bank_UsedLeft, Custom({FreeChannels})),
    DisplayText(CL_Mch_BankText, Chars(InTable(layout::kBankNameArea, 0), layout::kNameLength))
        .AfterChange(RenameBank),
    Choice(CL_Mch_SmarTrunk, Custom({ReadBankFlag, WriteBankFlag}), "GI_Sheet_Sel_Misc_OnOff2")
        .OnlyIf(IndexBelow(kBanks), "----", Align::Left)
        .AfterChange(RefreshBankMarks),
    Special(CL_Mch_Bank, BankSizeRow),
    Figure(CL_Mch_UsedCHs, Custom({UsedInBanks})),
    Figure(CL_Misc_ChNo_0Base, Custom({ZeroBased})),
    Figure(CL_Misc_ChNo_1Base, Custom({OneBased})),
    Special(CL_Misc_QuarterPillar, QuarterPillarRow),
};
static_assert(CodesNamedOnce(kRows));

}  // namespace

std::span<const ItemRow> BankRows() {
    return kRows;
}
