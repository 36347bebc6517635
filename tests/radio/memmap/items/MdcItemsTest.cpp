// The MDC signalling rows against image fixtures and the program's own text table: the text
// each shows, the bits an edit stores at the cell's entry, the status numbers kept as a flag and
// a nibble, the times in milliseconds, and the entries addressed in blocks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "radio/cells/CellCodes.h"
#include "radio/image/ImageLayout.h"
#include "tests/radio/support/CellRig.h"
#include "tests/radio/support/EditCase.h"
#include "tests/radio/support/ImageDiff.h"

namespace {

using radiotest::Bits;
using radiotest::Chosen;
using radiotest::ImageByte;
using radiotest::Typed;

constexpr int kNone = kCategoryNone;
constexpr int A = CT_MDC_Alias;

// Entry 4, the last, of each table: the stride counts.
constexpr int kSystem4 = 3320;
constexpr int kGeneral4 = 3412;
constexpr int kRevive4 = 3464;
constexpr int kStun4 = 3504;
constexpr int kCallAlert4 = 3552;
constexpr int kSelCall4 = 3578;
constexpr int kRadioCheck4 = 3614;
constexpr int kEmergency4 = 3678;
constexpr int kPttId4 = 3716;
constexpr int kStatus4 = 3762;
constexpr int kMessage4 = 3812;
// Entry 17 of the status and message entries: block 1, entry 1.
constexpr int kStatusText17 = layout::kMdcBlock1 + 144 + 8;
constexpr int kStatusFlags17 = layout::kMdcBlock1 + 128 + 144 + 1;
constexpr int kMessageText17 = layout::kMdcBlock2 + 144 + 8;
constexpr int kMessageFlags17 = layout::kMdcBlock2 + 128 + 144 + 1;
// Entry 35: block 2, entry 3, where the block and the entry within it differ.
constexpr int kStatusText35 = layout::kMdcBlock1 + 2 * 144 + 3 * 8;
constexpr int kMessageFlags35 = layout::kMdcBlock2 + 128 + 2 * 144 + 3;
// The last alias record.
constexpr int kAlias499 = layout::kMdcAliasTable + 12 * 499;

// A time typed as 0 over a word of 0xFFFF.
std::vector<Bits> WordCleared(int address) {
    return {{address, 0xFF}, {address + 1, 0xFF}};
}

class MdcItemsTest : public ::testing::Test {
protected:
    MdcItemsTest() { rig.shell.model = MT_MdcPmr; }

    std::string Shown(int item, int index, int category = kNone) {
        rig.At(item, index, category);
        return rig.Paint();
    }
    int Word(int address) {
        const cmcEeprom& image = rig.shell.image;
        return (image.GetByte(address) << 8) | image.GetByte(address + 1);
    }

    radiotest::CellRig rig;
};

TEST_F(MdcItemsTest, RowsShowTheirEntry) {
    rig.shell.image.Fill(0);
    radiotest::PutBytes(rig.shell.image,
                        {
                            {kSystem4 + 0, 1},
                            {kSystem4 + 1, 2},
                            {kSystem4 + 2, 3},
                            {kSystem4 + 3, 4},
                            {kSystem4 + 5, 2},
                            {kSystem4 + 6, 3},
                            {kSystem4 + 7, 4},
                            {kSystem4 + 8, 1},
                            {kSystem4 + 10, 3},
                            // MDC on, tones required, mute type 2; IDs 1A2F and 456.
                            {kGeneral4, 0xA2},
                            {kGeneral4 + 1, 0x1A},
                            {kGeneral4 + 2, 0x2F},
                            {kGeneral4 + 3, 0x04},
                            {kGeneral4 + 4, 0x56},
                            {kGeneral4 + 5, 0x27},
                            {kGeneral4 + 6, 0x10},  // 10 s
                            {kGeneral4 + 7, 200},
                            {kGeneral4 + 8, 40},
                            {kGeneral4 + 13, 0x11},
                            {kGeneral4 + 14, 0x94},  // 4.5 s
                            {kGeneral4 + 17, 0xEA},
                            {kGeneral4 + 18, 0x60},  // 60 s
                            {kPttId4, 0xA4},
                            {kSelCall4, 0x15},
                            {kSelCall4 + 1, 0x40},
                            {kSelCall4 + 2, 0x0B},
                            {kSelCall4 + 3, 0xB8},
                            {kCallAlert4, 0x47},
                            {kCallAlert4 + 1, 0x8F},
                            {kCallAlert4 + 3, 250},
                            {kRadioCheck4, 0x0F},
                            // Status 4 set, 5 polite and 10 impolite attempts, others ignored.
                            {kEmergency4, 0xD0},
                            {kEmergency4 + 1, 0x5A},
                            {kEmergency4 + 2, 0x83},
                            {kEmergency4 + 12, 140},
                            {kEmergency4 + 13, 250},
                            {kStatus4 + 1, 0x8F},
                            {kMessage4 + 1, 0x03},
                            {kMessage4 + 2, 0xE8},  // 1 s
                        });
    const struct {
        int item;
        const char* text;
    } cases[] = {
        {CL_Mdc_System_List_Text, "Sys 4"},
        {CL_Mdc_System_List_General, "1"},
        {CL_Mdc_System_List_PttId, "2"},
        {CL_Mdc_System_List_Selcall, "3"},
        {CL_Mdc_System_List_CallAlert, "4"},
        {CL_Mdc_System_List_RadioChk, "0"},
        {CL_Mdc_System_List_Stun, "2"},
        {CL_Mdc_System_List_Revive, "3"},
        {CL_Mdc_System_List_Emg, "4"},
        {CL_Mdc_System_List_Alias, "1"},
        {CL_Mdc_System_List_Status, "0"},
        {CL_Mdc_System_List_Message, "3"},
        {CL_Mdc_General_Text, "Gen 4"},
        {CL_Mdc_General_Mdc_On, "On"},
        {CL_Mdc_General_Mute_MSK, "Disabled"},
        {CL_Mdc_General_Tones_Req, "Enabled"},
        {CL_Mdc_General_Mute_Type, "Side tone"},
        {CL_Mdc_General_Self_Id, "1A2F"},
        {CL_Mdc_General_Group_Id, "456"},
        {CL_Mdc_General_Initial_Tx_Delay, " 10.000"},
        {CL_Mdc_General_Tx_Sync_Retry, "200"},
        {CL_Mdc_General_Rx_Sync_Threshold, "40"},
        {CL_Mdc_General_DOS_Time, "  4.500"},
        {CL_Mdc_General_Auto_Reset, " 60.000"},
        {CL_Mdc_PttId_Text, "PTT 4"},
        {CL_Mdc_PttId_Tx, "Enabled"},
        {CL_Mdc_PttId_Rx, "Disabled"},
        {CL_Mdc_PttId_Pttid_Dwn, "Enabled"},
        {CL_Mdc_PttId_Pttid_Up, "Disabled"},
        {CL_Mdc_PttId_Rt_Beep, "Disabled"},
        {CL_Mdc_PttId_Cu_Beep, "Enabled"},
        {CL_Mdc_SelCall_Text, "SelC 4"},
        {CL_Mdc_SelCall_Show_Icon, "Enabled"},
        {CL_Mdc_SelCall_BeepType, "Repeated beeps"},
        {CL_Mdc_SelCall_RT_Beep, "Enabled"},
        {CL_Mdc_SelCall_Disp_Time, "  3.000"},
        {CL_Mdc_CallAlert_Rx, "Disabled"},
        {CL_Mdc_CallAlert_Tx, "Enabled"},
        {CL_Mdc_CallAlert_Beep_Type, "Repeated ring tone"},
        {CL_Mdc_CallAlert_Show_Icon, "Enabled"},
        {CL_Mdc_CallAlert_Request_Ack, "Disabled"},
        {CL_Mdc_CallAlert_Beep_Length, "Until answered"},
        {CL_Mdc_CallAlert_Num_Retry, "250"},
        {CL_Mdc_RadioChk_Text, "RdoC 4"},
        {CL_Mdc_RadioChk_Num_Retry, "15"},
        {CL_Mdc_Emg_Text, "Emg 4"},
        {CL_Mdc_Emg_Rx, "Enabled"},
        {CL_Mdc_Emg_No_Disp, "Disabled"},
        {CL_Mdc_Emg_Status_No, "4"},
        {CL_Mdc_Emg_No_Polite, "5"},
        {CL_Mdc_Emg_No_Impolite, "10"},
        {CL_Mdc_Emg_Ignore_Other, "Enabled"},
        {CL_Mdc_Emg_Open_Mic_Duration, "140"},
        {CL_Mdc_Emg_No_Cycles, "250"},
        {CL_Mdc_Stun_Text, "STUN 4"},
        {CL_Mdc_Status_On_Pwr_Up, "16"},
        {CL_Mdc_Msg_Ack_Time, "  1.000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Shown(c.item, 4), c.text) << c.item;
    }
}

// Each edit on a fixture whose bytes are all set stores at the row's bits of the cell's entry
// and nowhere else: entry 4 of the tables, entry 17 of the status and message entries, alias
// 499.
TEST_F(MdcItemsTest, EditsStoreAtTheirBits) {
    const radiotest::EditCase cases[] = {
        {{CL_Mdc_System_List_General, 4}, Typed("0"), {{kSystem4 + 0, 0xFF}}},
        {{CL_Mdc_System_List_PttId, 4}, Typed("0"), {{kSystem4 + 1, 0xFF}}},
        {{CL_Mdc_System_List_Selcall, 4}, Typed("0"), {{kSystem4 + 2, 0xFF}}},
        {{CL_Mdc_System_List_CallAlert, 4}, Typed("0"), {{kSystem4 + 3, 0xFF}}},
        {{CL_Mdc_System_List_RadioChk, 4}, Typed("0"), {{kSystem4 + 4, 0xFF}}},
        {{CL_Mdc_System_List_Stun, 4}, Typed("0"), {{kSystem4 + 5, 0xFF}}},
        {{CL_Mdc_System_List_Revive, 4}, Typed("0"), {{kSystem4 + 6, 0xFF}}},
        {{CL_Mdc_System_List_Emg, 4}, Typed("0"), {{kSystem4 + 7, 0xFF}}},
        {{CL_Mdc_System_List_Alias, 4}, Chosen(0), {{kSystem4 + 8, 0xFF}}},
        {{CL_Mdc_System_List_Status, 4}, Typed("0"), {{kSystem4 + 9, 0xFF}}},
        {{CL_Mdc_System_List_Message, 4}, Typed("0"), {{kSystem4 + 10, 0xFF}}},

        {{CL_Mdc_General_Mdc_On, 4}, Chosen(0), {{kGeneral4, 0x80}}},
        {{CL_Mdc_General_Mute_MSK, 4}, Chosen(0), {{kGeneral4, 0x40}}},
        {{CL_Mdc_General_Tones_Req, 4}, Chosen(0), {{kGeneral4, 0x20}}},
        {{CL_Mdc_General_Mute_Type, 4}, Chosen(0), {{kGeneral4, 0x0F}}},
        {{CL_Mdc_General_Self_Id, 4},
         Typed("1234"),
         {{kGeneral4 + 1, 0xED}, {kGeneral4 + 2, 0xCB}}},
        // Three digits: the word's top nibble stays.
        {{CL_Mdc_General_Group_Id, 4},
         Typed("123"),
         {{kGeneral4 + 3, 0x0E}, {kGeneral4 + 4, 0xDC}}},
        // 300 ms is 0x012C.
        {{CL_Mdc_General_Initial_Tx_Delay, 4},
         Typed("0.3"),
         {{kGeneral4 + 5, 0xFE}, {kGeneral4 + 6, 0xD3}}},
        {{CL_Mdc_General_Tx_Sync_Retry, 4}, Typed("0"), {{kGeneral4 + 7, 0xFF}}},
        {{CL_Mdc_General_Rx_Sync_Threshold, 4}, Typed("40"), {{kGeneral4 + 8, 0xD7}}},
        // 10000 ms is 0x2710, 5000 ms 0x1388, 1000 ms 0x03E8, 200 ms 0x00C8, 60000 ms 0xEA60.
        {{CL_Mdc_General_Menu_Timeout, 4},
         Typed("10"),
         {{kGeneral4 + 9, 0xD8}, {kGeneral4 + 10, 0xEF}}},
        {{CL_Mdc_General_10key_Timeout, 4},
         Typed("5"),
         {{kGeneral4 + 11, 0xEC}, {kGeneral4 + 12, 0x77}}},
        {{CL_Mdc_General_DOS_Time, 4},
         Typed("1"),
         {{kGeneral4 + 13, 0xFC}, {kGeneral4 + 14, 0x17}}},
        {{CL_Mdc_General_Coast_Time, 4},
         Typed("0.2"),
         {{kGeneral4 + 15, 0xFF}, {kGeneral4 + 16, 0x37}}},
        {{CL_Mdc_General_Auto_Reset, 4},
         Typed("60"),
         {{kGeneral4 + 17, 0x15}, {kGeneral4 + 18, 0x9F}}},

        {{CL_Mdc_PttId_Tx, 4}, Chosen(0), {{kPttId4, 0x80}}},
        {{CL_Mdc_PttId_Rx, 4}, Chosen(0), {{kPttId4, 0x40}}},
        {{CL_Mdc_PttId_Pttid_Dwn, 4}, Chosen(0), {{kPttId4, 0x20}}},
        {{CL_Mdc_PttId_Pttid_Up, 4}, Chosen(0), {{kPttId4, 0x10}}},
        {{CL_Mdc_PttId_Rt_Beep, 4}, Chosen(0), {{kPttId4, 0x08}}},
        {{CL_Mdc_PttId_Cu_Beep, 4}, Chosen(0), {{kPttId4, 0x04}}},
        {{CL_Mdc_PttId_Pre_Time, 4}, Typed("0"), WordCleared(kPttId4 + 2)},
        {{CL_Mdc_PttId_Post_Time, 4}, Typed("0"), WordCleared(kPttId4 + 4)},

        {{CL_Mdc_SelCall_Rx, 4}, Chosen(0), {{kSelCall4, 0x80}}},
        {{CL_Mdc_SelCall_Tx, 4}, Chosen(0), {{kSelCall4, 0x40}}},
        {{CL_Mdc_SelCall_Show_Icon, 4}, Chosen(0), {{kSelCall4, 0x10}}},
        {{CL_Mdc_SelCall_BeepType, 4}, Chosen(0), {{kSelCall4, 0x0F}}},
        {{CL_Mdc_SelCall_RT_Beep, 4}, Chosen(0), {{kSelCall4 + 1, 0x40}}},
        {{CL_Mdc_SelCall_Disp_Time, 4}, Typed("0"), WordCleared(kSelCall4 + 2)},

        {{CL_Mdc_CallAlert_Rx, 4}, Chosen(0), {{kCallAlert4, 0x80}}},
        {{CL_Mdc_CallAlert_Tx, 4}, Chosen(0), {{kCallAlert4, 0x40}}},
        {{CL_Mdc_CallAlert_Beep_Type, 4}, Chosen(0), {{kCallAlert4, 0x0F}}},
        {{CL_Mdc_CallAlert_Show_Icon, 4}, Chosen(0), {{kCallAlert4 + 1, 0x80}}},
        {{CL_Mdc_CallAlert_Request_Ack, 4}, Chosen(0), {{kCallAlert4 + 1, 0x40}}},
        {{CL_Mdc_CallAlert_Beep_Length, 4}, Chosen(0), {{kCallAlert4 + 1, 0x0F}}},
        {{CL_Mdc_CallAlert_Num_Retry, 4},
         Typed("250"),
         {{kCallAlert4 + 2, 0xFF}, {kCallAlert4 + 3, 0x05}}},
        {{CL_Mdc_CallAlert_Ack_Wait, 4}, Typed("0"), WordCleared(kCallAlert4 + 4)},
        {{CL_Mdc_CallAlert_Ack_Delay, 4}, Typed("0"), WordCleared(kCallAlert4 + 6)},
        {{CL_Mdc_CallAlert_Display_Time, 4}, Typed("0"), WordCleared(kCallAlert4 + 8)},

        {{CL_Mdc_RadioChk_Rx, 4}, Chosen(0), {{kRadioCheck4, 0x80}}},
        {{CL_Mdc_RadioChk_Tx, 4}, Chosen(0), {{kRadioCheck4, 0x40}}},
        {{CL_Mdc_RadioChk_Num_Retry, 4}, Typed("1"), {{kRadioCheck4, 0x0E}}},
        {{CL_Mdc_RadioChk_Ack_Delay, 4}, Typed("0"), WordCleared(kRadioCheck4 + 2)},
        {{CL_Mdc_RadioChk_Ack_Wait, 4}, Typed("0"), WordCleared(kRadioCheck4 + 4)},
        {{CL_Mdc_RadioChk_Disp_Time, 4}, Typed("0"), WordCleared(kRadioCheck4 + 6)},

        {{CL_Mdc_Emg_Rx, 4}, Chosen(0), {{kEmergency4, 0x80}}},
        {{CL_Mdc_Emg_Tx, 4}, Chosen(0), {{kEmergency4, 0x40}}},
        {{CL_Mdc_Emg_No_Disp, 4}, Chosen(0), {{kEmergency4, 0x20}}},
        {{CL_Mdc_Emg_Status_No, 4}, Chosen(0), {{kEmergency4, 0x10}, {kEmergency4 + 2, 0x0F}}},
        {{CL_Mdc_Emg_No_Polite, 4}, Typed("0"), {{kEmergency4 + 1, 0xF0}}},
        {{CL_Mdc_Emg_No_Impolite, 4}, Typed("0"), {{kEmergency4 + 1, 0x0F}}},
        {{CL_Mdc_Emg_Ignore_Other, 4}, Chosen(0), {{kEmergency4 + 2, 0x80}}},
        {{CL_Mdc_Emg_Disp_Time, 4}, Typed("0"), WordCleared(kEmergency4 + 4)},
        {{CL_Mdc_Emg_Free_Wait, 4}, Typed("0"), WordCleared(kEmergency4 + 6)},
        {{CL_Mdc_Emg_Ack_Wait, 4}, Typed("0"), WordCleared(kEmergency4 + 8)},
        {{CL_Mdc_Emg_Cycle_Delay, 4}, Typed("0"), WordCleared(kEmergency4 + 10)},
        {{CL_Mdc_Emg_Open_Mic_Duration, 4}, Typed("0"), {{kEmergency4 + 12, 0xFF}}},
        {{CL_Mdc_Emg_No_Cycles, 4}, Typed("0"), {{kEmergency4 + 13, 0xFF}}},

        {{CL_Mdc_Stun_Rx, 4}, Chosen(0), {{kStun4, 0x80}}},
        {{CL_Mdc_Stun_Tx, 4}, Chosen(0), {{kStun4, 0x40}}},
        {{CL_Mdc_Stun_No_Retry, 4}, Typed("1"), {{kStun4, 0x0E}}},
        {{CL_Mdc_Stun_Ack_Wait, 4}, Typed("0"), WordCleared(kStun4 + 2)},
        {{CL_Mdc_Stun_Disp_Time, 4}, Typed("0"), WordCleared(kStun4 + 4)},
        {{CL_Mdc_Stun_Ack_Delay, 4}, Typed("0"), WordCleared(kStun4 + 6)},
        {{CL_Mdc_Revive_Rx, 4}, Chosen(0), {{kRevive4, 0x80}}},
        {{CL_Mdc_Revive_Tx, 4}, Chosen(0), {{kRevive4, 0x40}}},
        {{CL_Mdc_Revive_No_Retry, 4}, Typed("1"), {{kRevive4, 0x0E}}},
        {{CL_Mdc_Revive_Ack_Delay, 4}, Typed("0"), WordCleared(kRevive4 + 2)},
        {{CL_Mdc_Revive_Ack_Wait, 4}, Typed("0"), WordCleared(kRevive4 + 4)},
        {{CL_Mdc_Revive_Ack_Disp_Time, 4}, Typed("0"), WordCleared(kRevive4 + 6)},

        {{CL_Mdc_Status_Rx, 4}, Chosen(0), {{kStatus4, 0x80}}},
        {{CL_Mdc_Status_Tx, 4}, Chosen(0), {{kStatus4, 0x40}}},
        {{CL_Mdc_Status_Tx_Ack, 4}, Chosen(0), {{kStatus4, 0x20}}},
        {{CL_Mdc_Status_Num_Retry, 4}, Typed("1"), {{kStatus4, 0x0E}}},
        {{CL_Mdc_Status_On_Pwr_Up, 4}, Chosen(0), {{kStatus4 + 1, 0x8F}}},
        {{CL_Mdc_Status_Ack_Time, 4}, Typed("0"), WordCleared(kStatus4 + 2)},
        {{CL_Mdc_Status_Ack_Wait, 4}, Typed("0"), WordCleared(kStatus4 + 4)},
        {{CL_Mdc_Status_Disp_Time, 4}, Typed("0"), WordCleared(kStatus4 + 6)},
        {{CL_Mdc_Status_Text, 17}, Typed("AB"), radiotest::TextOver0xFF(kStatusText17, "AB")},
        {{CL_Mdc_Status_Ack, 17}, Chosen(0), {{kStatusFlags17, 0x80}}},
        {{CL_Mdc_Status_Strip, 17}, Chosen(0), {{kStatusFlags17, 0x40}}},
        {{CL_Mdc_Status_Enabled, 17}, Chosen(0), {{kStatusFlags17, 0x10}}},
        {{CL_Mdc_Status_Text, 35}, Typed("AB"), radiotest::TextOver0xFF(kStatusText35, "AB")},

        {{CL_Mdc_Msg_RX, 4}, Chosen(0), {{kMessage4, 0x80}}},
        {{CL_Mdc_Msg_TX, 4}, Chosen(0), {{kMessage4, 0x40}}},
        {{CL_Mdc_Msg_No_Retry, 4}, Typed("1"), {{kMessage4, 0x0E}}},
        {{CL_Mdc_Msg_Ack_Time, 4}, Typed("0"), WordCleared(kMessage4 + 1)},
        {{CL_Mdc_Msg_Ack_Wait, 4}, Typed("0"), WordCleared(kMessage4 + 3)},
        {{CL_Mdc_Msg_Disp_Time, 4}, Typed("0"), WordCleared(kMessage4 + 5)},
        {{CL_Mdc_Msg_Text, 17}, Typed("AB"), radiotest::TextOver0xFF(kMessageText17, "AB")},
        {{CL_Mdc_Msg_Request_Ack, 17}, Chosen(0), {{kMessageFlags17, 0x80}}},
        {{CL_Mdc_Msg_Strip_Tones, 17}, Chosen(0), {{kMessageFlags17, 0x40}}},
        {{CL_Mdc_Msg_Enabled, 17}, Chosen(0), {{kMessageFlags17, 0x10}}},
        {{CL_Mdc_Msg_Enabled, 35}, Chosen(0), {{kMessageFlags35, 0x10}}},

        {{CL_Mdc_Alias1_Text, 499, A}, Typed("AB"), radiotest::TextOver0xFF(kAlias499, "AB")},
        {{CL_Mdc_Alias1_Strip, 499, A}, Chosen(0), {{kAlias499 + 8, 0x80}}},
        {{CL_Mdc_Alias1_Beep_Type, 499, A}, Chosen(0), {{kAlias499 + 8, 0x0F}}},
        {{CL_Mdc_Alias1_ID, 499, A},
         Typed("1234"),
         {{kAlias499 + 10, 0xED}, {kAlias499 + 11, 0xCB}}},
    };
    radiotest::ExpectEditsStoreAtTheirBits(rig, cases);
}

// A status number is a flag bit and the number less one in a nibble: a set flag over nibble 0 is
// status 1; choosing none clears the flag and the nibble, and the other bits stay.
TEST_F(MdcItemsTest, StatusNumbersKeepAFlagAndANibble) {
    const struct {
        int item;
        int flagAddress;
        uint8_t flag;
        int nibbleAddress;
    } rows[] = {
        {CL_Mdc_Status_On_Pwr_Up, kStatus4 + 1, 0x80, kStatus4 + 1},
        {CL_Mdc_Emg_Status_No, kEmergency4, 0x10, kEmergency4 + 2},
    };
    cmcEeprom& image = rig.shell.image;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.item);
        image.Fill(0x60);
        image.SetByte(row.flagAddress, static_cast<uint8_t>(0x60 | row.flag));
        image.SetByte(row.nibbleAddress,
                      static_cast<uint8_t>(image.GetByte(row.nibbleAddress) & 0xF0));
        EXPECT_EQ(Shown(row.item, 4), "1");
        rig.Answer(Flex0, 0);
        EXPECT_EQ(image.GetByte(row.flagAddress) & row.flag, 0);
        EXPECT_EQ(image.GetByte(row.nibbleAddress) & 0x0F, 0);
        EXPECT_EQ(rig.Paint(), "None");
        rig.Answer(Flex0, 16);
        EXPECT_EQ(image.GetByte(row.flagAddress) & row.flag, row.flag);
        EXPECT_EQ(image.GetByte(row.nibbleAddress) & 0x0F, 15);
        EXPECT_EQ(image.GetByte(row.nibbleAddress) & 0x60, 0x60) << "the other bits stay";
        EXPECT_EQ(rig.Paint(), "16");
    }
}

// Times are milliseconds in a big-endian word, typed in seconds and held in their range.
TEST_F(MdcItemsTest, TimesAreHeldInTheirRange) {
    const struct {
        int item;
        int address;
        const char* typed;
        int stored;
        const char* shown;
    } cases[] = {
        {CL_Mdc_General_Coast_Time, kGeneral4 + 15, "0.5", 500, "  0.500"},
        {CL_Mdc_General_Coast_Time, kGeneral4 + 15, "0.6", 500, "  0.500"},
        {CL_Mdc_General_10key_Timeout, kGeneral4 + 11, "0.2", 500, "  0.500"},
        {CL_Mdc_General_Menu_Timeout, kGeneral4 + 9, "31", 30000, " 30.000"},
        {CL_Mdc_General_Menu_Timeout, kGeneral4 + 9, "0", 1000, "  1.000"},
        {CL_Mdc_General_DOS_Time, kGeneral4 + 13, "4.5004", 4500, "  4.500"},
        {CL_Mdc_Emg_Cycle_Delay, kEmergency4 + 10, "61", 60000, " 60.000"},
        {CL_Mdc_Msg_Disp_Time, kMessage4 + 5, "0.0015", 2, "  0.002"},
    };
    for (const auto& c : cases) {
        rig.shell.image.Fill(0);
        rig.At(c.item, 4);
        EXPECT_EQ(rig.Type(c.typed).text, c.shown) << c.typed;
        EXPECT_EQ(Word(c.address), c.stored) << c.typed;
    }
    // Space steps by a millisecond.
    rig.shell.image.Fill(0);
    rig.At(CL_Mdc_Stun_Ack_Delay, 4);
    rig.Key(kKeySpace);
    EXPECT_EQ(Word(kStun4 + 6), 1);
}

// Status and message entries lie 16 to a block: entry 17 is entry 1 of block 1, and its number
// within the block is 2.
TEST_F(MdcItemsTest, EntriesAreNumberedWithinTheirBlock) {
    const struct {
        int item;
        int index;
        const char* text;
    } cases[] = {
        {CL_Mdc_Status_Num, 17, "2"},      {CL_Mdc_Status_Num, 0, "1"},
        {CL_Mdc_Msg_Num, 79, "16"},        {CL_Mdc_System_List_Text, 3, "Sys 3"},
        {CL_Mdc_General_Text, 0, "Gen 0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Shown(c.item, c.index), c.text) << c.item << "[" << c.index << "]";
    }
    rig.shell.image.Fill(0);
    rig.At(CL_Mdc_Status_Ack, 17);
    rig.Answer(Flex0, 1);
    EXPECT_EQ(rig.shell.image.GetByte(47568 + 144 + 1), 0x80);
}

// Showing or changing a system's revive entry leaves its alias list as it is.
TEST_F(MdcItemsTest, TheReviveListLeavesTheAliasListAlone) {
    rig.shell.image.Fill(0);
    rig.shell.image.SetByte(kSystem4 + 8, 3);
    EXPECT_EQ(Shown(CL_Mdc_System_List_Revive, 4), "0");
    rig.Type("2");
    EXPECT_EQ(rig.shell.image.GetByte(kSystem4 + 6), 2);
    EXPECT_EQ(rig.shell.image.GetByte(kSystem4 + 8), 3);
    EXPECT_EQ(Shown(CL_Mdc_System_List_Alias, 4), "3");
}

// Codes of the group without a setting: the emergency beeps and the conversation time say so
// with their number; the items of aliases 2 to 5 show nothing and change nothing.
TEST_F(MdcItemsTest, ItemsWithoutASetting) {
    for (int item :
         {CL_Mdc_Emg_Cnt_Beep, CL_Mdc_Emg_Beep_Type, CL_Mdc_Emg_Beep_Time, CL_Mdc_Conv_Time}) {
        EXPECT_EQ(Shown(item, 0), std::to_string(item) + " *Yet*");
    }
    rig.shell.image.Fill(0x5A);
    const std::vector<uint8_t> before = radiotest::ImageBytes(rig.shell.image);
    for (int item = CL_Mdc_Alias2_Strip; item <= CL_Mdc_Alias5_Text; ++item) {
        EXPECT_EQ(Shown(item, 1, A), "") << item;
        EXPECT_EQ(rig.Key(kKeySpace).text, "") << item;
        rig.Type("12");
        rig.Answer(Flex0, 1);
    }
    EXPECT_TRUE(radiotest::ChangedBits(before, rig.shell.image).empty());
}

}  // namespace
