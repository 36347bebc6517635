#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "radio/records/datCh.h"
#include "tests/radio/support/RecordImage.h"

// Every field of every record kind: load a record from a filled image, invert the field, store
// it, and compare the image with the one before: exactly the named bits must have changed.
namespace {

struct Bits {
    int address;
    uint8_t mask;
};

struct FieldCase {
    const char* field;
    uint32_t kind;
    int index;
    std::function<void(datCh&)> change;
    std::vector<Bits> changed;
};

std::string Describe(const FieldCase& c) {
    return std::string(c.field) + " kind " + std::to_string(c.kind) + " index " +
           std::to_string(c.index);
}

void Flip(int& value, int bits) {
    value ^= bits;
}

// Channel 5: part A at 32736 + 14 * 5, part B at 36320 + 20 * 5.
constexpr int A = 32806;
constexpr int B = 36420;

const std::vector<FieldCase>& Cases() {
    static const std::vector<FieldCase> cases = {
        // Channels, PMR record.
        {"inh", RK_ChPmr, 5, [](datCh& v) { Flip(v.inh, 1); }, {{A + 0, 0x80}}},
        {"txInh", RK_ChPmr, 5, [](datCh& v) { Flip(v.txInh, 1); }, {{A + 4, 0x80}}},
        {"tone1.on", RK_ChPmr, 5, [](datCh& v) { Flip(v.tone1.on, 1); }, {{A + 8, 0x80}}},
        {"tone2.on", RK_ChPmr, 5, [](datCh& v) { Flip(v.tone2.on, 1); }, {{A + 10, 0x80}}},
        {"name", RK_ChPmr, 5, [](datCh& v) { v.name[3] ^= 0x41; }, {{B + 3, 0x41}}},
        {"nar", RK_ChPmr, 5, [](datCh& v) { Flip(v.nar, 1); }, {{B + 11, 0x80}}},
        {"compander", RK_ChPmr, 5, [](datCh& v) { Flip(v.compander, 1); }, {{B + 11, 0x10}}},
        {"pwrSave", RK_ChPmr, 5, [](datCh& v) { Flip(v.pwrSave, 1); }, {{B + 8, 0x80}}},
        {"tot", RK_ChPmr, 5, [](datCh& v) { Flip(v.tot, 1); }, {{B + 8, 0x10}}},
        {"rfPower", RK_ChPmr, 5, [](datCh& v) { Flip(v.rfPower, 3); }, {{B + 8, 0x03}}},
        {"lockout", RK_ChPmr, 5, [](datCh& v) { Flip(v.lockout, 3); }, {{B + 8, 0x0C}}},
        {"scanInc", RK_ChPmr, 5, [](datCh& v) { Flip(v.scanInc, 1); }, {{B + 9, 0x02}}},
        {"log", RK_ChPmr, 5, [](datCh& v) { Flip(v.log, 15); }, {{B + 9, 0xF0}}},
        {"moni",
         RK_ChPmr,
         5,
         [](datCh& v) { Flip(v.moni, 15); },
         {{B + 8, 0x40}, {B + 9, 0x08}, {B + 10, 0x30}}},
        {"moni low bit", RK_ChPmr, 5, [](datCh& v) { Flip(v.moni, 1); }, {{B + 8, 0x40}}},
        {"sel", RK_ChPmr, 5, [](datCh& v) { Flip(v.sel, 3); }, {{B + 10, 0xC0}}},
        {"call", RK_ChPmr, 5, [](datCh& v) { Flip(v.call, 1); }, {{B + 10, 0x08}}},
        {"ptt", RK_ChPmr, 5, [](datCh& v) { Flip(v.ptt, 1); }, {{B + 10, 0x04}}},
        {"chMute", RK_ChPmr, 5, [](datCh& v) { Flip(v.chMute, 1); }, {{B + 9, 0x01}}},
        {"scrmOn", RK_ChPmr, 5, [](datCh& v) { Flip(v.scrmOn, 3); }, {{B + 11, 0x60}}},
        {"scrmCode", RK_ChPmr, 5, [](datCh& v) { Flip(v.scrmCode, 0xFF); }, {{B + 13, 0xFF}}},
        {"form", RK_ChPmr, 5, [](datCh& v) { Flip(v.form, 15); }, {{B + 14, 0x0F}}},
        {"pos", RK_ChPmr, 5, [](datCh& v) { Flip(v.pos, 3); }, {{B + 14, 0xC0}}},
        {"rptCode", RK_ChPmr, 5, [](datCh& v) { Flip(v.rptCode, 0x7F); }, {{B + 15, 0x7F}}},
        {"rptLong", RK_ChPmr, 5, [](datCh& v) { Flip(v.rptLong, 1); }, {{B + 15, 0x80}}},
        {"stnCode", RK_ChPmr, 5, [](datCh& v) { Flip(v.stnCode, 0x7F); }, {{B + 16, 0x7F}}},
        {"stnLong", RK_ChPmr, 5, [](datCh& v) { Flip(v.stnLong, 1); }, {{B + 16, 0x80}}},
        {"idCode", RK_ChPmr, 5, [](datCh& v) { Flip(v.idCode, 0x7F); }, {{B + 17, 0x7F}}},
        {"idLong", RK_ChPmr, 5, [](datCh& v) { Flip(v.idLong, 1); }, {{B + 17, 0x80}}},
        {"autoReset", RK_ChPmr, 5, [](datCh& v) { Flip(v.autoReset, 2); }, {{B + 10, 0x01}}},
        {"autoReset low", RK_ChPmr, 5, [](datCh& v) { Flip(v.autoReset, 1); }, {{B + 10, 0x02}}},
        {"rxCodeNo", RK_ChPmr, 5, [](datCh& v) { Flip(v.rxCodeNo, 0xFF); }, {{B + 18, 0xFF}}},
        {"scan list 0", RK_ChPmr, 5, [](datCh& v) { Flip(v.scanMask, 0x200); }, {{868, 0x04}}},
        {"scan list 9", RK_ChPmr, 5, [](datCh& v) { Flip(v.scanMask, 0x001); }, {{1246, 0x04}}},
        {"twoTone (not PMR)", RK_ChPmr, 5, [](datCh& v) { Flip(v.twoTone, 0x7F); }, {}},
        {"mskSig (not stored)", RK_ChPmr, 5, [](datCh& v) { Flip(v.mskSig, 1); }, {}},
        {"mdcSystem (stored 0)", RK_ChPmr, 5, [](datCh& v) { Flip(v.mdcSystem, 0xFF); }, {}},
        // Channels, the other kinds' own fields.
        {"mskSig", RK_ChVaskPmr, 5, [](datCh& v) { Flip(v.mskSig, 1); }, {{B + 11, 0x08}}},
        {"mskSendStatus",
         RK_ChVaskPmr,
         5,
         [](datCh& v) { Flip(v.mskSendStatus, 1); },
         {{B + 11, 0x02}}},
        {"mskBit2", RK_ChVaskPmr, 5, [](datCh& v) { Flip(v.mskBit2, 1); }, {{B + 11, 0x04}}},
        {"mdcSystem", RK_ChMdcPmr, 5, [](datCh& v) { Flip(v.mdcSystem, 0xFF); }, {{B + 12, 0xFF}}},
        {"mdcSystem", RK_ChMdcLmr, 5, [](datCh& v) { Flip(v.mdcSystem, 0xFF); }, {{B + 12, 0xFF}}},
        {"twoTone", RK_ChLmr, 5, [](datCh& v) { Flip(v.twoTone, 0x7F); }, {{B + 16, 0x7F}}},
        {"autoReset", RK_ChLmr, 5, [](datCh& v) { Flip(v.autoReset, 1); }, {{B + 10, 0x02}}},
        {"rxCodeNo",
         RK_ChLmr,
         5,
         [](datCh& v) { Flip(v.rxCodeNo, 0x3FF); },
         {{B + 18, 0xFF}, {B + 19, 0xC0}}},
        {"form (not LMR)", RK_ChLmr, 5, [](datCh& v) { Flip(v.form, 15); }, {}},
        {"idCode (not LMR)", RK_ChLmr, 5, [](datCh& v) { Flip(v.idCode, 0x7F); }, {}},
        // Character patterns.
        {"pattern", RK_CEdit, 3, [](datCh& v) { v.pattern[0] ^= 0xFF; }, {{542, 0xFF}}},
        {"pattern", RK_CEdit, 3, [](datCh& v) { v.pattern[1] ^= 0x81; }, {{543, 0x81}}},
        // DTMF, record 2 at 1322.
        {"name", RK_Dtmf, 2, [](datCh& v) { v.name[7] ^= 0x02; }, {{1329, 0x02}}},
        {"digit 0", RK_Dtmf, 2, [](datCh& v) { v.digits[0] ^= 0x0F; }, {{1330, 0xF0}}},
        {"digit 23", RK_Dtmf, 2, [](datCh& v) { v.digits[23] ^= 0x0F; }, {{1341, 0x0F}}},
        {"digitCount", RK_Dtmf, 2, [](datCh& v) { Flip(v.digitCount, 0xFF); }, {{1342, 0xFF}}},
        // Scan list 3 at 986.
        {"name", RK_Scan, 3, [](datCh& v) { v.name[0] ^= 0x10; }, {{986, 0x10}}},
        {"setting", RK_Scan, 3, [](datCh& v) { Flip(v.setting, 0x2F); }, {{1026, 0x2F}}},
        {"flagA", RK_Scan, 3, [](datCh& v) { Flip(v.flagA, 1); }, {{1026, 0x80}}},
        {"flagB", RK_Scan, 3, [](datCh& v) { Flip(v.flagB, 1); }, {{1026, 0x10}}},
        // CTCSS record 4 at 840.
        {"tone1.on", RK_CTone, 4, [](datCh& v) { Flip(v.tone1.on, 1); }, {{840, 0x80}}},
        {"tone2.on", RK_CTone, 4, [](datCh& v) { Flip(v.tone2.on, 1); }, {{842, 0x80}}},
        // Receive code 2 at 1972.
        {"codeBytes", RK_RxCode, 2, [](datCh& v) { v.codeBytes[0] ^= 0xFF; }, {{1972, 0xFF}}},
        {"codeBytes", RK_RxCode, 2, [](datCh& v) { v.codeBytes[3] ^= 0xFF; }, {{1975, 0xFF}}},
        {"marker", RK_RxCode, 2, [](datCh& v) { v.codeBytes[4] ^= 0xFF; }, {{1984, 0xFF}}},
        {"name", RK_RxCode, 2, [](datCh& v) { v.name[0] ^= 0x01; }, {{1976, 0x01}}},
        {"abc", RK_RxCode, 2, [](datCh& v) { Flip(v.abc, 0xFF); }, {{1985, 0xFF}}},
        {"aud", RK_RxCode, 2, [](datCh& v) { Flip(v.aud, 3); }, {{1986, 0xC0}}},
        {"scan", RK_RxCode, 2, [](datCh& v) { Flip(v.scan, 3); }, {{1986, 0x30}}},
        {"sFunc", RK_RxCode, 2, [](datCh& v) { Flip(v.sFunc, 1); }, {{1986, 0x08}}},
        {"beep", RK_RxCode, 2, [](datCh& v) { Flip(v.beep, 7); }, {{1986, 0x07}}},
        {"exo", RK_RxCode, 2, [](datCh& v) { Flip(v.exo, 1); }, {{1987, 0x80}}},
        {"idDec", RK_RxCode, 2, [](datCh& v) { Flip(v.idDec, 1); }, {{1987, 0x40}}},
        {"autoTx", RK_RxCode, 2, [](datCh& v) { Flip(v.autoTx, 1); }, {{1987, 0x20}}},
        {"stun", RK_RxCode, 2, [](datCh& v) { Flip(v.stun, 3); }, {{1987, 0x18}}},
        {"bell", RK_RxCode, 2, [](datCh& v) { Flip(v.bell, 3); }, {{1987, 0x03}}},
        {"emerCancel", RK_RxCode, 2, [](datCh& v) { Flip(v.emerCancel, 1); }, {{1988, 0x80}}},
        {"common (load only)", RK_RxCode, 2, [](datCh& v) { Flip(v.common, 0xFF); }, {}},
        // Transmit code 3 at 1532.
        {"name", RK_TxCode, 3, [](datCh& v) { v.name[1] ^= 0x04; }, {{1533, 0x04}}},
        {"codeBytes", RK_TxCode, 3, [](datCh& v) { v.codeBytes[0] ^= 0xFF; }, {{1540, 0xFF}}},
        {"codeBytes", RK_TxCode, 3, [](datCh& v) { v.codeBytes[3] ^= 0xFF; }, {{1543, 0xFF}}},
        {"fifth code byte (not a TX byte)",
         RK_TxCode,
         3,
         [](datCh& v) { v.codeBytes[4] ^= 0xFF; },
         {}},
        {"inputDigit", RK_TxCode, 3, [](datCh& v) { Flip(v.inputDigit, 0xFE); }, {{1544, 0xFE}}},
        {"update", RK_TxCode, 3, [](datCh& v) { Flip(v.update, 1); }, {{1544, 0x01}}},
        {"abcDec", RK_TxCode, 3, [](datCh& v) { Flip(v.abcDec, 1); }, {{1545, 0x80}}},
        {"abcAud", RK_TxCode, 3, [](datCh& v) { Flip(v.abcAud, 1); }, {{1545, 0x40}}},
        {"sel", RK_TxCode, 3, [](datCh& v) { Flip(v.sel, 1); }, {{1545, 0x10}}},
        {"common (load only)", RK_TxCode, 3, [](datCh& v) { Flip(v.common, 0xFF); }, {}},
        // User tone 2.
        {"encode",
         RK_UserTone,
         2,
         [](datCh& v) { Flip(v.encode, 0xFFFF); },
         {{572, 0xFF}, {573, 0xFF}}},
        {"decLow",
         RK_UserTone,
         2,
         [](datCh& v) { Flip(v.decLow, 0x8001); },
         {{606, 0x80}, {607, 0x01}}},
        {"decHigh",
         RK_UserTone,
         2,
         [](datCh& v) { Flip(v.decHigh, 0xFFFF); },
         {{608, 0xFF}, {609, 0xFF}}},
        // Two-tone code 3: entry at 1989, bounds at 584, periods at 672, TX-code entry 2 at 1518.
        {"groupCall", RK_2ToneCode, 3, [](datCh& v) { Flip(v.groupCall, 0xFF); }, {{1989, 0xFF}}},
        {"name",
         RK_2ToneCode,
         3,
         [](datCh& v) { v.name[0] ^= 0x01; },
         {{1518, 0x01}, {1993, 0x01}}},
        {"ans", RK_2ToneCode, 3, [](datCh& v) { Flip(v.ans, 1); }, {{2002, 0xFF}}},
        {"scan", RK_2ToneCode, 3, [](datCh& v) { Flip(v.scan, 3); }, {{2003, 0x30}}},
        {"sFunc", RK_2ToneCode, 3, [](datCh& v) { Flip(v.sFunc, 1); }, {{2003, 0x08}}},
        {"beep", RK_2ToneCode, 3, [](datCh& v) { Flip(v.beep, 7); }, {{2003, 0x07}}},
        {"exo", RK_2ToneCode, 3, [](datCh& v) { Flip(v.exo, 1); }, {{2004, 0x80}}},
        {"autoTx", RK_2ToneCode, 3, [](datCh& v) { Flip(v.autoTx, 1); }, {{2004, 0x20}}},
        {"stun", RK_2ToneCode, 3, [](datCh& v) { Flip(v.stun, 3); }, {{2004, 0x18}}},
        {"bell", RK_2ToneCode, 3, [](datCh& v) { Flip(v.bell, 3); }, {{2004, 0x03}}},
        {"lowA",
         RK_2ToneCode,
         3,
         [](datCh& v) { Flip(v.lowA, 0xFFFF); },
         {{584, 0xFF}, {585, 0xFF}}},
        {"highA", RK_2ToneCode, 3, [](datCh& v) { Flip(v.highA, 0x0100); }, {{586, 0x01}}},
        {"lowB", RK_2ToneCode, 3, [](datCh& v) { Flip(v.lowB, 0x0001); }, {{589, 0x01}}},
        {"highB",
         RK_2ToneCode,
         3,
         [](datCh& v) { Flip(v.highB, 0xFFFF); },
         {{590, 0xFF}, {591, 0xFF}}},
        {"toneA",
         RK_2ToneCode,
         3,
         [](datCh& v) { v.toneA = static_cast<int>(v.toneA) ^ 0xFFFF; },
         {{1526, 0xFF}, {1527, 0xFF}}},
        {"toneB",
         RK_2ToneCode,
         3,
         [](datCh& v) { v.toneB = static_cast<int>(v.toneB) ^ 0x00F0; },
         {{1529, 0xF0}}},
        {"periodA",
         RK_2ToneCode,
         3,
         [](datCh& v) { v.periodA = static_cast<int>(v.periodA) ^ 0xFF; },
         {{672, 0xFF}}},
        {"periodB",
         RK_2ToneCode,
         3,
         [](datCh& v) { v.periodB = static_cast<int>(v.periodB) ^ 0x03; },
         {{673, 0x03}}},
        {"codeType",
         RK_2ToneCode,
         3,
         [](datCh& v) { Flip(v.codeType, 1); },
         {{1530, 0x0D}}},  // low nibble 2 (the entry) against 15 (none)
        // Bank name 15.
        {"name", RK_BankOp, 15, [](datCh& v) { v.name[0] ^= 0x01; }, {{816, 0x01}}},
        // Own-ID group 1 at 2661.
        {"adr",
         RK_MskIdGroup,
         1,
         [](datCh& v) { Flip(v.adr, 0xFFFF); },
         {{2661, 0xFF}, {2662, 0xFF}}},
        {"name", RK_MskIdGroup, 1, [](datCh& v) { v.name[0] ^= 0x01; }, {{2663, 0x01}}},
        {"alert", RK_MskIdGroup, 1, [](datCh& v) { Flip(v.alert, 7); }, {{2673, 0x07}}},
        {"sFunc", RK_MskIdGroup, 1, [](datCh& v) { Flip(v.sFunc, 1); }, {{2673, 0x08}}},
        {"bell", RK_MskIdGroup, 1, [](datCh& v) { Flip(v.bell, 3); }, {{2674, 0x03}}},
        // Call list entry 4 at 2254.
        {"name", RK_MskCallList, 4, [](datCh& v) { v.name[2] ^= 0x08; }, {{2256, 0x08}}},
        {"digit", RK_MskCallList, 4, [](datCh& v) { Flip(v.digit, 0xFE); }, {{2266, 0xFE}}},
        {"update", RK_MskCallList, 4, [](datCh& v) { Flip(v.update, 1); }, {{2266, 0x01}}},
        {"sel", RK_MskCallList, 4, [](datCh& v) { Flip(v.sel, 1); }, {{2267, 0x10}}},
        // Status message 22.
        {"beep", RK_MskMsgStatus, 22, [](datCh& v) { Flip(v.beep, 15); }, {{2788, 0xF0}}},
        {"auto", RK_MskMsgStatus, 22, [](datCh& v) { Flip(v.autoStatus, 1); }, {{2788, 0x08}}},
        {"sFunc", RK_MskMsgStatus, 22, [](datCh& v) { Flip(v.sFunc, 1); }, {{2788, 0x04}}},
        {"selection", RK_MskMsgStatus, 22, [](datCh& v) { Flip(v.selection, 1); }, {{2788, 0x02}}},
        {"priority", RK_MskMsgStatus, 22, [](datCh& v) { Flip(v.priority, 1); }, {{2788, 0x01}}},
        {"horn (no bit)", RK_MskMsgStatus, 22, [](datCh& v) { Flip(v.horn, 1); }, {}},
        {"name", RK_MskMsgStatus, 22, [](datCh& v) { v.name[0] ^= 0x01; }, {{3166, 0x01}}},
        {"name2", RK_MskMsgStatus, 22, [](datCh& v) { v.name2[7] ^= 0x01; }, {{2981, 0x01}}},
        // Status message 23, the radio's own, in the places the layout leaves for it.
        {"beep", RK_MskMsgStatus, 23, [](datCh& v) { Flip(v.beep, 15); }, {{2789, 0xF0}}},
        {"priority", RK_MskMsgStatus, 23, [](datCh& v) { Flip(v.priority, 1); }, {{2789, 0x01}}},
        {"name", RK_MskMsgStatus, 23, [](datCh& v) { v.name[0] ^= 0x01; }, {{3174, 0x01}}},
        {"name2", RK_MskMsgStatus, 23, [](datCh& v) { v.name2[7] ^= 0x01; }, {{2989, 0x01}}},
        // Short text 7.
        {"name", RK_MskMsgShortTxt, 7, [](datCh& v) { v.name[0] ^= 0x01; }, {{3238, 0x01}}},
        {"selection", RK_MskMsgShortTxt, 7, [](datCh& v) { Flip(v.selection, 1); }, {{2797, 0x02}}},
        // MDC alias 499 at 47428.
        {"alias", RK_MdcAlias, 499, [](datCh& v) { v.alias[0] ^= 0x01; }, {{47428, 0x01}}},
        {"strip", RK_MdcAlias, 499, [](datCh& v) { Flip(v.strip, 1); }, {{47436, 0x80}}},
        {"beepType", RK_MdcAlias, 499, [](datCh& v) { Flip(v.beepType, 15); }, {{47436, 0x0F}}},
        {"id",
         RK_MdcAlias,
         499,
         [](datCh& v) { Flip(v.id, 0xFFFF); },
         {{47438, 0xFF}, {47439, 0xFF}}},
    };
    return cases;
}

TEST(datChFields, EachFieldChangesExactlyItsBits) {
    for (const FieldCase& c : Cases()) {
        SCOPED_TRACE(Describe(c));
        cmcEeprom image;
        radiotest::FillPseudoRandom(image);
        datCh view(&image);
        // A first store settles the derived bits, so that only the field's change remains.
        view.Load(c.kind, c.index);
        view.Store();
        cmcEeprom before;
        before.Assign(image);

        view.Load(c.kind, c.index);
        c.change(view);
        view.Store();

        std::vector<Bits> changed;
        for (int a = 0; a < image.GetSize(); ++a) {
            uint8_t diff = image.GetData()[a] ^ before.GetData()[a];
            if (diff != 0) {
                changed.push_back({a, diff});
            }
        }
        // Expected bits are listed by address.
        ASSERT_EQ(changed.size(), c.changed.size());
        for (std::size_t k = 0; k < changed.size(); ++k) {
            EXPECT_EQ(changed[k].address, c.changed[k].address);
            EXPECT_EQ(changed[k].mask, c.changed[k].mask) << "at " << changed[k].address;
        }
    }
}

// Loading and storing a record twice over leaves the image as the first store left it.
TEST(datChFields, StoreOfAnUnchangedViewIsStable) {
    for (uint32_t kind = RK_ChLmr; kind <= RK_MdcAlias; ++kind) {
        for (int index : {datCh::GetKindMin(kind), datCh::GetKindMax(kind)}) {
            SCOPED_TRACE(std::to_string(kind) + " " + std::to_string(index));
            cmcEeprom image;
            radiotest::FillPseudoRandom(image, 99);
            datCh view(&image);
            view.Load(kind, index);
            view.Store();
            cmcEeprom once;
            once.Assign(image);
            view.Load(kind, index);
            view.Store();
            EXPECT_TRUE(image.IsEqual(once));
        }
    }
}

}  // namespace
