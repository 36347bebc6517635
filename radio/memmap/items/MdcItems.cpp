// The MDC signalling of the MDC model types: the system table, which names for each of the five
// systems the entry it uses of each feature table; the feature tables (general, PTT ID,
// selective call, call alert, radio check, emergency, stun, revive, status, message), five
// entries each; the status and message entries, 16 to a block, a block for each status and
// message entry; and the alias records. The cell's index picks the entry. Sheets and lists:
// data/Tarnwick/80-mdc.ovl.
#include <cstdint>

#include "radio/image/ImageLayout.h"
#include "radio/image/cmcEeprom.h"
#include "radio/memmap/items/ItemGroups.h"

namespace {

using namespace memmap;
using layout::RecordArea;

constexpr RecordArea kSystem{3272, 12};
constexpr RecordArea kGeneral{3332, 20};
constexpr RecordArea kRevive{3432, 8};
constexpr RecordArea kStun{3472, 8};
constexpr RecordArea kCallAlert{3512, 10};
constexpr RecordArea kSelCall{3562, 4};
constexpr RecordArea kRadioCheck{3582, 8};
constexpr RecordArea kEmergency{3622, 14};
constexpr RecordArea kPttId{3692, 6};
constexpr RecordArea kStatus{3722, 10};
constexpr RecordArea kMessage{3772, 10};

// A block of entries holds their 8-character texts, then a flag byte for each.
constexpr int kEntriesPerBlock = 16;
constexpr int kBlockTexts = kEntriesPerBlock * layout::kNameLength;

constexpr Address EntryText(int block) {
    return InBlocks(Address(block, layout::kNameLength), kEntriesPerBlock,
                    layout::kMdcSubBlockSize);
}
constexpr Address EntryFlags(int block) {
    return InBlocks(Address(block + kBlockTexts, 1), kEntriesPerBlock, layout::kMdcSubBlockSize);
}

constexpr char kEnable[] = "GI_Sheet_Sel_Misc_Enable";
constexpr char kBeepType[] = "GI_Sheet_Sel_MDC_Beep_Type";
constexpr char kStatusNumbers[] = "GI_Sheet_Mdc_Status_No_Sel";

// The entry of a feature table that a system uses, chosen or typed by its number.
constexpr ItemRow SystemList(int code, int byte, const char* list) {
    return TypedChoice(code, Byte(InTable(kSystem, byte)), {list, Flex0});
}

// A time in milliseconds over a BE16, shown and typed in seconds; typed values are held in
// range.
constexpr ItemRow Time(int code, Address address, double maximum, double minimum = 0) {
    return Decimal(
        code, Word(address),
        {.storedDecimals = 3, .shownDecimals = 3, .minimum = minimum, .maximum = maximum});
}

// A feature's retries or attempts in the low nibble of its first byte.
constexpr ItemRow Retries(int code, RecordArea table) {
    return Number(code, Bits(InTable(table, 0), 0x0F), {.minimum = 1, .maximum = 15});
}

// The number of a status or message entry within its block, from 1.
constexpr ItemRow EntryNumber(int code) {
    return IndexLabel(code, {.cycle = kEntriesPerBlock, .first = 1});
}

// A status number kept as a flag bit and the number less one in a nibble: 0 (no status) while
// the flag is clear. Choosing 0 clears the flag and the nibble.
struct FlaggedNumber {
    Address flag;
    uint8_t flagMask;
    Address nibble;
};

template <const FlaggedNumber& kPlace>
int ReadFlaggedNumber(const ItemContext& context) {
    const cmcEeprom& image = context.image;
    if ((image.GetByte(kPlace.flag.At(context.index)) & kPlace.flagMask) == 0) {
        return 0;
    }
    return (image.GetByte(kPlace.nibble.At(context.index)) & 0x0F) + 1;
}

template <const FlaggedNumber& kPlace>
void WriteFlaggedNumber(ItemContext& context, int value) {
    cmcEeprom& image = context.image;
    const int flagAddress = kPlace.flag.At(context.index);
    const uint8_t flag = image.GetByte(flagAddress);
    image.SetByte(flagAddress, static_cast<uint8_t>(value > 0 ? flag | kPlace.flagMask
                                                              : flag & ~kPlace.flagMask));
    const int nibbleAddress = kPlace.nibble.At(context.index);
    const int number = value > 0 ? (value - 1) & 0x0F : 0;
    image.SetByte(nibbleAddress,
                  static_cast<uint8_t>((image.GetByte(nibbleAddress) & 0xF0) | number));
}

template <const FlaggedNumber& kPlace>
constexpr IntField Flagged() {
    return Custom({ReadFlaggedNumber<kPlace>, WriteFlaggedNumber<kPlace>});
}

constexpr FlaggedNumber kEmergencyStatus{InTable(kEmergency, 0), 0x10, InTable(kEmergency, 2)};
constexpr FlaggedNumber kPowerUpStatus{InTable(kStatus, 1), 0x80, InTable(kStatus, 1)};

constexpr ItemRow kRows[] = {
    // Systems. Each table's entries are named by a prefix and the cell's index; not stored.
    IndexLabel(CL_Mdc_System_List_Text, {"Sys "}),
    SystemList(CL_Mdc_System_List_General, 0, "GI_Sheet_Sel_Mdc_System_General_List"),
    SystemList(CL_Mdc_System_List_PttId, 1, "GI_Sheet_Sel_Mdc_System_PttId_List"),
    SystemList(CL_Mdc_System_List_Selcall, 2, "GI_Sheet_Sel_Mdc_System_Selcall_List"),
    SystemList(CL_Mdc_System_List_CallAlert, 3, "GI_Sheet_Sel_Mdc_System_CallAlert_List"),
    SystemList(CL_Mdc_System_List_RadioChk, 4, "GI_Sheet_Sel_Mdc_System_RadioChk_List"),
    SystemList(CL_Mdc_System_List_Stun, 5, "GI_Sheet_Sel_Mdc_System_Stun_List"),
    SystemList(CL_Mdc_System_List_Revive, 6, "GI_Sheet_Sel_Mdc_System_Revive_List"),
    SystemList(CL_Mdc_System_List_Emg, 7, "GI_Sheet_Sel_Mdc_System_Emg_List"),
    SystemList(CL_Mdc_System_List_Alias, 8, "GI_Sheet_Sel_Mdc_System_Alias_List"),
    SystemList(CL_Mdc_System_List_Status, 9, "GI_Sheet_Sel_Mdc_System_Status_List"),
    SystemList(CL_Mdc_System_List_Message, 10, "GI_Sheet_Sel_Mdc_System_Message_List"),

    // General.
    IndexLabel(CL_Mdc_General_Text, {"Gen "}),
    Choice(CL_Mdc_General_Mdc_On, Bit(InTable(kGeneral, 0), 7), "GI_Sheet_Sel_Misc_OnOff"),
    Choice(CL_Mdc_General_Mute_MSK, Bit(InTable(kGeneral, 0), 6), kEnable),
    Choice(CL_Mdc_General_Tones_Req, Bit(InTable(kGeneral, 0), 5), kEnable),
    Choice(CL_Mdc_General_Mute_Type, Bits(InTable(kGeneral, 0), 0x0F),
           "GI_Sheet_Mdc_Status_Mute_Type"),
    NibbleCode(CL_Mdc_General_Self_Id, Word(InTable(kGeneral, 1)), {.digits = 4}),
    NibbleCode(CL_Mdc_General_Group_Id, Word(InTable(kGeneral, 3)), {.digits = 3}),
    Time(CL_Mdc_General_Initial_Tx_Delay, InTable(kGeneral, 5), 10),
    Number(CL_Mdc_General_Tx_Sync_Retry, Byte(InTable(kGeneral, 7)),
           {.minimum = 0, .maximum = 255}),
    Number(CL_Mdc_General_Rx_Sync_Threshold, Byte(InTable(kGeneral, 8)),
           {.minimum = 0, .maximum = 40}),
    Time(CL_Mdc_General_Menu_Timeout, InTable(kGeneral, 9), 30, 1),
    Time(CL_Mdc_General_10key_Timeout, InTable(kGeneral, 11), 10, 0.5),
    Time(CL_Mdc_General_DOS_Time, InTable(kGeneral, 13), 4.5),
    Time(CL_Mdc_General_Coast_Time, InTable(kGeneral, 15), 0.5),
    Time(CL_Mdc_General_Auto_Reset, InTable(kGeneral, 17), 60),

    // PTT ID.
    IndexLabel(CL_Mdc_PttId_Text, {"PTT "}),
    Choice(CL_Mdc_PttId_Tx, Bit(InTable(kPttId, 0), 7), kEnable),
    Choice(CL_Mdc_PttId_Rx, Bit(InTable(kPttId, 0), 6), kEnable),
    Choice(CL_Mdc_PttId_Pttid_Dwn, Bit(InTable(kPttId, 0), 5), kEnable),
    Choice(CL_Mdc_PttId_Pttid_Up, Bit(InTable(kPttId, 0), 4), kEnable),
    Choice(CL_Mdc_PttId_Rt_Beep, Bit(InTable(kPttId, 0), 3), kEnable),
    Choice(CL_Mdc_PttId_Cu_Beep, Bit(InTable(kPttId, 0), 2), kEnable),
    Time(CL_Mdc_PttId_Pre_Time, InTable(kPttId, 2), 60),
    Time(CL_Mdc_PttId_Post_Time, InTable(kPttId, 4), 60),

    // Selective call.
    IndexLabel(CL_Mdc_SelCall_Text, {"SelC "}),
    Choice(CL_Mdc_SelCall_Rx, Bit(InTable(kSelCall, 0), 7), kEnable),
    Choice(CL_Mdc_SelCall_Tx, Bit(InTable(kSelCall, 0), 6), kEnable),
    Choice(CL_Mdc_SelCall_Show_Icon, Bit(InTable(kSelCall, 0), 4), kEnable),
    Choice(CL_Mdc_SelCall_BeepType, Bits(InTable(kSelCall, 0), 0x0F), kBeepType),
    Choice(CL_Mdc_SelCall_RT_Beep, Bit(InTable(kSelCall, 1), 6), kEnable),
    Time(CL_Mdc_SelCall_Disp_Time, InTable(kSelCall, 2), 60),

    // Call alert.
    Choice(CL_Mdc_CallAlert_Rx, Bit(InTable(kCallAlert, 0), 7), kEnable),
    Choice(CL_Mdc_CallAlert_Tx, Bit(InTable(kCallAlert, 0), 6), kEnable),
    Choice(CL_Mdc_CallAlert_Beep_Type, Bits(InTable(kCallAlert, 0), 0x0F), kBeepType),
    Choice(CL_Mdc_CallAlert_Show_Icon, Bit(InTable(kCallAlert, 1), 7), kEnable),
    Choice(CL_Mdc_CallAlert_Request_Ack, Bit(InTable(kCallAlert, 1), 6), kEnable),
    Choice(CL_Mdc_CallAlert_Beep_Length, Bits(InTable(kCallAlert, 1), 0x0F),
           "GI_Sheet_Mdc_CallAlert_Beep_Rep"),
    Number(CL_Mdc_CallAlert_Num_Retry, Word(InTable(kCallAlert, 2)),
           {.minimum = 1, .maximum = 250}),
    Time(CL_Mdc_CallAlert_Ack_Wait, InTable(kCallAlert, 4), 60),
    Time(CL_Mdc_CallAlert_Ack_Delay, InTable(kCallAlert, 6), 60),
    Time(CL_Mdc_CallAlert_Display_Time, InTable(kCallAlert, 8), 60),

    // Radio check.
    IndexLabel(CL_Mdc_RadioChk_Text, {"RdoC "}),
    Choice(CL_Mdc_RadioChk_Rx, Bit(InTable(kRadioCheck, 0), 7), kEnable),
    Choice(CL_Mdc_RadioChk_Tx, Bit(InTable(kRadioCheck, 0), 6), kEnable),
    Retries(CL_Mdc_RadioChk_Num_Retry, kRadioCheck),
    Time(CL_Mdc_RadioChk_Ack_Delay, InTable(kRadioCheck, 2), 60),
    Time(CL_Mdc_RadioChk_Ack_Wait, InTable(kRadioCheck, 4), 60),
    Time(CL_Mdc_RadioChk_Disp_Time, InTable(kRadioCheck, 6), 60),

    // Emergency.
    IndexLabel(CL_Mdc_Emg_Text, {"Emg "}),
    Choice(CL_Mdc_Emg_Rx, Bit(InTable(kEmergency, 0), 7), kEnable),
    Choice(CL_Mdc_Emg_Tx, Bit(InTable(kEmergency, 0), 6), kEnable),
    Choice(CL_Mdc_Emg_No_Disp, Bit(InTable(kEmergency, 0), 5), kEnable),
    Choice(CL_Mdc_Emg_Status_No, Flagged<kEmergencyStatus>(), kStatusNumbers),
    Number(CL_Mdc_Emg_No_Polite, Bits(InTable(kEmergency, 1), 0xF0), {.minimum = 0, .maximum = 15}),
    Number(CL_Mdc_Emg_No_Impolite, Bits(InTable(kEmergency, 1), 0x0F),
           {.minimum = 0, .maximum = 15}),
    Choice(CL_Mdc_Emg_Ignore_Other, Bit(InTable(kEmergency, 2), 7), kEnable),
    Time(CL_Mdc_Emg_Disp_Time, InTable(kEmergency, 4), 60),
    Time(CL_Mdc_Emg_Free_Wait, InTable(kEmergency, 6), 60),
    Time(CL_Mdc_Emg_Ack_Wait, InTable(kEmergency, 8), 60),
    Time(CL_Mdc_Emg_Cycle_Delay, InTable(kEmergency, 10), 60),
    Number(CL_Mdc_Emg_Open_Mic_Duration, Byte(InTable(kEmergency, 12)),
           {.minimum = 0, .maximum = 140}),
    Number(CL_Mdc_Emg_No_Cycles, Byte(InTable(kEmergency, 13)), {.minimum = 0, .maximum = 250}),

    // Stun and revive.
    IndexLabel(CL_Mdc_Stun_Text, {"STUN "}),
    Choice(CL_Mdc_Stun_Rx, Bit(InTable(kStun, 0), 7), kEnable),
    Choice(CL_Mdc_Stun_Tx, Bit(InTable(kStun, 0), 6), kEnable),
    Retries(CL_Mdc_Stun_No_Retry, kStun),
    Time(CL_Mdc_Stun_Ack_Wait, InTable(kStun, 2), 60),
    Time(CL_Mdc_Stun_Disp_Time, InTable(kStun, 4), 60),
    Time(CL_Mdc_Stun_Ack_Delay, InTable(kStun, 6), 60),
    Choice(CL_Mdc_Revive_Rx, Bit(InTable(kRevive, 0), 7), kEnable),
    Choice(CL_Mdc_Revive_Tx, Bit(InTable(kRevive, 0), 6), kEnable),
    Retries(CL_Mdc_Revive_No_Retry, kRevive),
    Time(CL_Mdc_Revive_Ack_Delay, InTable(kRevive, 2), 60),
    Time(CL_Mdc_Revive_Ack_Wait, InTable(kRevive, 4), 60),
    Time(CL_Mdc_Revive_Ack_Disp_Time, InTable(kRevive, 6), 60),

    // Status.
    Choice(CL_Mdc_Status_Rx, Bit(InTable(kStatus, 0), 7), kEnable),
    Choice(CL_Mdc_Status_Tx, Bit(InTable(kStatus, 0), 6), kEnable),
    Choice(CL_Mdc_Status_Tx_Ack, Bit(InTable(kStatus, 0), 5), kEnable),
    Retries(CL_Mdc_Status_Num_Retry, kStatus),
    Choice(CL_Mdc_Status_On_Pwr_Up, Flagged<kPowerUpStatus>(), kStatusNumbers),
    Time(CL_Mdc_Status_Ack_Time, InTable(kStatus, 2), 60),
    Time(CL_Mdc_Status_Ack_Wait, InTable(kStatus, 4), 60),
    Time(CL_Mdc_Status_Disp_Time, InTable(kStatus, 6), 60),
    EntryNumber(CL_Mdc_Status_Num),
    DisplayText(CL_Mdc_Status_Text, Chars(EntryText(layout::kMdcBlock1), layout::kNameLength)),
    Choice(CL_Mdc_Status_Ack, Bit(EntryFlags(layout::kMdcBlock1), 7), kEnable),
    Choice(CL_Mdc_Status_Strip, Bit(EntryFlags(layout::kMdcBlock1), 6), kEnable),
    Choice(CL_Mdc_Status_Enabled, Bit(EntryFlags(layout::kMdcBlock1), 4), kEnable),

    // Messages.
    Choice(CL_Mdc_Msg_RX, Bit(InTable(kMessage, 0), 7), kEnable),
    Choice(CL_Mdc_Msg_TX, Bit(InTable(kMessage, 0), 6), kEnable),
    Retries(CL_Mdc_Msg_No_Retry, kMessage),
    Time(CL_Mdc_Msg_Ack_Time, InTable(kMessage, 1), 60),
    Time(CL_Mdc_Msg_Ack_Wait, InTable(kMessage, 3), 60),
    Time(CL_Mdc_Msg_Disp_Time, InTable(kMessage, 5), 60),
    EntryNumber(CL_Mdc_Msg_Num),
    DisplayText(CL_Mdc_Msg_Text, Chars(EntryText(layout::kMdcBlock2), layout::kNameLength)),
    Choice(CL_Mdc_Msg_Request_Ack, Bit(EntryFlags(layout::kMdcBlock2), 7), kEnable),
    Choice(CL_Mdc_Msg_Strip_Tones, Bit(EntryFlags(layout::kMdcBlock2), 6), kEnable),
    Choice(CL_Mdc_Msg_Enabled, Bit(EntryFlags(layout::kMdcBlock2), 4), kEnable),

    // Aliases: the alias record at the cell's index.
    DisplayText(CL_Mdc_Alias1_Text, Member(&datCh::alias)).LoadsRecord(RK_MdcAlias),
    NibbleCode(CL_Mdc_Alias1_ID, Member(&datCh::id), {.digits = 4}).LoadsRecord(RK_MdcAlias),
    RecordChoice(CL_Mdc_Alias1_Beep_Type, &datCh::beepType, kBeepType).LoadsRecord(RK_MdcAlias),
    RecordChoice(CL_Mdc_Alias1_Strip, &datCh::strip, kEnable).LoadsRecord(RK_MdcAlias),
    // Aliases 2 to 5 have cells of their own but no setting.
    NoSetting(CL_Mdc_Alias2_Strip),
    NoSetting(CL_Mdc_Alias2_Beep_Type),
    NoSetting(CL_Mdc_Alias2_ID),
    NoSetting(CL_Mdc_Alias2_Text),
    NoSetting(CL_Mdc_Alias3_Strip),
    NoSetting(CL_Mdc_Alias3_Beep_Type),
    NoSetting(CL_Mdc_Alias3_ID),
    NoSetting(CL_Mdc_Alias3_Text),
    NoSetting(CL_Mdc_Alias4_Strip),
    NoSetting(CL_Mdc_Alias4_Beep_Type),
    NoSetting(CL_Mdc_Alias4_ID),
    NoSetting(CL_Mdc_Alias4_Text),
    NoSetting(CL_Mdc_Alias5_Strip),
    NoSetting(CL_Mdc_Alias5_Beep_Type),
    NoSetting(CL_Mdc_Alias5_ID),
    NoSetting(CL_Mdc_Alias5_Text),
};
static_assert(CodesNamedOnce(kRows));

}  // namespace

std::span<const ItemRow> MdcRows() {
    return kRows;
}
