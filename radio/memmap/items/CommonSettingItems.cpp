// The radio's common settings: passwords, timers, the time-out timer, clone comments, CTCSS,
// the serial port and the scrambler. Every row binds bytes of the image directly; their sheets
// and lists are data/Tarnwick/30-common-settings.ovl.
#include "radio/memmap/items/ItemGroups.h"

namespace {

using namespace memmap;

constexpr TimerParams kSeconds{.unitsPerSecond = 1};
constexpr TimerParams kSecondsOrOff{.unitsPerSecond = 1, .offText = true};

// The inversion scrambler has no sync, group code or tone timing.
constexpr int kScrambler = 349;
constexpr Condition kInversionScrambler = ImageBitsSet(kScrambler, 0x08);

constexpr ItemRow kRows[] = {
    Digits(CL_Comm_UserPassword, Nibbles(344, 4)),
    Digits(CL_Comm_DealerPasscode, Nibbles(346, 6)),
    Choice(CL_Comm_PwrOnPassword, 381, 0x20, "GI_Sheet_Sel_Misc_OnOff"),
    Choice(CL_Comm_SetModeAccess, 379, 0x08, "GI_Sheet_Sel_Comm_SetModeAccess"),
    Timer(CL_Comm_AtResetTimer_A, Byte(408), kSecondsOrOff),
    Timer(CL_Comm_AtResetTimer_B, Byte(409), kSecondsOrOff),
    Timer(CL_Comm_InactiveTimer, Byte(410), kSeconds),
    Timer(CL_Comm_Tot_Timer, Byte(404), kSeconds),
    // Both ID-out cells show the one bit.
    Choice(CL_Comm_Tot_ID_Out, 379, 0x20, "GI_Sheet_Sel_Misc_OnOff"),
    Choice(CL_Comm_Tot_Dtmf_ID_Out, 379, 0x20, "GI_Sheet_Sel_Misc_OnOff"),
    Timer(CL_Comm_Tot_PenaltyTimer, Byte(405), kSecondsOrOff),
    Choice(CL_Comm_Tot_Beep, 379, 0x10, "GI_Sheet_Sel_Misc_OnOff"),
    Text(CL_Comm_CloneComment1, Chars(layout::kComment1, layout::kCommentLength)),
    Text(CL_Comm_CloneComment2, Chars(layout::kComment2, layout::kCommentLength)),
    Timer(CL_Comm_LockoutPenaltyTimer, Byte(406), kSecondsOrOff),
    Choice(CL_Comm_Ctcss_ToneBurst, 378, 0x08, "GI_Sheet_Sel_Comm_Ctcss_BurstType"),
    Timer(CL_Comm_Ctcss_ReverseBurst, Byte(386), {.unitsPerSecond = 100, .offText = true}),
    Choice(CL_Comm_Ctcss_RxAfFilt, 378, 0x04, "GI_Sheet_Sel_Comm_RxAfSw").FixedByModel(),
    Choice(CL_Comm_Ctcss_ChMuteCont, 377, 0x08, "GI_Sheet_Sel_Exp_ChMuteCont"),
    Choice(CL_Comm_RS232C_SPPED, 376, 0x0F, "GI_Sheet_Sel_Comm_RS232C_SPEED"),
    Choice(CL_Comm_RS232C_Mode, 376, 0x30, "GI_Sheet_Sel_Comm_RS232C_Mode"),
    Choice(CL_Comm_Scrm_Type, kScrambler, 0x08, "GI_Sheet_Sel_Comm_Scrm_Type").Redraws(RD_AllCells),
    Choice(CL_Comm_Scrm_SyncCapture, kScrambler, 0xC0, "GI_Sheet_Sel_Comm_Scrm_SyncCapture")
        .SilverWhile(kInversionScrambler),
    Choice(CL_Comm_Scrm_GroupCode, kScrambler, 0x03, "GI_Sheet_Sel_Comm_Scrm_GroupCode")
        .SilverWhile(kInversionScrambler),
    Choice(CL_Comm_Scrm_TStartTiming, kScrambler, 0x30, "GI_Sheet_Sel_Comm_Scrm_ToneStartTiming")
        .SilverWhile(kInversionScrambler),
    Timer(CL_Comm_PwrSave_Timer1, Byte(432), {.unitsPerSecond = 10}),
    Timer(CL_Comm_PwrSave_Timer2, Byte(433), kSeconds),
};
static_assert(CodesNamedOnce(kRows));

}  // namespace

std::span<const ItemRow> CommonSettingRows() {
    return kRows;
}
