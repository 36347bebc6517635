// The warning checks: the lines of the warning check list ("GI_WarningCheckList") and the
// bank checks the program adds to it. A check's marks sum up the marks that the fields it
// covers give themselves when they are painted, so a check never judges a value on its own.
#include "radio/cells/cmcCellCapsule.h"
#include "radio/image/ModelType.h"
#include "radio/memmap/items/ItemGroups.h"

namespace {

using namespace memmap;

constexpr int kUserToneCount = 15;
constexpr int kIdGroupCount = 8;

// The Vask digital channels of the bank the check runs for: the monitor setting warns, the
// select, call, PTT and channel-mute settings are errors.
constexpr MarkSource kBankChannels[] = {
    {CT_Mch_Check, CL_Mch_Moni, kMarkWarning, kChannelsOfBank},
    {CT_Mch_Check, CL_Mch_Sel, kMarkError, kChannelsOfBank},
    {CT_Mch_Check, CL_Mch_Call, kMarkError, kChannelsOfBank},
    {CT_Mch_Check, CL_Mch_PTT, kMarkError, kChannelsOfBank},
    {CT_Mch_Check, CL_Mch_CH_Mute, kMarkError, kChannelsOfBank},
};

// A user tone whose decoder limits warn.
constexpr MarkSource kUserTones[] = {
    {CT_UserTone, CL_UTone_Dec_Low, kMarkWarning, kUserToneCount},
    {CT_UserTone, CL_UTone_Dec_High, kMarkWarning, kUserToneCount},
};

constexpr MarkSource kKillerAddress[] = {{CT_MSK_AdrRange, CL_Msk_AdrRange_Killer, kMarkError}};
constexpr MarkSource kOwnIdGroups[] = {
    {CT_MSK_IdGroup, CL_Msk_IdGroup_Adr, kMarkError, kIdGroupCount}};
constexpr MarkSource kFixedBaseIds[] = {
    {CT_MSK_Cfg, CL_Msk_Cfg_Status_FixBaseId, kMarkError},
    {CT_MSK_Cfg, CL_Msk_Cfg_Gps_FixBaseId, kMarkError},
};

bool PmrType(const ItemContext& context, const Condition&) {
    return IsPmrType(context.model);
}

constexpr Condition kVask = ModelIs(MT_VaskPmr);

constexpr ItemRow kRows[] = {
    MarkSum(CL_Check_Mch, kBankChannels, kVask),
    // Only the PMR types have user tones: on the LMR types the same bytes hold the two-tone
    // codes' detection windows.
    MarkSum(CL_Check_User_Tone_Encode, kUserTones, Condition{PmrType}),
    MarkSum(CL_Check_Msk_IdRange, kKillerAddress, kVask),
    MarkSum(CL_Check_Msk_OwnIdGroup, kOwnIdGroups, kVask),
    MarkSum(CL_Check_Msk_Config, kFixedBaseIds, kVask),
};
static_assert(CodesNamedOnce(kRows));

}  // namespace

std::span<const ItemRow> CheckRows() {
    return kRows;
}
