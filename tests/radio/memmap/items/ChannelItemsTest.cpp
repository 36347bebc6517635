// The bank and memory-channel rows against image fixtures of each model type and the program's
// own text table: the text each shows, the bits an edit stores, the cells that do not apply and
// the marks of Vask channels; the bank sizes and the empty row after a bank's last channel.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "common/GetTextBlock.h"
#include "radio/cells/CellCodes.h"
#include "radio/image/BankTable.h"
#include "radio/image/ImageLayout.h"
#include "radio/memmap/BankChannelEdits.h"
#include "radio/memmap/indActiveCell.h"
#include "radio/records/datCh.h"
#include "tests/radio/support/CellRig.h"
#include "tests/radio/support/ImageDiff.h"
#include "tests/radio/support/RecordImage.h"
#include "tests/radio/support/RecordingCanvas.h"

namespace {

using radiotest::CellRig;

// Channel 3 of bank 0 (channels 0..5; bank 1 holds 6..9).
constexpr int kChannel = 3;
constexpr int A = layout::kChannelA.At(kChannel);
constexpr int B = layout::kChannelB.At(kChannel);
constexpr uint32_t kSilver = 0xC0C0C0;

using radiotest::Bits;

using Prepare = std::function<void(datCh& channel, uint8_t* image)>;
using Act = std::function<void(CellRig& rig)>;

Act Press(int key) {
    return [key](CellRig& rig) { rig.Key(key); };
}
Act Typed(std::string text) {
    return [text](CellRig& rig) { rig.Type(text); };
}
Act Chosen(int item, int value) {
    return [item, value](CellRig& rig) { rig.Answer(item, value); };
}

class ChannelItemsTest : public ::testing::Test {
protected:
    ChannelItemsTest() { rig.bus.AddListener(OnEvent, this); }
    ~ChannelItemsTest() override { rig.bus.RemoveListener(OnEvent, this); }

    // The bus as the program's: the open sheet shows bank 0, and the main window opens and
    // removes the channels the rows ask for.
    static void OnEvent(void* data, const cmcEvent& event) {
        auto* test = static_cast<ChannelItemsTest*>(data);
        if (event.type == EV_QueryCurrentBank) {
            test->rig.bus.Answer(0, 0);
        } else if (event.type == EV_InsertChannel || event.type == EV_DeleteChannel) {
            RunChannelEvent(test->rig.shell, event);
        }
    }

    cmcEeprom& Image() { return rig.shell.image; }
    uint32_t Kind() const { return ChannelKindOf(rig.shell.model); }

    void SetBanks(const std::vector<int>& sizes) {
        for (int bank = 0; bank < layout::kBankCount; ++bank) {
            SetBankSize(Image(), bank, bank < std::ssize(sizes) ? sizes[bank] : 0);
        }
    }

    // Every byte pseudo-random, every channel record as its view writes it back; banks 0 and 1
    // of six and four channels.
    void RandomDocument(ModelType model) {
        rig.shell.model = model;
        radiotest::FillPseudoRandom(Image());
        SetBanks({6, 4});
        for (int pass = 0; pass < 2; ++pass) {
            for (int c = 0; c < layout::kChannelCount; ++c) {
                datCh channel(&Image());
                channel.Load(Kind(), c);
                channel.Store();
            }
        }
    }

    // Every byte 0 and the banks as given: unused channels, blank names.
    void BlankDocument(ModelType model, const std::vector<int>& banks) {
        rig.shell.model = model;
        Image().Resize(0);
        Image().Resize(layout::kImageSize);
        SetBanks(banks);
    }

    void Change(const Prepare& prepare, int index = kChannel) {
        datCh channel(&Image());
        channel.Load(Kind(), index);
        prepare(channel, Image().GetData());
        channel.Store();
    }

    // A channel in use on 146.52 MHz, receive and transmit.
    void PutChannel(int index, const Prepare& prepare = nullptr) {
        Change(
            [&](datCh& channel, uint8_t* image) {
                channel.used = 1;
                channel.rxFreq = channel.txFreq = 146520000;
                channel.name.fill(' ');
                if (prepare) {
                    prepare(channel, image);
                }
            },
            index);
    }

    std::vector<uint8_t> Bytes() { return radiotest::ImageBytes(Image()); }
    std::vector<Bits> Changes(const std::vector<uint8_t>& before) {
        return radiotest::ChangedBits(before, Image());
    }

    std::string Paint(int item, int index = kChannel, int category = CT_Mch) {
        rig.At(item, index, category);
        return rig.Paint();
    }

    std::string Text(const std::string& key) { return GetTextBlock(rig.table, key); }
    std::vector<std::string> BoxTexts() {
        std::vector<std::string> texts;
        for (const auto& box : rig.boxes.boxes) {
            texts.push_back(box.text);
        }
        return texts;
    }
    // The events the rows sent and posted, without the bank queries of every dispatch.
    std::vector<int> Events() {
        std::vector<int> events;
        for (int type : rig.events) {
            if (type != EV_QueryCurrentBank) {
                events.push_back(type);
            }
        }
        return events;
    }
    std::vector<int> Banks() {
        return {GetBankSizeOf(Image(), 0), GetBankSizeOf(Image(), 1), GetBankSizeOf(Image(), 2)};
    }

    CellRig rig;
};

// ---- Text ----------------------------------------------------------------------------------

struct ShownCase {
    ModelType model;
    int item;
    const char* text;
};

TEST_F(ChannelItemsTest, ChannelRowsShowTheRecord) {
    const ShownCase cases[] = {
        {MT_Pmr, CL_Mch_Atr, "AE"},
        {MT_Pmr, CL_Mch_Inh, "Enabled"},
        {MT_Pmr, CL_Mch_FreqR, "146.520000"},
        {MT_Pmr, CL_Mch_FreqT, "146.025000"},
        {MT_Pmr, CL_Mch_TxInh, "RX Only"},
        {MT_Pmr, CL_Mch_Nar, "Narrow"},
        {MT_Pmr, CL_Mch_CTone_R, "91.5"},
        {MT_Pmr, CL_Mch_CTone_T, "023N"},
        {MT_Pmr, CL_Mch_Compander, "On"},
        {MT_Pmr, CL_Mch_PwrSave, "Off"},
        {MT_Pmr, CL_Mch_Tot, "On"},
        {MT_Pmr, CL_Mch_RfPo, "Low 2"},
        {MT_Pmr, CL_Mch_Lockout, "Wrong 5-Tone"},
        {MT_Pmr, CL_Mch_Scan, "1_3_______\n"},
        {MT_Pmr, CL_Mch_AutoReset, "Timer B"},
        {MT_Pmr, CL_Mch_Log_Pmr, "Tone + Sel-Call, Until PTT"},
        {MT_Pmr, CL_Mch_Scan_Inc, "Include"},
        {MT_Pmr, CL_Mch_Scrm_On, "By Key, Off"},
        {MT_Pmr, CL_Mch_Scrm_Code, "Inv"},
        {MT_Pmr, CL_Mch_Moni, "Sig + Tone"},
        {MT_Pmr, CL_Mch_Sel, "Group"},
        {MT_Pmr, CL_Mch_Call, "Bell"},
        {MT_Pmr, CL_Mch_PTT, "Off"},
        {MT_Pmr, CL_Mch_CH_Mute, "On"},
        {MT_Pmr, CL_Mch_Form, "Stn + ID"},
        {MT_Pmr, CL_Mch_Rpt_C, "12"},
        {MT_Pmr, CL_Mch_Rpt_L, "Long"},
        {MT_Pmr, CL_Mch_Stn_C, "Off"},
        {MT_Pmr, CL_Mch_Pos, "PTT Release"},
        {MT_Pmr, CL_Mch_RxCNo, "1______8\n"},
        {MT_Lmr, CL_Mch_Lockout, "Wrong Two-Tone"},
        {MT_Lmr, CL_Mch_AutoReset, "Off"},
        {MT_Lmr, CL_Mch_Log, "Tone + Sel-Call, Until PTT"},
        {MT_Lmr, CL_Mch_2Tone, "7"},
        {MT_Lmr, CL_Mch_RxCNo2, "1________0\n"},
        {MT_VaskPmr, CL_Mch_Msk_Sig, "MSK Digital"},
        {MT_VaskPmr, CL_Mch_Msk_SendStatus, "On"},
        {MT_VaskPmr, CL_Mch_Msk_Rpt, "12"},
        {MT_VaskPmr, CL_Mch_Msk_Stn, "None"},
        {MT_VaskPmr, CL_Mch_Msk_RxCNo, "1_____7\n"},
    };
    for (const ShownCase& c : cases) {
        SCOPED_TRACE(c.item);
        BlankDocument(c.model, {6, 4});
        PutChannel(kChannel, [](datCh& ch, uint8_t*) {
            ch.attr = 0x01 | 0x04;
            ch.txFreq = 146025000;
            ch.txInh = 1;
            ch.nar = 1;
            ch.tone1 = {.on = 1, .toneIndex = 9};
            ch.tone2 = {.on = 1, .digital = 1, .code = 023};
            ch.compander = ch.tot = 1;
            ch.rfPower = 2;
            ch.lockout = 3;
            ch.scanMask = 0x200 | 0x080;
            ch.autoReset = 2;
            ch.log = 0xB;
            ch.scanInc = 1;
            ch.scrmOn = 2;
            ch.moni = 6;
            ch.sel = 2;
            ch.call = ch.chMute = 1;
            ch.form = 6;
            ch.rptCode = 12;
            ch.rptLong = 1;
            ch.pos = 2;
            ch.rxCodeNo = 0x81;
            ch.twoTone = 7;
            ch.mskSig = 1;
            ch.mskSendStatus = 1;
        });
        if (c.model == MT_Lmr) {
            Change([](datCh& ch, uint8_t*) { ch.rxCodeNo = 0x201; });
        } else if (c.model == MT_VaskPmr) {
            Change([](datCh& ch, uint8_t*) { ch.rxCodeNo = 0xC1; });
        }
        EXPECT_EQ(Paint(c.item), c.text);
    }
}

TEST_F(ChannelItemsTest, TheRowAfterTheBankOffersANewChannel) {
    BlankDocument(MT_Pmr, {6, 4});
    PutChannel(6);  // bank 1's first channel
    // The number column is no channel cell: it names the row whatever the row holds.
    EXPECT_EQ(Paint(CL_Mch_No, 6, CT_Null), rig.table.GetLine("GI_NewChTitle", 0));
    for (int item : {CL_Mch_FreqR, CL_Mch_FreqT, CL_Mch_Text, CL_Mch_RfPo, CL_Mch_CTone_R}) {
        EXPECT_EQ(Paint(item, 6), "") << item;
    }
    EXPECT_EQ(Paint(CL_Mch_No, 5, CT_Null), "1-  6");
    EXPECT_EQ(Paint(CL_Mch_No, 0, CT_Null), "1-  1");
}

// ---- Edits ---------------------------------------------------------------------------------

struct EditCase {
    const char* name;
    ModelType model;
    int item;
    Prepare prepare;
    Act act;
    std::vector<Bits> changed;
};

void SetName(datCh& channel, const char* text) {
    std::string name = std::string(text) + "        ";
    std::copy_n(name.begin(), channel.name.size(), channel.name.begin());
}

const std::vector<EditCase>& EditCases() {
    auto none = [](datCh&, uint8_t*) {};
    static const std::vector<EditCase> cases = {
        {"inhibit", MT_Pmr, CL_Mch_Inh, none, Press(kKeySpace), {{A, 0x80}}},
        {"receive frequency",
         MT_Pmr,
         CL_Mch_FreqR,
         [](datCh& ch, uint8_t*) {
             ch.used = 1;
             ch.rxFreq = 145000000;  // 0x08A48640
             ch.txFreq = 145600000;
         },
         Typed("146.52"),  // 0x08BBB7C0
         {{A + 1, 0xA4 ^ 0xBB}, {A + 2, 0x86 ^ 0xB7}, {A + 3, 0x40 ^ 0xC0}}},
        {"transmit frequency",
         MT_Pmr,
         CL_Mch_FreqT,
         [](datCh& ch, uint8_t*) {
             ch.used = 1;
             ch.rxFreq = 146520000;
             ch.txFreq = 145000000;
         },
         Typed("146.52"),
         {{A + 5, 0xA4 ^ 0xBB}, {A + 6, 0x86 ^ 0xB7}, {A + 7, 0x40 ^ 0xC0}}},
        {"transmit inhibit", MT_Pmr, CL_Mch_TxInh, none, Press(kKeySpace), {{A + 4, 0x80}}},
        {"bandwidth", MT_Pmr, CL_Mch_Nar, none, Press(kKeySpace), {{B + 11, 0x80}}},
        {"receive tone",
         MT_Pmr,
         CL_Mch_CTone_R,
         [](datCh& ch, uint8_t*) {
             ch.tone1 = {};
             ch.tone2 = {.on = 1, .digital = 1, .code = 0754};
         },
         Chosen(Flex0, 8),
         {{A + 8, 0x80}, {A + 9, 0x08}}},
        {"transmit tone",
         MT_Pmr,
         CL_Mch_CTone_T,
         [](datCh& ch, uint8_t*) { ch.tone2 = {}; },
         Typed("023n"),
         {{A + 10, 0xC0}, {A + 11, 0x13}}},
        {"name",
         MT_Pmr,
         CL_Mch_Text,
         [](datCh& ch, uint8_t*) { SetName(ch, ""); },
         Typed("BASE"),
         {{B, 'B' ^ ' '},
          {B + 1, 'A' ^ ' '},
          {B + 2, 'S' ^ ' '},
          {B + 3, 'E' ^ ' '},
          {B + 9, 0x04}}},
        {"compander", MT_Pmr, CL_Mch_Compander, none, Press(kKeySpace), {{B + 11, 0x10}}},
        {"power save", MT_Pmr, CL_Mch_PwrSave, none, Press(kKeySpace), {{B + 8, 0x80}}},
        {"time-out timer", MT_Pmr, CL_Mch_Tot, none, Press(kKeySpace), {{B + 8, 0x10}}},
        {"power",
         MT_Pmr,
         CL_Mch_RfPo,
         [](datCh& ch, uint8_t*) { ch.rfPower = 0; },
         Press(kKeySpace),
         {{B + 8, 0x01}}},
        {"busy lockout",
         MT_Lmr,
         CL_Mch_Lockout,
         [](datCh& ch, uint8_t*) { ch.lockout = 0; },
         Press(kKeySpace),
         {{B + 8, 0x04}}},
        {"scan list 1", MT_Pmr, CL_Mch_Scan, none, Press('1'), {{868, 0x10}}},
        {"scan list 10", MT_Pmr, CL_Mch_Scan, none, Press('0'), {{1246, 0x10}}},
        {"auto reset",
         MT_Pmr,
         CL_Mch_AutoReset,
         [](datCh& ch, uint8_t*) { ch.autoReset = 0; },
         Press(kKeySpace),
         {{B + 10, 0x02}}},
        {"two-tone code",
         MT_MdcLmr,
         CL_Mch_2Tone,
         [](datCh& ch, uint8_t*) { ch.twoTone = 0; },
         Typed("7"),
         {{B + 16, 0x07}}},
        {"decode logic",
         MT_Pmr,
         CL_Mch_Log_Pmr,
         [](datCh& ch, uint8_t*) { ch.log = 0; },
         Press(kKeySpace),
         {{B + 9, 0x10}}},
        {"scan", MT_Pmr, CL_Mch_Scan_Inc, none, Press(kKeySpace), {{B + 9, 0x02}}},
        {"scrambler",
         MT_Pmr,
         CL_Mch_Scrm_On,
         [](datCh& ch, uint8_t*) { ch.scrmOn = 0; },
         Press(kKeySpace),
         {{B + 11, 0x20}}},
        {"scrambler code",
         MT_Pmr,
         CL_Mch_Scrm_Code,
         [](datCh& ch, uint8_t*) { ch.scrmCode = 0; },
         Typed("200"),
         {{B + 13, 0xC8}}},
        {"monitor",
         MT_MdcPmr,
         CL_Mch_Moni,
         [](datCh& ch, uint8_t*) { ch.moni = 0; },
         Press(kKeySpace),
         {{B + 8, 0x40}}},
        {"selective call",
         MT_Pmr,
         CL_Mch_Sel,
         [](datCh& ch, uint8_t*) { ch.sel = 0; },
         Press(kKeySpace),
         {{B + 10, 0x40}}},
        {"call alert", MT_Pmr, CL_Mch_Call, none, Press(kKeySpace), {{B + 10, 0x08}}},
        {"PTT ID", MT_Pmr, CL_Mch_PTT, none, Press(kKeySpace), {{B + 10, 0x04}}},
        {"channel mute", MT_Pmr, CL_Mch_CH_Mute, none, Press(kKeySpace), {{B + 9, 0x01}}},
        {"call format",
         MT_Pmr,
         CL_Mch_Form,
         [](datCh& ch, uint8_t*) { ch.form = 0; },
         Press(kKeySpace),
         {{B + 14, 0x01}}},
        {"repeater code",
         MT_Pmr,
         CL_Mch_Rpt_C,
         [](datCh& ch, uint8_t*) { ch.rptCode = 0; },
         Typed("5"),
         {{B + 15, 0x05}}},
        {"repeater first tone", MT_Pmr, CL_Mch_Rpt_L, none, Press(kKeySpace), {{B + 15, 0x80}}},
        {"station code",
         MT_Pmr,
         CL_Mch_Stn_C,
         [](datCh& ch, uint8_t*) { ch.stnCode = 0; },
         Typed("9"),
         {{B + 16, 0x09}}},
        {"station first tone", MT_Pmr, CL_Mch_Stn_L, none, Press(kKeySpace), {{B + 16, 0x80}}},
        {"ID code",
         MT_Pmr,
         CL_Mch_Id_C,
         [](datCh& ch, uint8_t*) { ch.idCode = 0; },
         Typed("3"),
         {{B + 17, 0x03}}},
        {"ID first tone", MT_Pmr, CL_Mch_Id_L, none, Press(kKeySpace), {{B + 17, 0x80}}},
        {"ID sent",
         MT_Pmr,
         CL_Mch_Pos,
         [](datCh& ch, uint8_t*) { ch.pos = 0; },
         Press(kKeySpace),
         {{B + 14, 0x40}}},
        {"receive code 1 of 8", MT_Pmr, CL_Mch_RxCNo, none, Press('1'), {{B + 18, 0x80}}},
        {"receive code 1 of 10", MT_Lmr, CL_Mch_RxCNo2, none, Press('1'), {{B + 18, 0x80}}},
        {"attribute A",
         MT_Pmr,
         CL_Mch_Atr,
         [](datCh& ch, uint8_t* image) {
             ch.attr = 0;
             image[layout::kAttr0Channel] = 0;
         },
         Chosen(Flex0, 1),
         {{layout::kAttr0Channel, kChannel}}},
        {"MSK signalling", MT_VaskPmr, CL_Mch_Msk_Sig, none, Press(kKeySpace), {{B + 11, 0x08}}},
        {"send status",
         MT_VaskPmr,
         CL_Mch_Msk_SendStatus,
         none,
         Press(kKeySpace),
         {{B + 11, 0x02}}},
        {"no digital repeater keeps the code",
         MT_VaskPmr,
         CL_Mch_Msk_Rpt,
         [](datCh& ch, uint8_t*) {
             ch.mskSig = 1;
             ch.mskBit2 = 0;
         },
         Chosen(Flex0, 255),
         {{B + 11, 0x04}}},
        {"a digital repeater number",
         MT_VaskPmr,
         CL_Mch_Msk_Rpt,
         [](datCh& ch, uint8_t*) {
             ch.mskSig = ch.mskBit2 = 1;
             ch.rptCode = 0;
         },
         Chosen(Flex1, 9),
         {{B + 11, 0x04}, {B + 15, 0x09}}},
        {"digital station ID",
         MT_VaskPmr,
         CL_Mch_Msk_Stn,
         [](datCh& ch, uint8_t*) {
             ch.mskSig = 1;
             ch.stnCode = 0;
         },
         Typed("12"),
         {{B + 16, 0x0C}}},
        {"digital receive code 1 keeps bit 7",
         MT_VaskPmr,
         CL_Mch_Msk_RxCNo,
         [](datCh& ch, uint8_t*) { ch.mskSig = 1; },
         Press('1'),
         {{B + 18, 0x40}}},
    };
    return cases;
}

// Each edit on a channel of a pseudo-random document stores at the record's bits and nowhere
// else.
TEST_F(ChannelItemsTest, EditsStoreAtTheRecordsBits) {
    for (const EditCase& c : EditCases()) {
        SCOPED_TRACE(c.name);
        RandomDocument(c.model);
        Change(c.prepare);
        const std::vector<uint8_t> before = Bytes();
        rig.At(c.item, kChannel, CT_Mch);
        c.act(rig);
        EXPECT_EQ(Changes(before), c.changed);
    }
}

// ---- Applicability on the Vask model type --------------------------------------------------

struct Greyed {
    int item;
    const char* text;  // nullptr: the row applies
};

TEST_F(ChannelItemsTest, VaskChannelKindsDecideWhichSignallingApplies) {
    struct Kind {
        const char* name;
        ModelType model;
        int mskSig;
        int mskBit2;
        std::vector<Greyed> cells;
    } kinds[] = {
        {"analogue",
         MT_VaskPmr,
         0,
         0,
         {{CL_Mch_Form, nullptr},
          {CL_Mch_Rpt_C, nullptr},
          {CL_Mch_Stn_C, nullptr},
          {CL_Mch_Id_L, nullptr},
          {CL_Mch_Pos, nullptr},
          {CL_Mch_RxCNo, nullptr},
          {CL_Mch_Msk_Rpt, "----"},
          {CL_Mch_Msk_Stn, "----"},
          {CL_Mch_Msk_RxCNo, "----"}}},
        {"MSK digital",
         MT_VaskPmr,
         1,
         0,
         {{CL_Mch_Form, "----"},
          {CL_Mch_Rpt_C, "----"},
          {CL_Mch_Rpt_L, "-"},
          {CL_Mch_Stn_C, "----"},
          {CL_Mch_Stn_L, "-"},
          {CL_Mch_Id_C, "----"},
          {CL_Mch_Id_L, "-"},
          {CL_Mch_Pos, "----"},
          {CL_Mch_RxCNo, "----"},
          {CL_Mch_Msk_Rpt, nullptr},
          {CL_Mch_Msk_Stn, nullptr},
          {CL_Mch_Msk_RxCNo, nullptr}}},
        {"MSK with data over an analogue repeater",
         MT_VaskPmr,
         1,
         1,
         {{CL_Mch_Form, nullptr},
          {CL_Mch_Rpt_C, nullptr},
          {CL_Mch_Rpt_L, nullptr},
          {CL_Mch_Stn_C, "----"},
          {CL_Mch_Id_L, "-"},
          {CL_Mch_Msk_Rpt, nullptr}}},
        {"PMR without MSK", MT_Pmr, 1, 0, {{CL_Mch_Form, nullptr}, {CL_Mch_Stn_C, nullptr}}},
    };
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        BlankDocument(kind.model, {6});
        PutChannel(kChannel, [&](datCh& ch, uint8_t*) {
            ch.mskSig = kind.mskSig;
            ch.mskBit2 = kind.mskBit2;
            ch.stnCode = 4;
        });
        for (const Greyed& cell : kind.cells) {
            SCOPED_TRACE(cell.item);
            const std::string text = Paint(cell.item);
            if (cell.text) {
                EXPECT_EQ(text, cell.text);
                EXPECT_EQ(rig.PaintedColour(), kSilver);
                EXPECT_EQ(rig.cell.layoutBits & 0x0F, 0x01 | 0x04);  // centred both ways
                const std::vector<uint8_t> before = Bytes();
                rig.Key(kKeySpace);
                EXPECT_TRUE(Changes(before).empty());
            } else {
                EXPECT_NE(text, "----");
                EXPECT_NE(text, "-");
                EXPECT_NE(rig.PaintedColour(), kSilver);
            }
        }
    }
}

TEST_F(ChannelItemsTest, SendStatusIsSilverButEditableOnAnAnalogueVaskChannel) {
    BlankDocument(MT_VaskPmr, {6});
    PutChannel(kChannel);
    EXPECT_EQ(Paint(CL_Mch_Msk_SendStatus), "Off");
    EXPECT_EQ(rig.PaintedColour(), kSilver);
    EXPECT_EQ(rig.Key(kKeySpace).redraw & RD_AllCells, RD_AllCells);
    EXPECT_EQ(Paint(CL_Mch_Msk_SendStatus), "On");
    Change([](datCh& ch, uint8_t*) { ch.mskSig = 1; });
    Paint(CL_Mch_Msk_SendStatus);
    EXPECT_NE(rig.PaintedColour(), kSilver);
}

TEST_F(ChannelItemsTest, TransmitFrequencyIsSilverWhileTransmitIsInhibited) {
    BlankDocument(MT_Pmr, {6});
    PutChannel(kChannel, [](datCh& ch, uint8_t*) { ch.txInh = 1; });
    EXPECT_EQ(Paint(CL_Mch_FreqT), "<-");
    EXPECT_EQ(rig.PaintedColour(), kSilver);
}

// The values a Vask channel needs, marked where a channel has others; other channels and model
// types carry no marks.
TEST_F(ChannelItemsTest, VaskChannelsMarkSignallingTheyCannotUse) {
    struct Case {
        ModelType model;
        int mskSig;
        int item;
        std::function<void(datCh&)> set;
        uint8_t marks;
    } cases[] = {
        {MT_VaskPmr, 1, CL_Mch_Moni, [](datCh& ch) { ch.moni = 5; }, kMarkWarning},
        {MT_VaskPmr, 1, CL_Mch_Moni, [](datCh& ch) { ch.moni = 6; }, 0},
        {MT_VaskPmr, 1, CL_Mch_Moni, [](datCh& ch) { ch.moni = 7; }, 0},
        {MT_VaskPmr, 1, CL_Mch_Sel, [](datCh& ch) { ch.sel = 0; }, kMarkError},
        {MT_VaskPmr, 1, CL_Mch_Sel, [](datCh& ch) { ch.sel = 1; }, 0},
        {MT_VaskPmr, 1, CL_Mch_Call, [](datCh& ch) { ch.call = 1; }, kMarkError},
        {MT_VaskPmr, 1, CL_Mch_PTT, [](datCh& ch) { ch.ptt = 1; }, kMarkError},
        {MT_VaskPmr, 1, CL_Mch_PTT, [](datCh& ch) { ch.ptt = 0; }, 0},
        {MT_VaskPmr, 1, CL_Mch_CH_Mute, [](datCh& ch) { ch.chMute = 0; }, kMarkWarning},
        {MT_VaskPmr, 1, CL_Mch_CH_Mute, [](datCh& ch) { ch.chMute = 1; }, 0},
        {MT_VaskPmr, 0, CL_Mch_Moni, [](datCh& ch) { ch.moni = 5; }, 0},
        {MT_VaskPmr, 0, CL_Mch_Sel, [](datCh& ch) { ch.sel = 0; }, 0},
        {MT_Pmr, 1, CL_Mch_Call, [](datCh& ch) { ch.call = 1; }, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        BlankDocument(c.model, {6});
        PutChannel(kChannel, [&](datCh& ch, uint8_t*) {
            ch.mskSig = c.mskSig;
            c.set(ch);
        });
        Paint(c.item);
        EXPECT_EQ(rig.PaintedMarks(), c.marks);
    }
}

// ---- The empty row -------------------------------------------------------------------------

TEST_F(ChannelItemsTest, TypingIntoTheEmptyRowOpensAChannelThere) {
    BlankDocument(MT_Pmr, {6, 4});
    PutChannel(6);
    rig.At(CL_Mch_FreqR, 6, CT_Mch);
    const CellRig::Run opened = rig.Key('4');
    EXPECT_EQ(Banks(), (std::vector<int>{7, 4, 0}));
    EXPECT_EQ(opened.request, 2);
    EXPECT_EQ(opened.text, "4");
    EXPECT_EQ(rig.shell.packs, 1);
    // Bank 1's channel moved on; the new one is empty until its frequency is taken.
    datCh channel(&Image());
    channel.Load(RK_ChPmr, 7);
    EXPECT_EQ(channel.rxFreq, 146520000);
    channel.Load(RK_ChPmr, 6);
    EXPECT_EQ(channel.used, 0);
    rig.Type("446.00625");
    channel.Load(RK_ChPmr, 6);
    EXPECT_EQ(channel.used, 1);
    EXPECT_EQ(channel.rxFreq, 446006250);
    EXPECT_EQ(channel.txFreq, 446006250);
    EXPECT_TRUE(rig.boxes.boxes.empty());
}

TEST_F(ChannelItemsTest, AKeyThatStartsNoFrequencyOpensNoChannel) {
    BlankDocument(MT_Pmr, {6});
    rig.At(CL_Mch_FreqR, 6, CT_Mch);
    for (int key : {int{'x'}, kKeyLeft, 0}) {
        EXPECT_EQ(rig.Key(key).text, "") << key;
    }
    EXPECT_EQ(Banks()[0], 6);
}

// Typing "4" into the receive frequency of the row after a full memory says it is full and
// opens nothing.
TEST_F(ChannelItemsTest, AFullMemoryOpensNoChannelFromTheEmptyRow) {
    BlankDocument(MT_Pmr, {200, 56});
    rig.At(CL_Mch_FreqR, 200, CT_Mch);
    const std::vector<uint8_t> before = Bytes();
    EXPECT_EQ(rig.Key('4').request, 0);
    EXPECT_TRUE(Changes(before).empty());
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{Text("GI_AppMess_ChErr_Overflow")});
    EXPECT_EQ(rig.boxes.boxes[0].icon, platform::BoxIcon::Error);
    EXPECT_EQ(rig.shell.packs, 0);
}

// ---- The bank overview and the bank table --------------------------------------------------

TEST_F(ChannelItemsTest, BankFiguresCountTheChannels) {
    BlankDocument(MT_Pmr, {6, 4});
    for (int c : {0, 3, 7}) {
        PutChannel(c);
    }
    struct Case {
        int item;
        int index;
        const char* text;
    } cases[] = {
        {CL_Bank_UsedTotal, 0, "3"},    {CL_Bank_UsedLeft, 0, "253"},
        {CL_Bank_UsedQty, 0, "2"},      {CL_Bank_UsedQty, 1, "1"},
        {CL_Mch_Bank, 0, "6"},          {CL_Mch_Bank, 1, "4"},
        {CL_Mch_Bank, 16, "10"},        {CL_Mch_Bank, 17, "246"},
        {CL_Mch_UsedCHs, 0, "2"},       {CL_Mch_UsedCHs, 1, "1"},
        {CL_Mch_UsedCHs, 16, "3"},      {CL_Mch_UsedCHs, 17, "253"},
        {CL_Misc_ChNo_0Base, 4, "4"},   {CL_Misc_ChNo_1Base, 4, "5"},
        {CL_Bank_SmarTrunk, 0, "Non"},  {CL_Mch_SmarTrunk, 2, "Off"},
        {CL_Mch_SmarTrunk, 16, "----"}, {CL_Bank_SelBankFree, 0, "Banked (16 Banks)"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Paint(c.item, c.index, kCategoryNone), c.text) << c.item << " " << c.index;
    }
    SetBanks({256});
    EXPECT_EQ(Paint(CL_Bank_UsedQty, 0, kCategoryNone), "---");
    EXPECT_EQ(rig.PaintedColour(), kSilver);
    EXPECT_EQ(Paint(CL_Bank_SelBankFree, 0, kCategoryNone), "Free (One Bank)");
}

TEST_F(ChannelItemsTest, BankModeSetsTheSizesAgainAndTellsTheProgramAtOnce) {
    BlankDocument(MT_Pmr, {256});
    PutChannel(3);
    rig.At(CL_Bank_SelBankFree, 0, kCategoryNone);
    EXPECT_EQ(rig.Key(kKeySpace).redraw & RD_AllCells, RD_AllCells);
    EXPECT_EQ(Banks(), (std::vector<int>{4, 4, 0}));
    EXPECT_EQ(Events().front(), EV_ModelChanged);
    datCh channel(&Image());
    channel.Load(RK_ChPmr, 3);
    EXPECT_EQ(channel.rxFreq, 146520000);
    rig.Key(kKeySpace);
    EXPECT_EQ(Banks(), (std::vector<int>{256, 0, 0}));
    EXPECT_TRUE(rig.boxes.boxes.empty());
}

// A channel beyond the first two banks would be in no bank once banked mode starts: asked.
TEST_F(ChannelItemsTest, BankModeAsksBeforeItLeavesChannelsOutOfTheBanks) {
    BlankDocument(MT_Pmr, {256});
    PutChannel(100);
    rig.At(CL_Bank_SelBankFree, 0, kCategoryNone);
    rig.boxes.Answer(platform::BoxAnswer::Cancel);
    rig.Key(kKeySpace);
    EXPECT_EQ(Banks(), (std::vector<int>{256, 0, 0}));
    rig.boxes.Answer(platform::BoxAnswer::Ok);
    rig.Key(kKeySpace);
    EXPECT_EQ(Banks(), (std::vector<int>{4, 4, 0}));
    EXPECT_EQ(BoxTexts(), std::vector<std::string>(2, Text("GI_AppMess_Conv_BankMode")));
}

TEST_F(ChannelItemsTest, ABanksNameAndFlagTellTheTree) {
    BlankDocument(MT_Pmr, {6, 4});
    rig.At(CL_Mch_BankText, 1, kCategoryNone);
    const std::vector<uint8_t> before = Bytes();
    rig.Type("DEPOT");
    const std::vector<Bits> name = {{704, 'D'}, {705, 'E'}, {706, 'P'}, {707, 'O'},
                                    {708, 'T'}, {709, ' '}, {710, ' '}, {711, ' '}};
    EXPECT_EQ(Changes(before), name);
    EXPECT_EQ(Events(), std::vector<int>{EV_RenameBank});
    rig.At(CL_Mch_SmarTrunk, 2, kCategoryNone);
    rig.Key(kKeySpace);
    EXPECT_EQ(Image().GetByte(layout::kBankFlags), 0x20);
    EXPECT_EQ(Events().back(), EV_RefreshBankMarks);
}

// The size follows the asked one as far as the memory and the bank's channels allow, says why
// it goes no further, and the channels behind the bank move with it.
TEST_F(ChannelItemsTest, BankSizesKeepTheChannelsInStep) {
    struct Case {
        const char* name;
        std::vector<int> banks;
        Act act;
        std::vector<int> after;
        std::vector<std::string> boxes;
    } cases[] = {
        {"growing", {6, 4}, Typed("8"), {8, 4, 0}, {}},
        {"space grows by one", {6, 4}, Press(kKeySpace), {7, 4, 0}, {}},
        {"growing a full memory",
         {200, 56},
         Press(kKeySpace),
         {200, 56, 0},
         {"GI_AppMess_ChErr_Overflow"}},
        {"growing past the memory",
         {6, 4},
         Typed("300"),
         {252, 4, 0},
         {"GI_AppMess_ChErr_Overflow"}},
        {"shrinking unused channels", {6, 4}, Typed("4"), {4, 4, 0}, {}},
        {"shrinking past a used channel",
         {6, 4},
         Typed("1"),
         {4, 4, 0},
         {"GI_AppMess_ChErr_NotBlank"}},
        {"a negative size", {6, 4}, Typed("-2"), {4, 4, 0}, {"GI_AppMess_ChErr_NoCh"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BlankDocument(MT_Pmr, c.banks);
        rig.boxes.boxes.clear();
        rig.shell.packs = 0;
        PutChannel(3);
        PutChannel(c.banks[0], [](datCh& ch, uint8_t*) { ch.rxFreq = ch.txFreq = 440000000; });
        rig.At(CL_Mch_Bank, 0, kCategoryNone);
        c.act(rig);
        EXPECT_EQ(Banks(), c.after);
        std::vector<std::string> boxes;
        for (const std::string& key : c.boxes) {
            boxes.push_back(Text(key));
        }
        EXPECT_EQ(BoxTexts(), boxes);
        EXPECT_EQ(Paint(CL_Mch_Bank, 0, kCategoryNone), std::to_string(c.after[0]));
        // Bank 1's first channel is still the one it was.
        datCh channel(&Image());
        channel.Load(RK_ChPmr, c.after[0]);
        EXPECT_EQ(channel.rxFreq, 440000000);
        EXPECT_EQ(rig.shell.packs, c.after[0] != c.banks[0] || !c.boxes.empty() ? 1 : 0);
    }
}

TEST_F(ChannelItemsTest, TheQuarterPillarFillsTheCellsBottom) {
    BlankDocument(MT_Pmr, {6});
    testsupport::RecordingCanvas canvas;
    WindowRect rect{10, 20, 30, 40};
    cmcCellObj cell;
    cell.item = CL_Misc_QuarterPillar;
    cmcCellCapsule capsule;
    capsule.cell = &cell;
    capsule.canvas = &canvas;
    capsule.rect = &rect;
    indActiveCell().DispatchItem(capsule, 0);
    ASSERT_EQ(canvas.rects.size(), 1u);
    EXPECT_EQ(canvas.rects[0].rect, (WindowRect{10, 48, 30, 12}));
    EXPECT_EQ(canvas.rects[0].colour, 0x808080u);
}

// The codes without a row say so with their number.
TEST_F(ChannelItemsTest, CodesWithoutARowSaySo) {
    BlankDocument(MT_VaskPmr, {6});
    for (int item : {CL_FBits, CL_Mch_Msk_Log}) {
        EXPECT_EQ(Paint(item, kChannel, kCategoryNone), std::to_string(item) + " *Yet*");
    }
}

}  // namespace
