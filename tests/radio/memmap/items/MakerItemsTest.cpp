// The maker adjustment rows, the MDC model types' menu entries and a channel's MDC system
// against image fixtures and the program's own text table: the text each shows, and that an
// edit stores exactly its bits.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "common/cmcEvent.h"
#include "radio/cells/CellCodes.h"
#include "radio/image/BankSize.h"
#include "radio/image/ImageLayout.h"
#include "radio/image/ImageWords.h"
#include "tests/radio/support/CellRig.h"
#include "tests/radio/support/EditCase.h"

namespace {

using radiotest::Bits;
using radiotest::Press;
using radiotest::Typed;

void PutBytes(cmcEeprom& image, std::initializer_list<std::pair<int, uint8_t>> bytes) {
    for (const auto& [address, value] : bytes) {
        image.SetByte(address, value);
    }
}

class MakerItemsTest : public ::testing::Test {
protected:
    int32_t Long(int address) {
        return static_cast<int32_t>(GetBE32(rig.shell.image.GetData() + address));
    }

    radiotest::CellRig rig;
};

TEST_F(MakerItemsTest, RowsShowTheImage) {
    cmcEeprom& image = rig.shell.image;
    // IF -21.4 MHz, reference 12.8 MHz.
    PutBytes(image, {{11, 0xA9}, {16, 0xFE}, {17, 0xB9}, {18, 0x76}, {19, 0x40}, {20, 0x00},
                     {21, 0xC3}, {22, 0x50}, {23, 0x00}, {24, 20},   {25, 35},   {26, 100},
                     {27, 10},   {28, 12},   {29, 20},   {30, 255},  {32, 0},    {33, 128},
                     {34, 255},  {35, 6},    {37, 50},   {38, 20},   {39, 255}});
    const struct {
        int item;
        const char* text;
    } cases[] = {
        {CL_Maker_SqlDelay_Op, "Off"},         {CL_Maker_SqlDelay_ResetTimer, "  0.100"},
        {CL_Maker_Sql_SigDetTimer, "  0.020"}, {CL_Maker_Sql_NoiseDetTimer, "  0.035"},
        {CL_Maker_CtcssDec_Attack, "0"},       {CL_Maker_CtcssDec_Release, "128"},
        {CL_Maker_CtcssDec_PS, "255"},         {CL_Maker_Dtcs_TxPolar, "Normal"},
        {CL_Maker_Dtcs_RxPolar, "Inverted"},   {CL_Maker_Dtcs_Decode, "17"},
        {CL_Maker_PwrOffTimer, "  0.500"},     {CL_Maker_ON_Timer1, "  0.200"},
        {CL_Maker_ON_Timer2, "  2.550"},       {CL_Maker_IfFreq, "-21.4000"},
        {CL_Maker_Pll_Type, "Fast Lock"},      {CL_Maker_Pll_Reference, " 12.8000"},
        {CL_Maker_Pll_TxFastTimer, "  0.010"}, {CL_Maker_Pll_RxFastTimer, "  0.012"},
        {CL_Maker_MuteTimer_Tx, "  0.020"},    {CL_Maker_MuteTimer_Rx, "  0.255"},
        {CL_Maker_SetModeAccess, "Enabled"},
    };
    for (const auto& c : cases) {
        rig.At(c.item);
        EXPECT_EQ(rig.Paint(), c.text) << c.item;
    }
}

// Each edit on a fixture whose bytes are all set stores at the row's bits and nowhere else.
TEST_F(MakerItemsTest, EditsStoreAtTheirBits) {
    const radiotest::EditCase cases[] = {
        {{CL_Maker_SqlDelay_Op}, Press(kKeySpace), {{11, 0x80}}},
        {{CL_Maker_SqlDelay_ResetTimer}, Typed("0.1"), {{26, 0x9B}}},
        {{CL_Maker_Sql_SigDetTimer}, Press(kKeySpace), {{24, 0xFF}}},
        {{CL_Maker_Sql_NoiseDetTimer}, Press(kKeyBackspace), {{25, 0x01}}},
        {{CL_Maker_CtcssDec_Attack}, Typed("15"), {{32, 0xF0}}},
        {{CL_Maker_CtcssDec_Release}, Press(kKeySpace), {{33, 0xFF}}},
        {{CL_Maker_CtcssDec_PS}, Typed("254"), {{34, 0x01}}},
        {{CL_Maker_Dtcs_TxPolar}, Press(kKeySpace), {{11, 0x40}}},
        {{CL_Maker_Dtcs_RxPolar}, Press(kKeySpace), {{11, 0x20}}},
        {{CL_Maker_Dtcs_Decode}, Typed("12"), {{35, 0xFE}}},
        {{CL_Maker_PwrOffTimer}, Typed("1.5"), {{37, 0x69}}},
        {{CL_Maker_ON_Timer1}, Press(kKeySpace), {{38, 0xFF}}},
        {{CL_Maker_ON_Timer2}, Typed("0"), {{39, 0xFF}}},
        {{CL_Maker_IfFreq}, Typed("0.025"), {{16, 0xFF}, {17, 0xFF}, {18, 0x9E}, {19, 0x57}}},
        {{CL_Maker_Pll_Type}, Press(kKeySpace), {{11, 0x03}}},
        {{CL_Maker_Pll_Reference}, Typed("0"), {{20, 0xFF}, {21, 0xFF}, {22, 0xFF}, {23, 0xFF}}},
        {{CL_Maker_Pll_TxFastTimer}, Press(kKeySpace), {{27, 0xFF}}},
        {{CL_Maker_Pll_RxFastTimer}, Typed("0.255"), {}},
        {{CL_Maker_MuteTimer_Tx}, Typed("0.001"), {{29, 0xFE}}},
        {{CL_Maker_MuteTimer_Rx}, Press(kKeyBackspace), {{30, 0x01}}},
        {{CL_Maker_SetModeAccess}, Press(kKeySpace), {{11, 0x08}}},
    };
    radiotest::ExpectEditsStoreAtTheirBits(rig, cases);
}

// The radio keeps the decoding count less 11: a stored 0 shows 11, outside the range, and the
// keys step into 12..23 with wrap-round.
TEST_F(MakerItemsTest, DtcsDecodingStepsWithWrapRound) {
    cmcEeprom& image = rig.shell.image;
    rig.At(CL_Maker_Dtcs_Decode);
    image.SetByte(35, 0);
    EXPECT_EQ(rig.Paint(), "11");
    EXPECT_EQ(rig.Key(kKeySpace).text, "12");
    EXPECT_EQ(image.GetByte(35), 1);
    image.SetByte(35, 0);
    EXPECT_EQ(rig.Key(kKeyBackspace).text, "23");
    EXPECT_EQ(image.GetByte(35), 12) << "23 is stored as 12";
    EXPECT_EQ(rig.Key(kKeySpace).text, "12");
    EXPECT_EQ(image.GetByte(35), 1);
    rig.Type("40");
    EXPECT_EQ(image.GetByte(35), 12) << "typed numbers are held in range";
}

// Frequencies are hertz in four bytes, the first IF signed; typed megahertz are cut down to the
// 25 kHz raster and held in range.
TEST_F(MakerItemsTest, FrequenciesAreCutToTheRasterAndSigned) {
    const struct {
        int item;
        int address;
        const char* typed;
        int32_t stored;
        const char* shown;
    } cases[] = {
        {CL_Maker_IfFreq, 16, "45.1234", 45100000, " 45.1000"},
        {CL_Maker_IfFreq, 16, "-99.975", -99975000, "-99.9750"},
        {CL_Maker_IfFreq, 16, "-0.03", -25000, " -0.0250"},
        {CL_Maker_IfFreq, 16, "-150", -99975000, "-99.9750"},
        {CL_Maker_IfFreq, 16, "123", 99975000, " 99.9750"},
        {CL_Maker_Pll_Reference, 20, "12.8", 12800000, " 12.8000"},
        {CL_Maker_Pll_Reference, 20, "21.41", 21400000, " 21.4000"},
        {CL_Maker_Pll_Reference, 20, "-5", 0, "  0.0000"},
    };
    for (const auto& c : cases) {
        rig.shell.image.Fill(0x5A);
        rig.At(c.item);
        EXPECT_EQ(rig.Type(c.typed).text, c.shown) << c.typed;
        EXPECT_EQ(Long(c.address), c.stored) << c.typed;
        EXPECT_EQ(rig.Paint(), c.shown) << c.typed;
    }
    // -99.975 MHz in two's complement.
    rig.At(CL_Maker_IfFreq);
    rig.Type("-99.975");
    const uint8_t* bytes = rig.shell.image.GetData() + 16;
    EXPECT_EQ(std::vector<uint8_t>(bytes, bytes + 4),
              (std::vector<uint8_t>{0xFA, 0x0A, 0x80, 0xA8}));
}

// Space does not step a frequency: it opens the editor on the value.
TEST_F(MakerItemsTest, SpaceOnAFrequencyOpensTheEditor) {
    rig.shell.image.Fill(0);
    rig.At(CL_Maker_Pll_Reference);
    const radiotest::CellRig::Run run = rig.Key(kKeySpace);
    EXPECT_EQ(run.request, 2);
    EXPECT_EQ(Long(20), 0);
}

TEST_F(MakerItemsTest, TheModelEntriesAreCheckedForTheirTypeAndChooseIt) {
    const struct {
        int item;
        ModelType model;
    } entries[] = {{CL_Model_MdcLmr, MT_MdcLmr}, {CL_Model_MdcPmr, MT_MdcPmr}};
    for (const auto& entry : entries) {
        for (ModelType model : {MT_Lmr, MT_Pmr, MT_VaskPmr, MT_MdcLmr, MT_MdcPmr}) {
            rig.shell.model = model;
            rig.At(entry.item);
            rig.cell.stateBits = 0;
            rig.Paint();
            EXPECT_EQ((rig.cell.stateBits & kStateChecked) != 0, model == entry.model)
                << entry.item << " on model type " << model;
        }
        EXPECT_TRUE(rig.shell.chosenModels.empty()) << "asking for the state chooses nothing";
        rig.Key(kKeyEnter);
        ASSERT_EQ(rig.shell.chosenModels.size(), 1u);
        EXPECT_EQ(rig.shell.chosenModels[0], entry.model);
        rig.shell.chosenModels.clear();
    }
}

// The codes of the Part without a row say so with their number.
TEST_F(MakerItemsTest, AdjustmentsWithoutARowSaySo) {
    for (int item :
         {CL_Maker_CtcssTone_Burst, CL_Maker_MchPitch, CL_Maker_RollStart_RX, CL_Maker_mRSSISL}) {
        rig.At(item);
        EXPECT_EQ(rig.Paint(), std::to_string(item) + " *Yet*");
    }
}

// A channel of an MDC model type names its MDC system by number: typed or chosen, it lands in
// byte 12 of the channel's second entry.
TEST_F(MakerItemsTest, AChannelsMdcSystemIsTypedOrChosen) {
    cmcEeprom& image = rig.shell.image;
    rig.shell.model = MT_MdcPmr;
    WriteBankSize(image, 0, 8);
    rig.bus.AddListener(
        [](void* data, const cmcEvent& event) {
            if (event.type == EV_QueryCurrentBank) {
                static_cast<cmcEvMan*>(data)->Answer(0, 0);
            }
        },
        &rig.bus);
    constexpr int kChannel = 5;
    const int entryA = layout::kChannelA.At(kChannel);
    const int system = layout::kChannelB.At(kChannel) + 12;
    SetBE32(image.GetData() + entryA, 0x09B72EC0);  // 163 MHz receive: the channel is used
    SetBE32(image.GetData() + entryA + 4, 0x09B72EC0);
    image.SetByte(system, 2);

    rig.At(CL_Mch_Mdc_System, kChannel, CT_Mch);
    EXPECT_EQ(rig.Paint(), "2");
    rig.Type("4");
    EXPECT_EQ(image.GetByte(system), 4);
    rig.Type("3.4");
    EXPECT_EQ(image.GetByte(system), 3) << "the nearest system";
    rig.Answer(Flex0, 1);
    EXPECT_EQ(image.GetByte(system), 1);
    EXPECT_EQ(rig.Paint(), "1");
    EXPECT_EQ(rig.Key('4').request, 2) << "a digit opens the editor";
}

}  // namespace
