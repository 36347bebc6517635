// The warning checks: the lines of the warning check list ("GI_WarningCheckList") and the
// bank checks the program adds to it. A check's marks sum up the marks that the fields it
// covers give themselves when they are painted, so a check never judges a value on its own.
#include "radio/cells/cmcCellCapsule.h"
#include "radio/image/BankSize.h"
#include "radio/image/ModelType.h"
#include "radio/memmap/indActiveCell.h"
#include "radio/memmap/items/ItemGroups.h"

namespace {

using namespace memmap;

constexpr int kUserToneCount = 15;
constexpr int kIdGroupCount = 8;

// The marks of a field's cell as the dispatch that runs the check would paint it.
CellMarks MarksOf(const ItemContext& context, int category, int item, int index) {
    return QueryCellMarks(category, item, index, *context.rows);
}

void AddMarks(ItemContext& context, bool error, bool warning) {
    context.capsule.marks |= (error ? kMarkError : 0) | (warning ? kMarkWarning : 0);
}

// The Vask digital channels of the bank the check runs for: the monitor setting warns, the
// select, call, PTT and channel-mute settings are errors.
int BankChannels(ItemContext& context, const ItemRow&) {
    if (context.model != MT_VaskPmr) {
        return 0;
    }
    const BankSpan bank = GetBankSpan(context.image, context.capsule.bankContext);
    bool warning = false;
    bool error = false;
    for (int channel = bank.first; channel < bank.first + bank.count; ++channel) {
        warning = warning || MarksOf(context, CT_Mch_Check, CL_Mch_Moni, channel).warning;
        for (int item : {CL_Mch_Sel, CL_Mch_Call, CL_Mch_PTT, CL_Mch_CH_Mute}) {
            error = error || MarksOf(context, CT_Mch_Check, item, channel).error;
        }
        if (warning && error) {
            break;
        }
    }
    AddMarks(context, error, warning);
    return 0;
}

// A user tone whose decoder limits warn. Only the PMR types have user tones: on the LMR types
// the same bytes hold the two-tone codes' detection windows.
int UserTones(ItemContext& context, const ItemRow&) {
    if (!IsPmrType(context.model)) {
        return 0;
    }
    bool warning = false;
    for (int tone = 0; tone < kUserToneCount && !warning; ++tone) {
        warning = MarksOf(context, CT_UserTone, CL_UTone_Dec_Low, tone).warning ||
                  MarksOf(context, CT_UserTone, CL_UTone_Dec_High, tone).warning;
    }
    AddMarks(context, false, warning);
    return 0;
}

int KillerAddress(ItemContext& context, const ItemRow&) {
    if (context.model == MT_VaskPmr) {
        AddMarks(context, MarksOf(context, CT_MSK_AdrRange, CL_Msk_AdrRange_Killer, 0).error,
                 false);
    }
    return 0;
}

int OwnIdGroups(ItemContext& context, const ItemRow&) {
    if (context.model != MT_VaskPmr) {
        return 0;
    }
    bool error = false;
    for (int group = 0; group < kIdGroupCount && !error; ++group) {
        error = MarksOf(context, CT_MSK_IdGroup, CL_Msk_IdGroup_Adr, group).error;
    }
    AddMarks(context, error, false);
    return 0;
}

int FixedBaseIds(ItemContext& context, const ItemRow&) {
    if (context.model == MT_VaskPmr) {
        AddMarks(context,
                 MarksOf(context, CT_MSK_Cfg, CL_Msk_Cfg_Status_FixBaseId, 0).error ||
                     MarksOf(context, CT_MSK_Cfg, CL_Msk_Cfg_Gps_FixBaseId, 0).error,
                 false);
    }
    return 0;
}

constexpr ItemRow kRows[] = {
    Special(CL_Check_Mch, &BankChannels),          Special(CL_Check_User_Tone_Encode, &UserTones),
    Special(CL_Check_Msk_IdRange, &KillerAddress), Special(CL_Check_Msk_OwnIdGroup, &OwnIdGroups),
    Special(CL_Check_Msk_Config, &FixedBaseIds),
};
static_assert(CodesNamedOnce(kRows));

}  // namespace

std::span<const ItemRow> CheckRows() {
    return kRows;
}
