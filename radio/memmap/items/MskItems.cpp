// The MSK signalling of the Vask models: address ranges, own-ID groups, the call list, status
// and short-text messages, timing and error handling, and the signalling configuration. The
// settings bind bytes of the image directly; the groups, the call list and the messages bind
// their records. Addresses are checked against the ranges of the signalling address view.
// Sheets and lists: data/Tarnwick/70-msk.ovl.
#include <string>

#include "radio/memmap/RunItemRow.h"
#include "radio/memmap/items/ItemGroups.h"
#include "radio/records/datVaskAdr.h"

namespace {

using namespace memmap;

constexpr int kCommonAddress = 2184;     // BE16
constexpr int kKillerAddress = 2186;     // BE16
constexpr int kConfigBits = 2153;        // encoder, decoder and GPS switches
constexpr int kSendBits = 2154;          // when status and position are sent
constexpr int kAniBits = 2155;           // caller display, PTT at connect
constexpr int kFixedStatusMessage = 23;  // the radio's own, after the 23 of the user

constexpr char kEnable[] = "GI_Sheet_Sel_Misc_Enable3";
constexpr char kOnOff[] = "GI_Sheet_Sel_Misc_OnOff2";

constexpr PaddedNumberParams kAddress{
    .width = 4, .minimum = 0, .maximum = layout::kVaskLastAddress};
constexpr NumberParams kAttempts{.minimum = 1, .maximum = 8};
constexpr DecimalParams kHundredths{.storedDecimals = 2, .shownDecimals = 2, .maximum = 2.55};

// --- The boundary between individual and group addresses -----------------------------------

int ReadFirstGroup(const ItemContext& context) {
    return context.vask.firstGroup;
}

void WriteFirstGroup(ItemContext& context, int value) {
    context.vask.firstGroup = value;
    context.vask.Store();
}

constexpr IntField kFirstGroup = Custom({ReadFirstGroup, WriteFirstGroup});

bool HasIndividualAddresses(const ItemContext& context, const Condition&) {
    return context.vask.firstGroup != 0;
}

std::string NoEdit(int address) {
    std::string text = std::to_string(address);
    if (text.size() < 4) {
        text.insert(0, 4 - text.size(), '0');
    }
    return text + " (No Edit)";
}

// Index 0 the first individual address, 1 the last; both follow from the first group address.
int IndividualRange(ItemContext& context, const ItemRow&) {
    std::string& text = context.capsule.outText;
    switch (context.index) {
        case 0:
            text = NoEdit(0);
            break;
        case 1:
            text = NoEdit(context.vask.firstGroup - 1);
            break;
        default:
            text = "error";
            break;
    }
    return 0;
}

// Index 0 the first group address, the one boundary edited; index 1 the last address.
int GroupRange(ItemContext& context, const ItemRow& row) {
    if (context.index == 0) {
        return RunRegularRow(context, row);
    }
    if (context.index == 1) {
        context.capsule.outText = NoEdit(layout::kVaskLastAddress);
    }
    return 0;
}

// --- Address checks against the signalling address view ------------------------------------

// An address outside its range earns the cell the error mark.
uint8_t Outside(const datVaskAdr::Range& range, int value) {
    return value < range.low || value > range.high ? kMarkError : 0;
}

// The parameter is the range slot of the address view.
uint8_t OutsideSlot(const ItemContext& context, int value, const ValueCheck& check) {
    return Outside(context.vask.ranges[static_cast<size_t>(check.parameter)], value);
}

// Own-ID group i has slot kIdGroupSlot + i; an index without a slot has nothing to check.
uint8_t OutsideIdGroupRange(const ItemContext& context, int value, const ValueCheck&) {
    const int slot = datVaskAdr::kIdGroupSlot + context.index;
    if (context.index < 0 || slot >= datVaskAdr::kRangeSlots) {
        return 0;
    }
    return Outside(context.vask.ranges[static_cast<size_t>(slot)], value);
}

uint8_t OutsideCallListRange(const ItemContext& context, int value, const ValueCheck&) {
    if (context.index < 0 || context.index >= datVaskAdr::kCallListSlots) {
        return 0;
    }
    return Outside(context.vask.callList[static_cast<size_t>(context.index)], value);
}

// A fixed base must have an individual address.
uint8_t GroupAddress(const ItemContext& context, int value, const ValueCheck&) {
    return value >= context.vask.firstGroup ? kMarkError : 0;
}

constexpr ValueCheck kOutsideKillerRange{OutsideSlot, datVaskAdr::kKillerSlot};
constexpr ValueCheck kOutsideIdGroupRange{OutsideIdGroupRange};
constexpr ValueCheck kOutsideCallListRange{OutsideCallListRange};
constexpr ValueCheck kGroupAddress{GroupAddress};

bool IsFixedStatusMessage(const ItemContext& context, const Condition&) {
    return context.index == kFixedStatusMessage;
}

constexpr Condition kFixedStatus{IsFixedStatusMessage};

constexpr ItemRow kRows[] = {
    // Address ranges.
    Special(CL_Msk_AdrRange_Individual, IndividualRange).OnlyIf(Condition{HasIndividualAddresses}),
    Special(PaddedNumber(CL_Msk_AdrRange_Group, kFirstGroup, kAddress).Redraws(RD_AllCells),
            GroupRange),
    PaddedNumber(CL_Msk_AdrRange_Common, Word(kCommonAddress), kAddress),
    Choice(CL_Msk_AdrRange_CountryCode, Byte(2188), "GI_Sheet_Sel_MSK_Country_Code"),
    PaddedNumber(CL_Msk_AdrRange_Killer, Word(kKillerAddress), kAddress)
        .MarkedBy(kOutsideKillerRange),

    // Own-ID groups: group 0 is the radio's individual ID.
    PaddedNumber(CL_Msk_IdGroup_Adr, Member(&datCh::adr), kAddress).MarkedBy(kOutsideIdGroupRange),
    DisplayText(CL_Msk_IdGroup_Text, Member(&datCh::name)),
    RecordChoice(CL_Msk_IdGroup_Alert, &datCh::alert, "GI_Sheet_Sel_RxC_Beep"),
    RecordChoice(CL_Msk_IdGroup_Bell, &datCh::bell, "GI_Sheet_Sel_Msk_IdGroup_Bell"),
    RecordChoice(CL_Msk_IdGroup_SFunc, &datCh::sFunc, kOnOff).FixedByModel(),

    // The call list.
    PaddedNumber(CL_Msk_CallList_Adr, Member(&datCh::adr), kAddress)
        .LoadsRecord(RK_MskCallList)
        .MarkedBy(kOutsideCallListRange),
    BitField(CL_Msk_CallList_Digit, Member(&datCh::digit), {.firstLabel = 1, .lastLabel = 4}),
    DisplayText(CL_Msk_CallList_Text, Member(&datCh::name)).LoadsRecord(RK_MskCallList),
    RecordChoice(CL_Msk_CallList_Update, &datCh::update, "GI_Sheet_Sel_Misc_Enable2"),
    RecordChoice(CL_Msk_CallList_Sel, &datCh::sel, "GI_Sheet_Sel_Misc_Enable2"),

    // Status messages; the last one is the radio's own and only shown.
    RecordChoice(CL_Msk_Msg_Status_Beep, &datCh::beep, "GI_Sheet_Sel_RxC_Beep")
        .ReadOnlyWhile(kFixedStatus),
    RecordChoice(CL_Msk_Msg_Status_Horn, &datCh::horn, kOnOff).ReadOnlyWhile(kFixedStatus),
    RecordChoice(CL_Msk_Msg_Status_Auto, &datCh::autoStatus, kOnOff).ReadOnlyWhile(kFixedStatus),
    RecordChoice(CL_Msk_Msg_Status_SFunc, &datCh::sFunc, kOnOff).FixedByModel(),
    RecordChoice(CL_Msk_Msg_Status_Rriority, &datCh::priority, "GI_Sheet_Sel_Msk_StatusMessPrio"),
    RecordChoice(CL_Msk_Msg_Status_Selection, &datCh::selection, kOnOff),
    DisplayText(CL_Msk_Msg_Status_Text_Rx, Member(&datCh::name)).ReadOnlyWhile(kFixedStatus),
    DisplayText(CL_Msk_Msg_Status_Text_Tx, Member(&datCh::name2)),

    // Short text messages.
    DisplayText(CL_Msk_Msg_ShortTxtTxMsg_1, Member(&datCh::name)),
    RecordChoice(CL_Msk_Msg_ShortTxtTxMsg_Sel, &datCh::selection, kOnOff),

    // Timing and error handling.
    Number(CL_Msk_TimingErr_NA, Byte(2158), kAttempts),
    Number(CL_Msk_TimingErr_NM, Byte(2159), kAttempts),
    Number(CL_Msk_TimingErr_NR, Byte(2160), kAttempts),
    Decimal(CL_Msk_TimingErr_TAC, Byte(2162),
            {.storedDecimals = 2, .shownDecimals = 2, .minimum = 0.01, .maximum = 2.55}),
    Number(CL_Msk_TimingErr_BusyCheck, Byte(2168), {.minimum = 0, .maximum = 255}),
    Decimal(CL_Msk_TimingErr_LetAck, Byte(2166), kHundredths),
    Decimal(CL_Msk_TimingErr_LetCall, Byte(2167), kHundredths),

    // Encoder and decoder.
    Choice(CL_Msk_Cfg_Enc_PttCall, kConfigBits, 0x80, kEnable),
    Choice(CL_Msk_Cfg_Enc_PreEmphasis, kConfigBits, 0x40, "GI_Sheet_Sel_Msk_PreEmphasis"),
    NibbleCode(CL_Msk_Cfg_Enc_SyncvWord, Word(2146), {.digits = 4}),
    Choice(CL_Msk_Cfg_Enc_PttSideTone, kConfigBits, 0x04, "GI_Sheet_Sel_Msk_PttSideTone"),
    Decimal(CL_Msk_Cfg_Dec_BeepRepeatTimer, Byte(2149),
            {.storedDecimals = 0, .shownDecimals = 3, .maximum = 60}),
    Choice(CL_Msk_Cfg_Dec_MuteMskTone, kConfigBits, 0x20, "GI_Sheet_Sel_Misc_OnOff"),
    Choice(CL_Msk_Cfg_Dec_ANI_Disp, kAniBits, 0x30, "GI_Sheet_Sel_Msk_ANI_Disp"),
    Timer(CL_Msk_Cfg_Dec_ANI_Disp_Timer, Byte(2148), {.unitsPerSecond = 10, .cutZeros = 2}),

    // Status sending.
    PaddedNumber(CL_Msk_Cfg_Status_FixBaseId, Word(2142), kAddress).MarkedBy(kGroupAddress),
    Choice(CL_Msk_Cfg_Status_Send_PrioA, 380, 0x40, kEnable),
    Choice(CL_Msk_Cfg_Status_Send_On, kSendBits, 0x02, kEnable),
    Choice(CL_Msk_Cfg_Status_Send_Off, kSendBits, 0x01, kEnable),

    // GPS.
    PaddedNumber(CL_Msk_Cfg_Gps_FixBaseId, Word(2144), kAddress).MarkedBy(kGroupAddress),
    Choice(CL_Msk_Cfg_Gps_Send_Base, kSendBits, 0x40, kEnable),
    Choice(CL_Msk_Cfg_Gps_Auto, kConfigBits, 0x10, kEnable),
    MinSec(CL_Msk_Cfg_Gps_TimeMarker, Byte(2151), {.minimumSeconds = 0}),
    MinSec(CL_Msk_Cfg_Gps_IntervalTimer, Byte(2152), {.minimumSeconds = 30}),
    Choice(CL_Msk_Cfg_Gps_Send_Logoff, kSendBits, 0x10, kEnable),
    Choice(CL_Msk_Cfg_Gps_Send_Status, kSendBits, 0x08, kEnable),
    Choice(CL_Msk_Cfg_Gps_Send_Sdm, kSendBits, 0x20, kEnable),
    Choice(CL_Msk_Cfg_Gps_Send_Emer, kSendBits, 0x80, kEnable),
    Choice(CL_Msk_Cfg_Gps_Send_ManDown, kSendBits, 0x04, kEnable),
    Choice(CL_Msk_Cfg_Gps_Sentence, kConfigBits, 0x03, "GI_Sheet_Sel_Msk_GpsSentence"),

    Choice(CL_Msk_Cfg_Etc_PttEnableAtConnect, kAniBits, 0x80, kEnable),
};
static_assert(CodesNamedOnce(kRows));

}  // namespace

std::span<const ItemRow> MskRows() {
    return kRows;
}
