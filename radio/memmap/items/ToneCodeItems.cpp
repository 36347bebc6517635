// Selective calling by tones: the two-tone codes with their transmit tones (LMR types), the
// five-tone receive and transmit codes and the user tones they are made of (PMR types), and the
// timers of each. Their sheets and lists are data/Tarnwick/62-tones.ovl.
#include <algorithm>

#include "radio/memmap/items/ItemGroups.h"
#include "radio/records/TwoToneLimits.h"

namespace {

using namespace memmap;

constexpr char kRecordOnOff[] = "GI_Sheet_Sel_Misc_OnOff2";

// Tones in tenths of a hertz.
constexpr DecimalParams kTwoTone{
    .storedDecimals = 1, .shownDecimals = 1, .minimum = 250.0, .maximum = 3300.0};
constexpr DecimalParams kUserTone{
    .storedDecimals = 1, .shownDecimals = 1, .minimum = 400.0, .maximum = 3000.0};
// A tone period in tenths of a second, shown without the zeros that mean nothing.
constexpr TimerParams kTonePeriod{.unitsPerSecond = 10, .cutZeros = 2};
// Hundredths of a second in steps of 0.02 s.
constexpr DecimalParams kNoToneTime{
    .storedDecimals = 2, .shownDecimals = 3, .minimum = 0.02, .maximum = 0.3, .step = 2};
constexpr DecimalParams kBeepRepeat{.shownDecimals = 3, .minimum = 0, .maximum = 60};
// One mark for each of the seven digits of a code.
constexpr BitFieldParams kSevenDigits{.firstLabel = 1, .lastLabel = 7};

// A decoder accepts a tone 3 % either side; a user tone's window stays inside what the
// decoder hears.
constexpr double kWindow = 0.03;
constexpr int kLowestDecoded = 4000;
constexpr int kHighestDecoded = 30000;

void SetWindowA(ItemContext& context) {
    datCh& record = context.record;
    SetToneWindow(record.lowA, record.highA, record.toneA, kWindow);
    record.StoreAndReload();
}

void SetWindowB(ItemContext& context) {
    datCh& record = context.record;
    SetToneWindow(record.lowB, record.highB, record.toneB, kWindow);
    record.StoreAndReload();
}

void SetUserToneWindow(ItemContext& context) {
    datCh& record = context.record;
    SetToneWindow(record.decLow, record.decHigh, record.encode, kWindow);
    record.decLow = std::max(record.decLow, kLowestDecoded);
    record.decHigh = std::min(record.decHigh, kHighestDecoded);
    record.StoreAndReload();
}

uint8_t WindowCrossed(const ItemContext& context, int, const ValueCheck&) {
    return context.record.decLow > context.record.decHigh ? kMarkWarning : 0;
}
constexpr ValueCheck kWindowCrossed{WindowCrossed};

// The code sends a second tone: the low nibble of its transmit entry's byte 12 is not 15. Not
// so for a code that no record reaches.
bool SendsSecondTone(const ItemContext& context, const Condition&) {
    return context.record.codeType != 0;
}
constexpr Condition kSecondTone{SendsSecondTone};

// The user tones' timing: a byte a tone from base, and the common entry 15 a byte of its own.
constexpr int kCommonTone = 15;
template <int kBase, int kCommon>
int TimingAddress(const ItemContext& context) {
    return context.index == kCommonTone ? kCommon : kBase + context.index;
}
template <int kBase, int kCommon>
int ReadTiming(const ItemContext& context) {
    return context.image.GetByte(TimingAddress<kBase, kCommon>(context));
}
template <int kBase, int kCommon>
void WriteTiming(ItemContext& context, int value) {
    context.image.SetByte(TimingAddress<kBase, kCommon>(context), static_cast<uint8_t>(value));
}
template <int kBase, int kCommon>
constexpr IntField Timing() {
    return Custom({ReadTiming<kBase, kCommon>, WriteTiming<kBase, kCommon>});
}

// The common entry's no-tone time is byte 686, which saving and writing take from the model
// type's default image on the PMR types (the only ones with user tones): shown only.
bool IsCommonTone(const ItemContext& context, const Condition&) {
    return context.index == kCommonTone;
}
constexpr Condition kCommonEntry{IsCommonTone};

// A left-aligned cell of the code record: "----" where no record is.
constexpr ItemRow OfRecord(ItemRow row) {
    return row.OnlyIf(kRecordReached, "----", Align::Left);
}
constexpr ItemRow CodeChoice(int code, int datCh::*member, const char* list) {
    return OfRecord(RecordChoice(code, member, list));
}

constexpr ItemRow kRows[] = {
    // Two-tone codes 1..10; code 0 is "no code", every cell of it "----".
    Decimal(CL_2T_RxFreq_1st, Member(&datCh::toneA), kTwoTone)
        .LoadsRecord(RK_2ToneCode)
        .OnlyIf(kRecordReached)
        .AfterChange(SetWindowA),
    Decimal(CL_2T_RxFreq_2nd, Member(&datCh::toneB), kTwoTone)
        .LoadsRecord(RK_2ToneCode)
        .OnlyIf(kRecordReached)
        .AfterChange(SetWindowB),
    CodeChoice(CL_2T_GroupCall, &datCh::groupCall, "GI_Sheet_Sel_2TRxC_Group"),
    OfRecord(DisplayText(CL_2T_Text, Member(&datCh::name))),
    CodeChoice(CL_2T_Bell, &datCh::bell, "GI_Sheet_Sel_RxC_Bell"),
    CodeChoice(CL_2T_ANS, &datCh::ans, kRecordOnOff),
    CodeChoice(CL_2T_EXO, &datCh::exo, kRecordOnOff),
    CodeChoice(CL_2T_Beep, &datCh::beep, "GI_Sheet_Sel_RxC_Beep"),
    CodeChoice(CL_2T_AutoTx, &datCh::autoTx, kRecordOnOff),
    CodeChoice(CL_2T_Stun, &datCh::stun, "GI_Sheet_Sel_RxC_Stun"),
    CodeChoice(CL_2T_Scan, &datCh::scan, "GI_Sheet_Sel_RxC_Scan"),
    CodeChoice(CL_2T_Sfunc, &datCh::sFunc, kRecordOnOff),
    Decimal(CL_2T_NotoneTimer, Byte(667), kNoToneTime),
    TimerByte(CL_2T_GroupTimer, 396, 10),
    TimerByte(CL_2T_ExoTimer, 412, 1).FixedByModel(),
    Decimal(CL_2T_BeepRepeatTimer, Byte(407), kBeepRepeat),
    TimerByte(CL_2T_AutoTxTimer, 411, 1),
    CodeChoice(CL_2T_Code_Type, &datCh::codeType, "GI_Sheet_Sel_2TRxC_Type"),
    Decimal(CL_2TTx_Freq_1st, Member(&datCh::toneA), kTwoTone).OnlyIf(kRecordReached),
    Timer(CL_2T_1st_Period, Member(&datCh::periodA), kTonePeriod).OnlyIf(kRecordReached),
    // A single-tone code sends no second tone.
    Decimal(CL_2TTx_Freq_2nd, Member(&datCh::toneB), kTwoTone).OnlyIf(kSecondTone, "----  "),
    Timer(CL_2T_2nd_Period, Member(&datCh::periodB), kTonePeriod).OnlyIf(kRecordReached),

    // Five-tone receive codes 1..8.
    OfRecord(FiveToneCode(CL_5TRx_RxCode, {.digits = 7, .plusAllowed = true})),
    OfRecord(DisplayText(CL_5TRx_Text, Member(&datCh::name))),
    CodeChoice(CL_5TRx_IdDec, &datCh::idDec, kRecordOnOff),
    CodeChoice(CL_5TRx_Bell, &datCh::bell, "GI_Sheet_Sel_RxC_Bell"),
    CodeChoice(CL_5TRx_EmerCancel, &datCh::emerCancel, kRecordOnOff),
    OfRecord(AbcCode(CL_5TRx_Abc, Member(&datCh::abc))),
    CodeChoice(CL_5TRx_Exo, &datCh::exo, kRecordOnOff),
    CodeChoice(CL_5TRx_Beep, &datCh::beep, "GI_Sheet_Sel_RxC_Beep"),
    CodeChoice(CL_5TRx_AutoTx, &datCh::autoTx, kRecordOnOff),
    CodeChoice(CL_5TRx_Aud, &datCh::aud, "GI_Sheet_Sel_RxC_Aud"),
    CodeChoice(CL_5TRx_Stun, &datCh::stun, "GI_Sheet_Sel_RxC_Stun"),
    CodeChoice(CL_5TRx_Scan, &datCh::scan, "GI_Sheet_Sel_RxC_Scan"),
    CodeChoice(CL_5TRx_Sfunc, &datCh::sFunc, kRecordOnOff),
    TimerByte(CL_5TRx_LinkATimer, 390, 100),
    BitField(CL_5TRx_CompareDigit, Byte(372), kSevenDigits),
    TimerByte(CL_5TRx_IdDecodeTimer, 399, 10),
    TimerByte(CL_5TRx_ExoTimer, 412, 1).FixedByModel(),
    Decimal(CL_5TRx_BeepRepeatTimer, Byte(407), kBeepRepeat),
    TimerByte(CL_5TRx_AutoTxTimer, 411, 1),
    Choice(CL_5TRx_CompareTone, Bit(383, 0), "GI_Sheet_Sel_Misc_OnOff"),

    // Five-tone transmit codes 0..31.
    OfRecord(FiveToneCode(CL_5TTx_TxCode, {.digits = 7, .plusAllowed = false}))
        .LoadsRecord(RK_TxCode),
    OfRecord(BitField(CL_5TTx_InputDigit, Member(&datCh::inputDigit), kSevenDigits))
        .LoadsRecord(RK_TxCode),
    OfRecord(DisplayText(CL_5TTx_Text, Member(&datCh::name))),
    CodeChoice(CL_5TTx_Update, &datCh::update, kRecordOnOff),
    CodeChoice(CL_5TTx_AbcDec, &datCh::abcDec, kRecordOnOff),
    CodeChoice(CL_5TTx_AbcAud, &datCh::abcAud, kRecordOnOff),
    CodeChoice(CL_5TTx_Sel, &datCh::sel, kRecordOnOff),
    TimerByte(CL_5TTx_LongToneTimer, 391, 100),
    TimerByte(CL_5TTx_LinkRTimer, 387, 100),
    TimerByte(CL_5TTx_Link1Timer, 388, 100),
    TimerByte(CL_5TTx_Link2Timer, 389, 100),
    TimerByte(CL_5TTx_LeadOutDelayTimer, 392, 100),
    TimerByte(CL_5TTx_AbcDecTimer, 400, 10),
    BitField(CL_5TTx_DispDigit, Byte(371), kSevenDigits),
    OneHexDigit(CL_5TTx_SpTone_Group, Byte(layout::kCodeCommon), {.letterF = false}),
    OneHexDigit(CL_5TTx_SpTone_Repeat, Byte(374), {.letterF = false}),
    OneHexDigit(CL_5TTx_SpTone_Link2, Byte(375), {.letterF = true}),
    Choice(CL_5TTx_PTTCallIna, Bit(379, 6), "GI_Sheet_Sel_Misc_OnOff"),

    // User tones 0..14 (the five-tone digits 0..9, A..E) and the common entry 15.
    Decimal(CL_UTone_Encode, Member(&datCh::encode), kUserTone)
        .OnlyIf(kRecordReached)
        .AfterChange(SetUserToneWindow)
        .Redraws(RD_SameIndex),
    Decimal(CL_UTone_Dec_Low, Member(&datCh::decLow), kUserTone)
        .OnlyIf(kRecordReached)
        .MarkedBy(kWindowCrossed),
    Decimal(CL_UTone_Dec_High, Member(&datCh::decHigh), kUserTone)
        .OnlyIf(kRecordReached)
        .MarkedBy(kWindowCrossed),
    Decimal(CL_UTone_TonePeriod, Timing<658, 685>(),
            {.storedDecimals = 3, .shownDecimals = 3, .minimum = 0, .maximum = 0.255}),
    Decimal(CL_UTone_NotoneTimer, Timing<667, 686>(), kNoToneTime).ReadOnlyWhile(kCommonEntry),
    ScaledByte(CL_UTone_Length, Byte(Address(676, 1))).OnlyIf(kRecordReached),
};
static_assert(CodesNamedOnce(kRows));

}  // namespace

std::span<const ItemRow> ToneCodeRows() {
    return kRows;
}
