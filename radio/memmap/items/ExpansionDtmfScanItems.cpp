// The tail of the common settings (man-down, data output, wide channels), the expansion
// settings, the user characters, the DTMF memories, the common tone table and the scan
// settings. Their sheets and lists are data/Tarnwick/55-expansion-dtmf-scan.ovl (man-down,
// emergency, expansion, tone table, scan, DTMF) and 30-common-settings.ovl (data output, wide).
#include <string>

#include "radio/memmap/items/ItemGroups.h"

namespace {

using namespace memmap;

constexpr char kOnOff[] = "GI_Sheet_Sel_Misc_OnOff";
constexpr char kRecordOnOff[] = "GI_Sheet_Sel_Misc_OnOff2";

// The man-down settings still take input while man-down is off; they are painted silver so
// that the technician sees they do nothing yet.
constexpr Condition kManDownOff = ImageBitsClear(377, 0x04);

constexpr NumberParams kBeepHertz{.minimum = 400, .maximum = 3000};

// Memory 1 is dialled automatically; on the LMR types memories 7 and 8 hold the emergency and
// the log-in codes. Text only.
int DtmfMemoryNumber(ItemContext& context, const ItemRow&) {
    std::string text = std::to_string(context.index + 1);
    if (context.index == 0) {
        text = "Autodial";
    } else if (context.modelFlags.lmr && context.index == 6) {
        text = "Emergency";
    } else if (context.modelFlags.lmr && context.index == 7) {
        text = "Log/ID";
    }
    context.capsule.outText = text;
    return 0;
}

constexpr ItemRow kRows[] = {
    Choice(CL_Comm_ManDown_ON, Bit(377, 2), kOnOff).Redraws(RD_AllCells),
    TimerByte(CL_Comm_ManDown_Timer, 434, 10).SilverWhile(kManDownOff),
    TimerByte(CL_Comm_ManDown_TS1, 2163, 10).SilverWhile(kManDownOff),
    TimerByte(CL_Comm_ManDown_TS2, 2164, 10).SilverWhile(kManDownOff),
    TimerByte(CL_Comm_ManDown_TS3, 2165, 10).SilverWhile(kManDownOff),
    Choice(CL_Comm_ManDown_Sairen, Bit(378, 7), "GI_Sheet_Sel_Comm_Sairen")
        .SilverWhile(kManDownOff),
    Number(CL_Comm_ManDown_ReCycle, Byte(2161), {.minimum = 1, .maximum = 8})
        .SilverWhile(kManDownOff),
    Choice(CL_Comm_TRDataOut, Bit(379, 2), "GI_Sheet_Sel_Comm_SetModeAccess"),
    Choice(CL_Comm_Wide, Bit(381, 7), "GI_Sheet_Sel_Comm_Wide"),
    // Tenths of a hertz.
    Decimal(CL_Exp_UserCtcss, Word(690),
            {.storedDecimals = 1,
             .shownDecimals = 1,
             .minimum = 60.0,
             .maximum = 300.0,
             .step = 1,
             .stepping = false}),
    TimerByte(CL_Exp_Emer_SwOnTimer, 401, 10),
    TimerByte(CL_Exp_Emer_SwOffTimer, 402, 10),
    TimerByte(CL_Exp_Emer_StartRepeat, 403, 1),
    // Stored in tenths of a hertz, set in hertz.
    Number(CL_Exp_BeepFreq_Low, Scaled(Word(354), 10), kBeepHertz),
    Number(CL_Exp_BeepFreq_High, Scaled(Word(356), 10), kBeepHertz),
    Choice(CL_Exp_DtcsInv_Tx, Bit(377, 7), "GI_Sheet_Sel_Exp_DtcsInv"),
    Choice(CL_Exp_DtcsInv_Rx, Bit(377, 6), "GI_Sheet_Sel_Exp_DtcsInv"),
    Choice(CL_Exp_ClShift, Bits(380, 0x03), "GI_Sheet_Sel_Exp_ClShift"),
    Choice(CL_Exp_BattTypeChange, ReversedBits(380, 0x0C), "GI_Sheet_Sel_Comm_Batt_Type"),
    Choice(CL_Exp_PttSw, Bit(381, 6), "GI_Sheet_Sel_Misc_Enable_D"),
    UserCharacter(CL_CEdit),
    Special(CL_Dtmf_ChNo, DtmfMemoryNumber),
    PackedCode(CL_Dtmf_Code, {.nibbles = 24}),
    DisplayText(CL_Dtmf_Text, Member(&datCh::name)),
    TimerByte(CL_Dtmf_DtmfTimer, 393, 100),
    TimerByte(CL_Dtmf_FirstTimer, 394, 100),
    TimerByte(CL_Dtmf_MarkTimer, 395, 100),
    SubTone(CL_CTone_RX, Side::Receive),
    SubTone(CL_CTone_TX, Side::Transmit),
    RecordChoice(CL_ScanList_ScanMode, &datCh::setting, "GI_Sheet_Sel_ScanMode"),
    DisplayText(CL_ScanList_Text, Member(&datCh::name)),
    RecordChoice(CL_ScanList_DispText, &datCh::flagA, kRecordOnOff),
    RecordChoice(CL_ScanList_PwrSave, &datCh::flagB, kRecordOnOff),
    TimerByte(CL_ScanComm_StopTimer, 397, 10),
    TimerByte(CL_ScanComm_ResumeTimer, 398, 10),
    TimerByte(CL_ScanComm_ScanTimer_Fast, 384, 1000),
    TimerByte(CL_ScanComm_ScanTimer_Slow, 385, 100),
    Choice(CL_ScanComm_PwrOnScan, Bit(379, 7), kOnOff),
    Choice(CL_ScanComm_AutoChCall_PmrOnly, Bit(378, 1), kOnOff),
};
static_assert(CodesNamedOnce(kRows));

}  // namespace

std::span<const ItemRow> ExpansionDtmfScanRows() {
    return kRows;
}
