// Every value converter through the dispatcher: a table of cases each (render, Space,
// Backspace, typed keys, committed text, pop-up answers, out-of-range input) on rows of a test
// memory map whose values live in the image fixture or in one held number.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "radio/image/ImageLayout.h"
#include "radio/memmap/ChannelConverters.h"
#include "radio/memmap/ItemRegistry.h"
#include "radio/records/datCh.h"
#include "tests/radio/support/CellRig.h"

namespace {

using namespace memmap;
using radiotest::CellRig;

const char* const kTable[] = {
    "#GI_Sys_AppTitle",
    "Tarnwick",
    "#GI_AppInd_TimerOff",
    "Off",
    "#Sel_T_Cells",
    "{(%Flex0[0])}Zero|",
    "{(%Flex0[1])}One|",
    "{(%Flex0[2])}Two|",
    "#Sel_N_Cells",
    "{(%Flex0[3])}Off|",
    "{(%Flex0[0])}67.0|{(%Flex0[1])}71.9|{(%Flex0[2])}88.5|",
    "#Sel_R1_Cells",
    "{(%Flex0[0])}None|",
    "{(%Flex0[250])}Any|",
    "{(%Flex0[5])}Number...|",
    "#Sel_R2_Cells",
    "{(%Flex1[5])}5|{(%Flex1[6])}6|",
    "{(%Flex1[7])}7|{(%Flex1[9])}9|",
    "{(%Flex1[8])}8|",
    "#Sel_Atr_Cells",
    "{(%Flex0[0])}Keep|{(%Flex0[1])}A|{(%Flex0[2])}B|{(%Flex0[3])}E|{(%Flex0[4])}Not E|",
    "#GI_Sheet_Sel_RxC_AbcSel_Cells",
    "{(%Flex0[0])}Off|",
    "{(%Flex0[1])}Code...|",
    "{(%Flex0[33])}A|",
    "{(%Flex0[34])}B|",
    "#GI_Sheet_Sel_RxC_AbcCode_Cells",
    "{(%Flex1[1])}1|{(%Flex1[2])}2|{(%Flex1[32])}32|",
    "#GI_Sheet_Sel_Mch_ScramCode_Cells",
    "{(%Flex0[0])}Inversion|",
    "{(%Flex0[1])}Code...|",
    "#GI_Sheet_Sel_Keys_Conv_Pmr_Cells",
    "{(%Flex0[32])}None|",
    "{(%Flex0[48])}Monitor|",
    "{(%Flex0[65])}Scan|",
    "{(%Flex0[73])}Scrambler|",
    "#GI_Sheet_Sel_Keys_Conv_Lmr_Cells",
    "{(%Flex0[48])}LMR Monitor|",
    "#GI_Sheet_Sel_KDisp_ScrmOpt_Port_Cells",
    "{(%FlexScrmPort[0])}Port 1|{(%FlexScrmPort[1])}Port 2|{(%FlexScrmPort[2])}Port 3|",
    "#GI_Sheet_Sel_KDisp_KeyOpt_HL_Cells",
    "{(%FlexKeyOpt[0])}Low|{(%FlexKeyOpt[1])}High|",
    "#GI_Sheet_Sel_Mch_CTone_Cells",
    "{(%Flex0[0])}67.0|",
    "{(%Flex0[1])}69.3|",
    "{(%Flex0[2])}71.9|",
    "{(%Flex0[52])}Off|",
    "{(%FlexDtcs[53])}DTCS...|",
    "#GI_AppItem_Ctcss",
    "67.0,69.3,71.9",
    "#End_Of_Ovl",
};

// The value of the rows that work on one whole number.
int held = 0;
int ReadHeld(const ItemContext&) {
    return held;
}
void WriteHeld(ItemContext&, int value) {
    held = value;
}
constexpr IntField kHeld = Custom({ReadHeld, WriteHeld});

enum Code {
    kInt = 1,
    kIntStop,
    kPadded,
    kDecimal,
    kDecimalTyped,
    kDecimalEven,
    kDecimalSigned,
    kTimerOff,
    kTimerCut,
    kMinSec,
    kScaled,
    kChoice,
    kTyped,
    kListNumber,
    kAbc,
    kScram,
    kLetters,
    kNibbles,
    kHex,
    kHexF,
    kBits10,
    kBits4,
    kKey,
    kFreqRx,
    kFreqTx,
    kToneRx,
    kToneTx,
    kDtmf,
    kFiveTone,
    kFiveToneFull,
    kDigits,
    kText,
};

constexpr ItemRow kRows[] = {
    Number(kInt, kHeld, {.minimum = 1, .maximum = 8}),
    Number(kIntStop, kHeld, {.minimum = 0, .maximum = 255, .ends = Ends::Stop}),
    PaddedNumber(kPadded, kHeld, {.width = 4, .minimum = 0, .maximum = 4095}),
    Decimal(kDecimal, kHeld,
            {.storedDecimals = 2, .shownDecimals = 2, .minimum = 0.01, .maximum = 2.55}),
    Decimal(kDecimalTyped, kHeld,
            {.storedDecimals = 1,
             .shownDecimals = 1,
             .minimum = 60,
             .maximum = 300,
             .stepping = false}),
    Decimal(kDecimalEven, kHeld,
            {.storedDecimals = 2, .shownDecimals = 3, .minimum = 0.02, .maximum = 0.3, .step = 2}),
    Decimal(kDecimalSigned, kHeld,
            {.storedDecimals = 6,
             .shownDecimals = 4,
             .minimum = -99.975,
             .maximum = 99.975,
             .step = 25000,
             .stepping = false}),
    Timer(kTimerOff, kHeld, {.unitsPerSecond = 10, .offText = true}),
    Timer(kTimerCut, kHeld, {.unitsPerSecond = 10, .cutZeros = 2}),
    MinSec(kMinSec, kHeld, {.minimumSeconds = 0, .maximumSeconds = 3570, .stepSeconds = 30}),
    ScaledByte(kScaled, kHeld),
    Choice(kChoice, kHeld, "Sel_T"),
    TypedChoice(kTyped, kHeld, {.list = "Sel_N"}),
    ListNumber(kListNumber, kHeld, {.firstList = "Sel_R1", .secondList = "Sel_R2"}),
    AbcCode(kAbc, kHeld),
    ScramCode(kScram, kHeld),
    OptionLetters(kLetters, kHeld, "Sel_Atr"),
    NibbleCode(kNibbles, kHeld, {.digits = 4}),
    OneHexDigit(kHex, kHeld, {}),
    OneHexDigit(kHexF, kHeld, {.letterF = true}),
    BitField(kBits10, kHeld, {.firstLabel = 1, .lastLabel = 10, .labelStyle = 2}),
    BitField(kBits4, kHeld, {.firstLabel = 1, .lastLabel = 4}),
    KeyAssign(kKey, Byte(416)),
    Frequency(kFreqRx, Side::Receive),
    Frequency(kFreqTx, Side::Transmit),
    SubTone(kToneRx, Side::Receive),
    SubTone(kToneTx, Side::Transmit),
    PackedCode(kDtmf, {.nibbles = 24}),
    FiveToneCode(kFiveTone, {.digits = 7}),
    FiveToneCode(kFiveToneFull, {.digits = 8}),
    Digits(kDigits, Nibbles(344, 4)),
    Text(kText, Chars(504, 8)),
};
const ItemRegistry kRegistry{kRows};

// One thing done to a cell.
struct Act {
    enum Kind { Paint, Key, Type, Answer } kind;
    int key = 0;
    std::string text;
    int answerItem = 0;
    int answerValue = 0;
};
Act Painted() {
    return {Act::Paint, 0, {}};
}
Act Pressed(int key) {
    return {Act::Key, key, {}};
}
Act Typed(std::string text) {
    return {Act::Type, 0, std::move(text)};
}
Act Chosen(int item, int value, std::string text = "") {
    return {Act::Answer, 0, std::move(text), item, value};
}

// A number-valued converter: the value before, what is done, the value after, the text shown
// and the editor request.
struct Case {
    int code;
    int before;
    Act act;
    int after;
    std::string text;
    int request = 0;
};

class ConvertersTest : public ::testing::Test {
protected:
    ConvertersTest() { held = 0; }

    CellRig::Run Do(int code, const Act& act, int index = 0, int category = kCategoryNone) {
        rig.At(code, index, category);
        switch (act.kind) {
            case Act::Paint: {
                CellRig::Run run;
                run.text = rig.Paint();
                return run;
            }
            case Act::Key:
                return rig.Key(act.key);
            case Act::Type:
                return rig.Type(act.text);
            case Act::Answer:
                return rig.Answer(act.answerItem, act.answerValue, act.text);
        }
        return {};
    }

    void Check(const std::vector<Case>& cases) {
        for (size_t i = 0; i < cases.size(); ++i) {
            const Case& c = cases[i];
            held = c.before;
            const CellRig::Run run = Do(c.code, c.act);
            EXPECT_EQ(held, c.after) << "case " << i;
            EXPECT_EQ(run.text, c.text) << "case " << i;
            EXPECT_EQ(run.request, c.request) << "case " << i;
        }
    }

    CellRig rig{kRegistry, kTable};
};

TEST_F(ConvertersTest, Numbers) {
    Check({
        {kInt, 5, Painted(), 5, "5"},
        {kInt, 8, Pressed(kKeySpace), 1, "1"},
        {kInt, 1, Pressed(kKeyBackspace), 8, "8"},
        {kIntStop, 255, Pressed(kKeySpace), 255, "255"},
        {kIntStop, 0, Pressed(kKeyBackspace), 0, "0"},
        {kInt, 5, Typed("3.6"), 4, "4"},
        {kInt, 5, Typed("99"), 8, "8"},
        {kInt, 5, Typed("-3"), 1, "1"},
        {kInt, 5, Typed("abc"), 5, "5"},
        {kInt, 5, Pressed('7'), 5, "7", 2},
        {kInt, 5, Pressed(kKeyEnter), 5, "5", 2},
        {kInt, 5, Pressed('-'), 5, "5"},
        {kPadded, 42, Painted(), 42, "0042"},
        {kPadded, 4095, Pressed(kKeySpace), 0, "0000"},
        {kPadded, 42, Typed("5000"), 42, "0042"},
        {kPadded, 42, Typed("123"), 123, "0123"},
    });
    EXPECT_EQ(rig.shell.warningRestarts, 14);  // every run with a key or a text
}

TEST_F(ConvertersTest, Decimals) {
    Check({
        {kDecimal, 125, Painted(), 125, "  1.25"},
        {kDecimal, 125, Typed("3"), 255, "  2.55"},
        {kDecimal, 255, Pressed(kKeySpace), 1, "  0.01"},
        {kDecimal, 1, Pressed(kKeyBackspace), 255, "  2.55"},
        {kDecimal, 125, Typed("0.004"), 1, "  0.01"},
        {kDecimal, 125, Pressed('.'), 125, "1.25", 2},
        {kDecimalTyped, 1000, Pressed(kKeySpace), 1000, "100.0", 2},
        {kDecimalTyped, 1000, Typed("123.45"), 1235, "123.5"},
        {kDecimalEven, 20, Typed("0.155"), 16, "  0.160"},
        {kDecimalEven, 30, Pressed(kKeySpace), 2, "  0.020"},
        {kDecimalSigned, 0, Typed("45.1234"), 45100000, " 45.1000"},
        {kDecimalSigned, 0, Typed("-0.025"), -25000, " -0.0250"},
        {kDecimalSigned, 0, Typed("-120"), -99975000, "-99.9750"},
    });
    // The caret of "." stands after the point.
    held = 125;
    EXPECT_EQ(Do(kDecimal, Pressed('.')).selStart, 2);
}

TEST_F(ConvertersTest, Times) {
    Check({
        {kTimerOff, 0, Painted(), 0, "Off"},
        {kTimerOff, 7, Typed("of"), 0, "Off"},
        {kTimerOff, 0, Typed("2.5"), 25, "  2.500"},
        {kTimerOff, 0, Typed("300"), 255, " 25.500"},
        {kTimerOff, 0, Pressed(kKeySpace), 1, "  0.100"},
        {kTimerOff, 0, Pressed(kKeyEnter), 0, "0.000", 2},
        {kTimerOff, 0, Pressed(kKeyBackspace), 255, " 25.500"},
        {kTimerOff, 3, Pressed('o'), 3, "o", 2},
        {kTimerCut, 25, Painted(), 25, "  2.5"},
        {kTimerCut, 20, Painted(), 20, "  2.0"},
        {kTimerCut, 0, Painted(), 0, "  0.0"},
        {kMinSec, 3, Painted(), 3, " 1:30"},
        {kMinSec, 0, Typed("2:44"), 5, " 2:30"},
        {kMinSec, 0, Typed("2:45"), 6, " 3:00"},
        {kMinSec, 0, Typed("5"), 10, " 5:00"},
        {kMinSec, 7, Typed("123456"), 7, " 3:30"},
        {kMinSec, 119, Pressed(kKeySpace), 0, " 0:00"},
        {kMinSec, 0, Typed("99:00"), 119, "59:30"},
        {kScaled, 255, Painted(), 255, "  2.789"},
        {kScaled, 255, Pressed(kKeySpace), 1, "  0.010"},
        {kScaled, 1, Pressed(kKeyBackspace), 255, "  2.789"},
        {kScaled, 0, Typed("1"), 91, "  1.000"},
        {kScaled, 0, Typed("0.001"), 1, "  0.010"},
    });
}

TEST_F(ConvertersTest, ChoiceLists) {
    Check({
        {kChoice, 1, Painted(), 1, "One"},
        {kChoice, 2, Pressed(kKeySpace), 0, "Zero"},
        {kChoice, 0, Pressed(kKeyBackspace), 2, "Two"},
        {kChoice, 1, Pressed(kKeyEnter), 1, "One", 1},
        {kChoice, 1, Chosen(Flex0, 2), 2, ""},
        {kChoice, 1, Chosen(Flex1, 2), 1, ""},
        {kChoice, 7, Painted(), 7, "error"},
        {kChoice, 1, Typed("2"), 1, "One"},
        {kTyped, 0, Typed("72"), 1, "71.9"},
        {kTyped, 0, Typed(" of"), 3, "Off"},
        {kTyped, 0, Typed("Ox"), 0, "67.0"},
        {kTyped, 0, Pressed('7'), 0, "7", 2},
        {kTyped, 0, Pressed(kKeySpace), 1, "71.9"},
        {kListNumber, 0, Painted(), 0, "None"},
        {kListNumber, 7, Painted(), 7, "7"},
        {kListNumber, 0, Typed("8"), 8, "8"},
        {kListNumber, 0, Typed("20"), 8, "8"},  // the highest number rising line by line
        {kListNumber, 7, Typed("of"), 0, "None"},
        {kListNumber, 0, Chosen(Flex0, 5), 0, "None", 1},
        {kListNumber, 7, Chosen(Flex0, 250), 250, "Any"},
        {kListNumber, 0, Chosen(Flex1, 6), 6, "6"},
        {kListNumber, 0, Pressed(kKeySpace), 250, "Any"},
        {kListNumber, 250, Pressed(kKeySpace), 0, "None"},  // past the number entry
        {kListNumber, 7, Pressed(kKeySpace), 0, "None"},
        {kListNumber, 7, Pressed('3'), 7, "3", 2},
        {kAbc, 0, Painted(), 0, "Off"},
        {kAbc, 12, Painted(), 12, "12"},
        {kAbc, 33, Painted(), 33, "A"},
        {kAbc, 12, Typed("of"), 0, "Off"},
        {kAbc, 0, Typed("40"), 32, "32"},
        {kAbc, 0, Chosen(Flex0, 1), 0, "Off", 1},
        {kAbc, 0, Chosen(Flex0, 34), 34, "B"},
        {kAbc, 0, Chosen(Flex1, 7), 7, "7"},
        {kAbc, 0, Pressed(kKeySpace), 33, "A"},
        {kScram, 0, Painted(), 0, "Inv"},
        {kScram, 77, Painted(), 77, "77"},
        {kScram, 77, Typed("INV"), 0, "Inv"},
        {kScram, 77, Typed("300"), 255, "255"},
        {kScram, 77, Chosen(Flex0, 0), 0, "Inv"},
        {kScram, 255, Pressed(kKeySpace), 0, "Inv"},
        {kScram, 77, Pressed(kKeyEnter), 77, "77", 1},
        {kScram, 77, Pressed('i'), 77, "i", 2},
        {kLetters, 0x07, Painted(), 0x07, "ABE"},
        {kLetters, 0x0D, Painted(), 0x0D, "A"},
        {kLetters, 0x00, Chosen(Flex0, 2), 0x02, ""},
        {kLetters, 0x04, Chosen(Flex0, 4), 0x08, ""},
        {kLetters, 0x00, Chosen(Flex0, 5), 0x10, ""},
        {kLetters, 0x01, Chosen(Flex0, 1), 0x01, ""},
        {kLetters, 0x01, Pressed(kKeyEnter), 0x01, "A", 1},
    });
    const std::vector<PopupHost::ChoiceList>& lists = rig.shell.popups.choiceLists;
    ASSERT_EQ(lists.size(), 5u);
    EXPECT_EQ(lists[0].list, "Sel_T");
    EXPECT_EQ(lists[0].value, 1);
    EXPECT_EQ(lists[1].list, "Sel_R2");  // the number entry opens the second list
    EXPECT_EQ(lists[1].item, Flex1);
    EXPECT_EQ(lists[2].list, "GI_Sheet_Sel_RxC_AbcCode");
    EXPECT_EQ(lists[3].list, "GI_Sheet_Sel_Mch_ScramCode");
    EXPECT_EQ(lists[3].value, 1);
    EXPECT_EQ(lists[4].list, "Sel_Atr");
    // Only the answers that changed the flags told the bank sheet.
    std::vector<int> told;
    for (int event : rig.events) {
        if (event == EV_RefreshBankMarks || event == EV_BankTitle) {
            told.push_back(event);
        }
    }
    EXPECT_EQ(told, (std::vector<int>{EV_RefreshBankMarks, EV_BankTitle, EV_RefreshBankMarks,
                                      EV_BankTitle, EV_RefreshBankMarks, EV_BankTitle}));
    // Choosing "code" for a scrambler opens the in-place editor on the number.
    held = 77;
    EXPECT_EQ(Do(kScram, Chosen(Flex0, 1)).text, "77");
    EXPECT_EQ(rig.editorOpenings, 1);
}

TEST_F(ConvertersTest, DigitsAndBits) {
    Check({
        {kNibbles, 0x1A2F, Painted(), 0x1A2F, "1A2F"},
        {kNibbles, 0x1A2F, Typed("b"), 0x000B, "000B"},
        {kNibbles, 0x71A2F, Typed("12345"), 0x71234, "1234"},
        {kNibbles, 0x1A2F, Typed("xyz"), 0x1A2F, "1A2F"},
        {kNibbles, 0x1A2F, Pressed(kKeySpace), 0x1A2F, "1A2F", 2},
        {kNibbles, 0x1A2F, Pressed('g'), 0x1A2F, "1A2F"},
        {kHex, 10, Painted(), 10, "A"},
        {kHex, 10, Typed("e"), 14, "E"},
        {kHex, 10, Typed("f"), 10, "A"},
        {kHexF, 10, Typed("F"), 15, "F"},
        {kHex, 10, Pressed('f'), 10, "A"},
        {kHexF, 10, Pressed('f'), 10, "f", 2},
        {kHex, 16, Painted(), 16, ""},
        {kBits10, 0x201, Painted(), 0x201, "1________0\n"},
        {kBits10, 0x201, Pressed(kKeySpace), 0, "__________\n"},
        {kBits10, 0xC00, Pressed(kKeySpace), 0xFFF, "1234567890\n"},
        {kBits10, 0x201, Pressed(kKeyBackspace), 0x1FE, "_23456789_\n"},
        {kBits10, 0x201, Pressed('3'), 0x281, "1_3______0\n"},
        {kBits10, 0x201, Pressed('0'), 0x200, "1_________\n"},
        {kBits10, 0x201, Pressed(kKeyEnter), 0x201, "1________0\n", 1},
        {kBits10, 0x201, Chosen(Flex0, 0, "5"), 0x005, "_______8_0\n"},
        {kBits4, 0x9F, Painted(), 0x9F, "1__4\n"},
        {kBits4, 0x9F, Pressed(kKeySpace), 0x0F, "____\n"},
        {kBits4, 0x0F, Pressed('2'), 0x4F, "_2__\n"},
        {kBits4, 0x0F, Pressed('5'), 0x0F, "____\n"},
    });
    ASSERT_EQ(rig.shell.popups.bitSets.size(), 1u);
    const PopupHost::BitSet& asked = rig.shell.popups.bitSets[0];
    EXPECT_EQ(asked.value, 0x201);
    EXPECT_EQ(asked.firstLabel, 1);
    EXPECT_EQ(asked.lastLabel, 10);
    EXPECT_EQ(asked.labelStyle, 2);
    EXPECT_EQ(asked.markStyle, 1);
}

TEST_F(ConvertersTest, KeyFunctionsAndTheirOptions) {
    cmcEeprom& image = rig.shell.image;
    image.SetByte(layout::kKeyOptionBits, 0x20);  // slot 11 high
    image.SetByte(layout::kScramblerPort, 0x01);
    struct Shown {
        int function;
        const char* text;
    } shown[] = {{'0', "Monitor /H"}, {'4', "error /L"}, {'I', "Scrambler OPT2 /L"}, {'A', "Scan"}};
    for (const Shown& s : shown) {
        image.SetByte(416, static_cast<uint8_t>(s.function));
        rig.At(kKey);
        EXPECT_EQ(rig.Paint(), s.text) << s.function;
    }
    // Choosing the scrambler asks for its port, the port for high or low.
    image.SetByte(416, 'A');
    EXPECT_EQ(Do(kKey, Chosen(Flex0, 'I')).request, 1);
    EXPECT_EQ(image.GetByte(416), 'I');
    Do(kKey, Chosen(FlexScrmPort, 2));
    EXPECT_EQ(image.GetByte(layout::kScramblerPort), 0x02);
    const CellRig::Run option = Do(kKey, Chosen(FlexKeyOpt, 1));
    EXPECT_EQ(image.GetByte(layout::kKeyOptionBits), 0x20 | 0x80);  // port 3's slot
    EXPECT_EQ(option.redraw & RD_AllCells, RD_AllCells);
    const std::vector<PopupHost::ChoiceList>& lists = rig.shell.popups.choiceLists;
    ASSERT_EQ(lists.size(), 2u);
    EXPECT_EQ(lists[0].list, "GI_Sheet_Sel_KDisp_ScrmOpt_Port");
    EXPECT_EQ(lists[1].list, "GI_Sheet_Sel_KDisp_KeyOpt_HL");
    // The function list follows the model type.
    image.SetByte(416, '0');
    rig.shell.model = MT_Lmr;
    rig.At(kKey);
    EXPECT_EQ(rig.Paint(), "LMR Monitor /H");
}

class ChannelConvertersTest : public ConvertersTest {
protected:
    datCh Channel(int index = 5) {
        datCh record(&rig.shell.image);
        record.Load(RK_ChPmr, index);
        return record;
    }
    void SetChannel(int rx, int tx, int index = 5) {
        datCh record = Channel(index);
        record.rxFreq = rx;
        record.txFreq = tx;
        record.Store();
    }
    // The channel checks carry the channel record without the channel sheet's own rules.
    CellRig::Run OnChannel(int code, const Act& act) { return Do(code, act, 5, CT_Mch_Check); }
    CellRig::Run OnTone(int code, const Act& act) { return Do(code, act, 2, CT_CTone); }
    datCh Tones() {
        datCh record(&rig.shell.image);
        record.Load(RK_CTone, 2);
        return record;
    }
    void SetTones(datCh::ToneWord rx, datCh::ToneWord tx) {
        datCh record = Tones();
        record.tone1 = rx;
        record.tone2 = tx;
        record.Store();
    }
};

TEST_F(ChannelConvertersTest, Frequencies) {
    EXPECT_EQ(OnChannel(kFreqRx, Painted()).text, "");  // not in use
    EXPECT_EQ(OnChannel(kFreqRx, Pressed(kKeyEnter)).text, "");
    const CellRig::Run taken = OnChannel(kFreqRx, Typed("146.52"));
    EXPECT_EQ(taken.text, "146.520000");
    datCh record = Channel();
    EXPECT_EQ(record.rxFreq, 146520000);
    EXPECT_EQ(record.txFreq, 146520000);
    EXPECT_EQ(record.inh, 0);
    EXPECT_EQ(OnChannel(kFreqTx, Painted()).text, "<-");
    // Digits that allow no channel frequency store nothing.
    OnChannel(kFreqRx, Typed("146.5213"));
    EXPECT_EQ(Channel().rxFreq, 146520000);
    // The transmit side follows while the two are equal.
    OnChannel(kFreqRx, Typed("146.525"));
    EXPECT_EQ(Channel().txFreq, 146525000);
    OnChannel(kFreqTx, Typed("150"));
    EXPECT_EQ(Channel().txFreq, 150000000);
    EXPECT_EQ(OnChannel(kFreqTx, Painted()).text, "150.000000");
    OnChannel(kFreqRx, Typed("146.53125"));
    EXPECT_EQ(Channel().rxFreq, 146531250);  // a multiple of 3,125 Hz
    EXPECT_EQ(Channel().txFreq, 150000000);
    // Keys open the editor.
    const CellRig::Run point = OnChannel(kFreqRx, Pressed('.'));
    EXPECT_EQ(point.request, 2);
    EXPECT_EQ(point.selStart, 4);
    const CellRig::Run same = OnChannel(kFreqTx, Pressed('='));
    EXPECT_EQ(same.text, "146.531250");
    EXPECT_EQ(same.request, 2);
    EXPECT_EQ(OnChannel(kFreqRx, Pressed('4')).text, "4");
}

TEST(SnapFrequency, TypedDigitsFixAPrefix) {
    struct SnapCase {
        int typed;
        int snapped;
    } cases[] = {{146520000, 146520000}, {146521300, -1},        {146525000, 146525000},
                 {146530000, 146530000}, {146531250, 146531250}, {146500000, 146500000},
                 {146510000, 146510000}, {446006250, 446006250}, {0, 0}};
    for (const SnapCase& c : cases) {
        EXPECT_EQ(SnapFrequency(c.typed), c.snapped) << c.typed;
    }
}

TEST_F(ChannelConvertersTest, SubTones) {
    const datCh::ToneWord off{};
    SetTones(off, off);
    EXPECT_EQ(OnTone(kToneRx, Painted()).text, "Off");
    EXPECT_EQ(OnTone(kToneRx, Typed("023n")).text, "023N");
    datCh record = Tones();
    EXPECT_EQ(record.tone1.digital, 1);
    EXPECT_EQ(record.tone1.code, 023);
    EXPECT_EQ(record.tone2, record.tone1);  // transmit followed
    EXPECT_EQ(OnTone(kToneTx, Painted()).text, "<-");
    OnTone(kToneRx, Pressed(kKeySpace));
    EXPECT_EQ(Tones().tone1.inverted, 1);
    EXPECT_EQ(OnTone(kToneRx, Typed("754i")).text, "754i");
    // Not a code (its third character is no octal digit), and no tone name either.
    OnTone(kToneRx, Typed("23n"));
    EXPECT_EQ(Tones().tone1.code, 0754);
    // A tone name, typed or chosen.
    OnTone(kToneRx, Typed("71"));
    EXPECT_EQ(Tones().tone1.toneIndex, 2);
    EXPECT_EQ(Tones().tone1.digital, 0);
    EXPECT_EQ(OnTone(kToneRx, Painted()).text, "71.9");
    OnTone(kToneRx, Typed("6"));  // begins two names: too short to choose
    EXPECT_EQ(Tones().tone1.toneIndex, 2);
    OnTone(kToneRx, Chosen(Flex0, 1));
    EXPECT_EQ(Tones().tone1.toneIndex, 1);
    OnTone(kToneRx, Chosen(Flex0, 52));
    EXPECT_FALSE(Tones().tone1.on);
    EXPECT_EQ(Tones().tone2, Tones().tone1);
    // The list's DTCS entry opens the editor for a code.
    OnTone(kToneTx, Chosen(FlexDtcs, 53));
    EXPECT_EQ(rig.editorOpenings, 1);
    // The transmit side differs now: the receive side no longer drags it along.
    OnTone(kToneTx, Typed("71.9"));
    OnTone(kToneRx, Typed("67"));
    EXPECT_EQ(Tones().tone1.toneIndex, 0);
    EXPECT_EQ(Tones().tone2.toneIndex, 2);
    EXPECT_EQ(OnTone(kToneTx, Painted()).text, "71.9");
    EXPECT_EQ(OnTone(kToneRx, Pressed('1')).request, 2);
}

TEST_F(ConvertersTest, DtmfCodes) {
    const auto record = [this] {
        datCh view(&rig.shell.image);
        view.Load(RK_Dtmf, 1);
        return view;
    };
    EXPECT_EQ(Do(kDtmf, Typed("12*#"), 1, CT_DTMF).text, "12*#");
    EXPECT_EQ(record().digitCount, 4);
    EXPECT_EQ(record().digits[2], 14);
    EXPECT_EQ(record().digits[3], 15);
    EXPECT_EQ(Do(kDtmf, Typed("E"), 1, CT_DTMF).text, "*");
    EXPECT_EQ(Do(kDtmf, Typed(std::string(30, '9')), 1, CT_DTMF).text, std::string(24, '9'));
    EXPECT_EQ(Do(kDtmf, Typed(""), 1, CT_DTMF).text, "");
    EXPECT_EQ(record().digitCount, 0);
    EXPECT_EQ(Do(kDtmf, Pressed('#'), 1, CT_DTMF).request, 2);
}

// A five-tone code stays inside its 4 code bytes and the marker byte, whatever is typed.
TEST_F(ConvertersTest, FiveToneCodesNeverWritePastTheirField) {
    cmcEeprom& image = rig.shell.image;
    const int record = layout::kRxCodeArea.At(1);
    struct CodeCase {
        int code;
        const char* typed;
        const char* shown;
    } cases[] = {
        {kFiveTone, "12+4*", "12+4*"},
        {kFiveTone, "123456789", "1234567"},
        {kFiveToneFull, "9876543210", "98765432"},
        {kFiveTone, "1f2g", "12*"},
    };
    for (const CodeCase& c : cases) {
        image.Fill(0xFF);
        image.SetByte(layout::kCodeCommon, 14);  // the group tone
        std::vector<uint8_t> before(image.GetData(), image.GetData() + layout::kImageSize);
        EXPECT_EQ(Do(c.code, Typed(c.typed), 1, CT_RX_Code).text, c.shown) << c.typed;
        for (int i = 0; i < layout::kImageSize; ++i) {
            const bool field = (i >= record && i < record + 4) || i == record + 12;
            if (!field) {
                EXPECT_EQ(image.GetByte(i), before[static_cast<size_t>(i)]) << c.typed << " " << i;
            }
        }
    }
    image.SetByte(record + 12, 0);
    EXPECT_EQ(Do(kFiveTone, Pressed('+'), 1, CT_RX_Code).request, 2);
}

TEST_F(ConvertersTest, DigitsAndTextOfTheImage) {
    cmcEeprom& image = rig.shell.image;
    image.SetByte(344, 0x12);
    image.SetByte(345, 0x34);
    EXPECT_EQ(Do(kDigits, Painted()).text, "1234");
    EXPECT_EQ(Do(kDigits, Typed("56")).text, "0056");
    EXPECT_EQ(image.GetByte(344), 0x00);
    EXPECT_EQ(image.GetByte(345), 0x56);
    Do(kDigits, Typed("1234567"));
    EXPECT_EQ(image.GetByte(344), 0x12);
    EXPECT_EQ(Do(kDigits, Pressed('a')).request, 0);
    EXPECT_EQ(Do(kDigits, Pressed('5')).request, 2);
    const char name[] =
        "AB\x01"
        "CD\x7f"
        "EF";
    image.WriteBlock(504, reinterpret_cast<const uint8_t*>(name), 8);
    EXPECT_EQ(Do(kText, Painted()).text, "AB CD EF");
    EXPECT_EQ(image.GetByte(506), 0x01);  // painting changes nothing
    EXPECT_EQ(Do(kText, Typed("Hi\x01"
                              "there!!!"))
                  .text,
              "Hi there");
    EXPECT_EQ(image.GetByte(506), ' ');
    EXPECT_EQ(image.GetByte(512), 0);  // the byte after the field
    Do(kText, Typed("Hi"));
    EXPECT_EQ(image.GetByte(504 + 7), ' ');
    EXPECT_EQ(Do(kText, Pressed('x')).text, "x");
    EXPECT_EQ(Do(kText, Pressed(kKeySpace)).text, "Hi");
    EXPECT_EQ(Do(kText, Pressed(kKeySpace)).request, 2);
}

}  // namespace
