// The memory channels of a bank sheet: one record of the model's channel kind a row, which the
// frame has loaded at the cell's index. Typing into the empty row after the bank's last channel
// opens a channel there. On the Vask model type the channel's kind (analogue, Vask, digital
// data) decides which signalling cells apply. Sheets and lists: data/Tarnwick/40-channels.ovl.
#include <cstdio>
#include <string>

#include "common/cmcEvMan.h"
#include "common/cmcGTex.h"
#include "radio/host/EditMessages.h"
#include "radio/host/indCommands.h"
#include "radio/image/BankTable.h"
#include "radio/image/PackedSpace.h"
#include "radio/memmap/CellEditing.h"
#include "radio/memmap/DigitalChannelMarks.h"
#include "radio/memmap/RunItemRow.h"
#include "radio/memmap/items/ItemGroups.h"

namespace {

using namespace memmap;
using D = datCh;

// --- The channel number and the empty row --------------------------------------------------

// "bank-position" within the bank; the empty row after it says it makes a new channel.
int ChannelNumberRow(ItemContext& context, const ItemRow&) {
    if (context.beyondBank) {
        ShowText(context, context.services.texts.GetLine("GI_NewChTitle", 0));
        return 0;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%d-%3d", context.bank.bank + 1,
                  context.index - context.bank.first + 1);
    ShowText(context, text);
    return 0;
}

// The keys that start a frequency, and so a channel, on the empty row.
bool OpensChannel(int key) {
    return key == kKeySpace || key == kKeyBackspace || key == '.' || IsDigitKey(key) ||
           key == kKeyEnter;
}

// The main window opens an empty channel at the row and grows the bank; false, with the
// overflow message, when the memory holds no more channels.
bool OpenChannel(ItemContext& context) {
    cmcEeprom& image = context.image;
    const int before = GetBankSizeOf(image, context.bank.bank);
    if (TotalBankChannels(image) < layout::kChannelCount &&
        PackedSpaceFits(image, RK_ChPmr, 1).fits && context.services.events) {
        context.services.events->Send(EV_InsertChannel, context.bank.bank, context.index);
    }
    if (GetBankSizeOf(image, context.bank.bank) <= before) {
        ShowEditError(context.services, "GI_AppMess_ChErr_Overflow");
        return false;
    }
    context.record.Reload();
    context.record.used = 0;
    context.services.commands.PackImage();
    return true;
}

constexpr ItemRow kReceiveFrequency = Frequency(CL_Mch_FreqR, Side::Receive);

// The empty row shows nothing until a key opens a channel there; the key then goes on to the
// frequency editor, so a typed digit becomes the frequency's first.
int ReceiveFrequencyRow(ItemContext& context, const ItemRow&) {
    if (context.beyondBank) {
        context.capsule.outText.clear();
        if (!OpensChannel(ActiveKey(context)) || !OpenChannel(context)) {
            return 0;
        }
    }
    return RunRegularRow(context, kReceiveFrequency);
}

// --- The digital repeater of a Vask channel ------------------------------------------------

// 255 stands for "none", held in its own bit beside the code.
constexpr int kNoRepeater = 255;

int ReadDigitalRepeater(const ItemContext& context) {
    return context.record.mskBit2 ? kNoRepeater : context.record.rptCode;
}

void WriteDigitalRepeater(ItemContext& context, int value) {
    datCh& record = context.record;
    record.mskBit2 = value == kNoRepeater ? 1 : 0;
    if (value != kNoRepeater) {
        record.rptCode = value;
    }
    record.StoreAndReload();
}

// The receive codes of a Vask channel: bits 1..7 of the field's low seven bits; bit 7 stays.
int ReadVaskRxCodes(const ItemContext& context) {
    return (context.record.rxCodeNo & 0x7F) * 2;
}

void WriteVaskRxCodes(ItemContext& context, int value) {
    datCh& record = context.record;
    record.rxCodeNo = (record.rxCodeNo & 0x80) | ((value / 2) & 0x7F);
    record.StoreAndReload();
}

// --- Rows ----------------------------------------------------------------------------------

constexpr char kOnOff[] = "GI_Sheet_Sel_Misc_OnOff2";
constexpr char kCodes[] = "GI_Sheet_Sel_RxC_AbcCode";
constexpr char kLongTone[] = "GI_Sheet_Sel_Mch_LTone";

// On a Vask channel of the Vask model type the signalling needs some settings as it expects
// them; the marks of the other values are those their choice lists show.
uint8_t DigitalChannelRule(const ItemContext& context, int value, const ValueCheck&) {
    if (context.model != MT_VaskPmr || !context.channel.vaskChannel) {
        return 0;
    }
    return DigitalChannelMarks(context.item, value);
}

constexpr ValueCheck kDigitalChannelRule{DigitalChannelRule};

// A setting the Vask signalling of a digital channel rules: its list's entries and its cell
// carry the marks, and a change redraws every cell (the channel's other marks follow it).
constexpr ItemRow DigitalRuleChoice(int code, int D::*field, const char* list) {
    return RecordChoice(code, field, list, FlexMark)
        .Redraws(RD_AllCells)
        .MarkedBy(kDigitalChannelRule);
}

constexpr ItemRow Codes(int code, int D::*field) {
    return TypedChoice(code, Member(field), {kCodes, Flex1});
}

constexpr ItemRow kRows[] = {
    Special(CL_Mch_No, ChannelNumberRow),
    OptionLetters(CL_Mch_Atr, Member(&D::attr), "GI_Sheet_Sel_Mch_Atr").Redraws(RD_SameItem),
    RecordChoice(CL_Mch_Inh, &D::inh, "GI_Sheet_Sel_Mch_ChInh"),
    Special(CL_Mch_FreqR, ReceiveFrequencyRow),
    Frequency(CL_Mch_FreqT, Side::Transmit).SilverWhile(RecordFlagSet(&D::txInh)),
    RecordChoice(CL_Mch_TxInh, &D::txInh, "GI_Sheet_Sel_Mch_CH_TxInh"),
    RecordChoice(CL_Mch_Nar, &D::nar, "GI_Sheet_Sel_Mch_Nar"),
    SubTone(CL_Mch_CTone_R, Side::Receive),
    SubTone(CL_Mch_CTone_T, Side::Transmit),
    DisplayText(CL_Mch_Text, Member(&D::name)),
    RecordChoice(CL_Mch_Compander, &D::compander, kOnOff),
    RecordChoice(CL_Mch_PwrSave, &D::pwrSave, kOnOff),
    RecordChoice(CL_Mch_Tot, &D::tot, kOnOff),
    RecordChoice(CL_Mch_RfPo, &D::rfPower, "GI_Sheet_Sel_Mch_RfPwr"),
    ModelChoice(CL_Mch_Lockout, Member(&D::lockout), "GI_Sheet_Sel_Mch_Lockout_Pmr",
                "GI_Sheet_Sel_Mch_Lockout_Lmr"),
    BitField(CL_Mch_Scan, Member(&D::scanMask),
             {.firstLabel = 1, .lastLabel = 10, .labelStyle = 2}),
    ModelChoice(CL_Mch_AutoReset, Member(&D::autoReset), "GI_Sheet_Sel_Mch_AutoReset_Pmr",
                "GI_Sheet_Sel_Mch_AutoReset_Lmr"),
    TypedChoice(CL_Mch_2Tone, Member(&D::twoTone), {"GI_Sheet_Sel_Mch_2Tone", Flex0}),
    ModelChoice(CL_Mch_Log, Member(&D::log), "GI_Sheet_Sel_Mch_Log_Pmr",
                "GI_Sheet_Sel_Mch_Log_Lmr"),
    RecordChoice(CL_Mch_Scan_Inc, &D::scanInc, "GI_Sheet_Sel_Mch_ScanInc"),
    RecordChoice(CL_Mch_Scrm_On, &D::scrmOn, "GI_Sheet_Sel_Mch_ScramOn"),
    ScramCode(CL_Mch_Scrm_Code, Member(&D::scrmCode)),
    ModelChoice(CL_Mch_Log_Pmr, Member(&D::log), "GI_Sheet_Sel_Mch_Log_Pmr",
                "GI_Sheet_Sel_Mch_Log_Lmr"),
    DigitalRuleChoice(CL_Mch_Moni, &D::moni, "GI_Sheet_Sel_Mch_Moni"),
    DigitalRuleChoice(CL_Mch_Sel, &D::sel, "GI_Sheet_Sel_Mch_Sel"),
    DigitalRuleChoice(CL_Mch_Call, &D::call, "GI_Sheet_Sel_Mch_Call"),
    DigitalRuleChoice(CL_Mch_PTT, &D::ptt, "GI_Sheet_Sel_Mch_Ptt"),
    DigitalRuleChoice(CL_Mch_CH_Mute, &D::chMute, "GI_Sheet_Sel_Mch_ChMute"),
    RecordChoice(CL_Mch_Form, &D::form, "GI_Sheet_Sel_Mch_Form")
        .OnlyIf(kVaskRuleA, "----", Align::Left),
    Codes(CL_Mch_Rpt_C, &D::rptCode).OnlyIf(kVaskRuleA),
    RecordChoice(CL_Mch_Rpt_L, &D::rptLong, kLongTone).OnlyIf(kVaskRuleA, "-", Align::Left),
    Codes(CL_Mch_Stn_C, &D::stnCode).OnlyIf(kVaskRuleB),
    RecordChoice(CL_Mch_Stn_L, &D::stnLong, kLongTone).OnlyIf(kVaskRuleB, "-", Align::Left),
    Codes(CL_Mch_Id_C, &D::idCode).OnlyIf(kVaskRuleB),
    RecordChoice(CL_Mch_Id_L, &D::idLong, kLongTone).OnlyIf(kVaskRuleB, "-", Align::Left),
    RecordChoice(CL_Mch_Pos, &D::pos, "GI_Sheet_Sel_Mch_Pos")
        .OnlyIf(kVaskRuleB, "----", Align::Left),
    BitField(CL_Mch_RxCNo, Member(&D::rxCodeNo), {.firstLabel = 1, .lastLabel = 8})
        .OnlyIf(kVaskRuleB, "----", Align::Left),
    BitField(CL_Mch_RxCNo2, Member(&D::rxCodeNo),
             {.firstLabel = 1, .lastLabel = 10, .labelStyle = 2}),
    RecordChoice(CL_Mch_Msk_Sig, &D::mskSig, "GI_Sheet_Sel_Mch_Msk_Signal_Pmr")
        .Redraws(RD_AllCells),
    RecordChoice(CL_Mch_Msk_SendStatus, &D::mskSendStatus, "GI_Sheet_Sel_Mch_SendStatus", FlexMark)
        .SilverWhile(kAnalogueOnVask)
        .Redraws(RD_AllCells),
    ListNumber(CL_Mch_Msk_Rpt, Custom({ReadDigitalRepeater, WriteDigitalRepeater}),
               {.firstList = "GI_Sheet_Sel_Mch_Msk_Rpt_1st_Pmr",
                .secondList = "GI_Sheet_Sel_Mch_Msk_Rpt_2nd"})
        .OnlyIf(kVaskRuleC),
    TypedChoice(CL_Mch_Msk_Stn, Member(&D::stnCode), {"GI_Sheet_Sel_Mch_Msk_ID", Flex0})
        .OnlyIf(kVaskRuleC),
    BitField(CL_Mch_Msk_RxCNo, Custom({ReadVaskRxCodes, WriteVaskRxCodes}),
             {.firstLabel = 1, .lastLabel = 7})
        .OnlyIf(kVaskRuleC, "----", Align::Left),
};
static_assert(CodesNamedOnce(kRows));

}  // namespace

std::span<const ItemRow> ChannelRows() {
    return kRows;
}
