// The rows of the keys, the key and display options and the set mode against an image fixture
// and the program's own text table: the text each shows, the bits an edit stores, and the
// key options that follow a key's function.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "common/cmcHelpGTex.h"
#include "radio/cells/CellCodes.h"
#include "radio/image/ImageLayout.h"
#include "radio/memmap/HelpContext.h"
#include "radio/memmap/KeyConverters.h"
#include "tests/radio/support/CellRig.h"
#include "tests/radio/support/ImageDiff.h"

namespace {

// An image byte and bits of it.
using Change = std::pair<int, int>;

// The bytes changed since before, each with the bits that did.
std::vector<Change> ChangesSince(const std::vector<uint8_t>& before, const cmcEeprom& image) {
    std::vector<Change> changes;
    for (const radiotest::Bits& bits : radiotest::ChangedBits(before, image)) {
        changes.emplace_back(bits.address, bits.mask);
    }
    return changes;
}

constexpr int kKeyOptions = layout::kKeyOptionBits;
constexpr int kScramblerPort = layout::kScramblerPort;

struct ImageByte {
    int address;
    uint8_t value;
};

class KeyDisplaySetModeItemsTest : public ::testing::Test {
protected:
    void Put(std::initializer_list<ImageByte> bytes) {
        for (const ImageByte& b : bytes) {
            rig.shell.image.SetByte(b.address, b.value);
        }
    }
    std::string PaintOf(int item) {
        rig.At(item);
        return rig.Paint();
    }
    uint8_t At(int address) { return rig.shell.image.GetByte(address); }

    radiotest::CellRig rig;
};

TEST_F(KeyDisplaySetModeItemsTest, RowsShowTheImage) {
    rig.shell.model = MT_Pmr;
    const char keys[] = "A0I 5EST";
    const char trunking[] = " tuvwAJL";
    rig.shell.image.WriteBlock(layout::kOptionText, reinterpret_cast<const uint8_t*>(keys), 8);
    rig.shell.image.WriteBlock(424, reinterpret_cast<const uint8_t*>(trunking), 8);
    const ImageByte fixture[] = {
        {kKeyOptions, 0xA0},
        {kScramblerPort, 0x01},
        {273, 0xC5},
        {274, 200},
        {275, 7},
        {276, 2},
        {286, 0x0A},
        {287, 0x40},
        {360, 0xA8},
        {377, 0x02},
        {378, 0x10},
        {379, 0x02},
        {380, 0x90},
        {381, 0x1C},
        {383, 0xC0},
        {2150, 0},
    };
    for (const ImageByte& b : fixture) {
        rig.shell.image.SetByte(b.address, b.value);
    }
    struct Case {
        int item;
        const char* text;
    } cases[] = {
        {CL_KDisp_Key_Conv_RightUp, "Monitor (Momentary)"},
        {CL_KDisp_Key_Conv_RightDn, "OPT1 Toggle /H"},
        {CL_KDisp_Key_Conv_LeftUp, "Scrambler OPT2 /L"},
        {CL_KDisp_Key_Conv_LeftDn, "None"},
        {CL_KDisp_Key_Conv_P0, "OPT3 Momentary /H"},
        {CL_KDisp_Key_Conv_P1, "Scan"},
        {CL_KDisp_Key_Conv_P2, "Emergency"},
        {CL_KDisp_Key_Conv_P3, "Backlight"},
        {CL_KDisp_Key_SmTr_RightUp, "None"},
        {CL_KDisp_Key_SmTr_RightDn, "Trunk Call"},
        {CL_KDisp_Key_SmTr_LeftUp, "Trunk Redial"},
        {CL_KDisp_Key_SmTr_LeftDn, "Trunk Clear Down"},
        {CL_KDisp_Key_SmTr_P0, "Trunk/Conventional"},
        {CL_KDisp_Key_SmTr_P1, "Monitor (Momentary)"},
        {CL_KDisp_Key_SmTr_P2, "Channel Down"},
        {CL_KDisp_Key_SmTr_P3, "Key Lock"},
        {CL_KDisp_Tenkey_Select, "Channel Number Entry"},
        {CL_KDisp_HangAct_Moni, "On"},
        {CL_KDisp_HangAct_Scan, "Off"},
        {CL_KDisp_HangAct_PrioA, "Enabled"},
        {CL_KDisp_RotarySel, "Off"},
        {CL_KDisp_ScrollTimer, "Off"},
        {CL_KDisp_RfPoSel, "By Key"},
        {CL_KDisp_MrCode, "3 Digits"},
        {CL_KDisp_PwrSW, "Disabled"},
        {CL_KDisp_PrioA_SwOn, "Enabled"},
        {CL_KDisp_PrioA_ClearDown, "Enabled"},
        {CL_SetM_Backlight, "Auto"},
        {CL_SetM_BeepOn, "On"},
        {CL_SetM_BeepLev, "5, Linked to Volume"},
        {CL_SetM_SqlLev, "200"},
        {CL_SetM_AFMinLev, "On"},
        {CL_SetM_AudioFilt, "High-Cut"},
        {CL_SetM_MicGain, "High"},
        {CL_SetM_BATVDisp, "On"},
        {CL_USetM_Backlight, "User May Change"},
        {CL_USetM_BeepOn, "Locked"},
        {CL_USetM_SqlLev, "User May Change"},
        {CL_USetM_MicGain, "Locked"},
        {CL_USetM_BATVDisp, "User May Change"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PaintOf(c.item), c.text) << c.item;
    }
    // Painted, the opening text is glyphs; its text is the escaped bytes.
    const char opening[] = "HI.\x10    ";
    rig.shell.image.WriteBlock(layout::kSecondOptionText, reinterpret_cast<const uint8_t*>(opening),
                               8);
    rig.At(CL_KDisp_OpeningText);
    EXPECT_EQ(rig.Key(0).text, "HI%2E%10");
}

// The key lists of the model types: each names the functions its radio has.
TEST_F(KeyDisplaySetModeItemsTest, EachModelTypeHasItsOwnKeyFunctions) {
    struct Case {
        ModelType model;
        char function;
        const char* text;
    } cases[] = {
        {MT_Lmr, 'V', "Horn Alert"},        {MT_Pmr, 'V', "error"},
        {MT_VaskPmr, 'a', "MSK Call List"}, {MT_MdcLmr, 'm', "MDC Call Alert"},
        {MT_MdcLmr, 'W', "Public Address"}, {MT_MdcPmr, 'q', "MDC Radio Check"},
        {MT_MdcPmr, 'a', "error"},
    };
    for (const Case& c : cases) {
        rig.shell.model = c.model;
        rig.shell.image.SetByte(layout::kOptionText, static_cast<uint8_t>(c.function));
        EXPECT_EQ(PaintOf(CL_KDisp_Key_Conv_RightUp), c.text) << c.model << " " << c.function;
    }
}

// The help names a PMR key's function from the Vask list, so the two must agree.
TEST_F(KeyDisplaySetModeItemsTest, APmrKeyFunctionReadsTheSameInTheVaskList) {
    cmcFCache& lists = rig.shell.choices;
    for (const auto& entry : lists.GetList("GI_Sheet_Sel_Keys_Conv_Pmr", Flex0).byValue) {
        EXPECT_EQ(lists.GetCaption("GI_Sheet_Sel_Keys_Conv_VaskPmr", Flex0, entry.value),
                  entry.caption);
    }
}

// F1 on a key finds the topic of the function assigned to it, for every function of every
// model type's list.
TEST_F(KeyDisplaySetModeItemsTest, EveryKeyFunctionHasItsHelp) {
    constexpr int kProgrammableKeys = 211;
    constexpr int kTrunkingKeys = 212;
    cmcHelpGTex help;
    help.SetFileName(MERROW_DATA_DIR "/TarnwickH.OVL");
    cmcFCache& lists = rig.shell.choices;
    cmcEeprom& image = rig.shell.image;
    for (int type = MT_Lmr; type <= MT_MdcPmr; ++type) {
        const auto model = static_cast<ModelType>(type);
        const char* list = kKeyFunctionLists[static_cast<size_t>(type)];
        for (const auto& entry : lists.GetList(list, Flex0).byValue) {
            image.SetByte(layout::kOptionText + 4, static_cast<uint8_t>(entry.value));
            EXPECT_EQ(FindHelpContext(CL_KDisp_Key_Conv_P0, image, model, lists, help),
                      kProgrammableKeys)
                << list << ": " << entry.caption;
        }
    }
    // The trunking keys name their functions from the trunking list on the types without MDC.
    for (const auto& entry : lists.GetList("GI_Sheet_Sel_KDisp_Key_SmTr", Flex0).byValue) {
        image.SetByte(428, static_cast<uint8_t>(entry.value));
        const int context = FindHelpContext(CL_KDisp_Key_SmTr_P0, image, MT_VaskPmr, lists, help);
        EXPECT_TRUE(context == kProgrammableKeys || context == kTrunkingKeys) << entry.caption;
    }
}

// The codes the memory map leaves without a row say so with their number.
TEST_F(KeyDisplaySetModeItemsTest, CodesWithoutARowSayYet) {
    for (int item : {CL_KDisp_Key_Conv_P4, CL_KDisp_Key_Conv_Opf0, CL_KDisp_Key_Conv_Opf2,
                     CL_KDisp_Key_SmTr_P4, CL_KDisp_Key_SmTr_Opf0, CL_KDisp_Key_SmTr_Opf2,
                     CL_KDisp_SmaKey, CL_KDisp_LED_LP0, CL_KDisp_LED_LP2, CL_SetM_LcdContrast,
                     CL_SetM_VoxGain, CL_SetM_HornOut, CL_USetM_LcdContrast, CL_USetM_BeepLev,
                     CL_USetM_AfMinLev, CL_USetM_AudioFilt, CL_USetM_VoxGain, CL_USetM_HornOut}) {
        EXPECT_EQ(PaintOf(item), std::to_string(item) + " *Yet*");
    }
}

// Each edit on a fixture whose bytes are all set stores at the row's bits and nowhere else: a
// list entry chosen in the pop-up, a typed text, or the display-text editor's answer.
TEST_F(KeyDisplaySetModeItemsTest, EditsStoreAtTheirBits) {
    struct Case {
        int item;
        int chosen;         // the list entry answered, or -1
        const char* typed;  // typed in the cell, or handed back by the text editor
        std::vector<Change> changed;
    } cases[] = {
        {CL_KDisp_Key_Conv_RightUp, 'A', "", {{416, 0xBE}}},
        {CL_KDisp_Key_Conv_P3, ' ', "", {{423, 0xDF}}},
        {CL_KDisp_Key_SmTr_RightUp, 't', "", {{424, 0x8B}}},
        {CL_KDisp_Key_SmTr_P3, 'L', "", {{431, 0xB3}}},
        {CL_KDisp_Tenkey_Select, 0, "", {{378, 0x10}}},
        // The hang-up actions are shown only: saving takes them from the default image.
        {CL_KDisp_HangAct_Moni, 0, "", {}},
        {CL_KDisp_HangAct_Scan, 0, "", {}},
        {CL_KDisp_HangAct_PrioA, 0, "", {}},
        {CL_KDisp_RotarySel, 2, "", {{381, 0x10}}},
        {CL_KDisp_ScrollTimer, -1, "1.5", {{2150, 0xF0}}},
        {CL_KDisp_ScrollTimer, -1, "Off", {{2150, 0xFF}}},
        {CL_KDisp_RfPoSel, 0, "", {{381, 0x04}}},
        {CL_KDisp_MrCode, 1, "", {{377, 0x02}}},
        {CL_KDisp_PwrSW, 0, "", {{380, 0x10}}},
        {CL_KDisp_PrioA_SwOn, 0, "", {{379, 0x02}}},
        {CL_KDisp_PrioA_ClearDown, 0, "", {{380, 0x80}}},
        {CL_SetM_Backlight, 0, "", {{286, 0x03}}},
        {CL_SetM_BeepOn, 0, "", {{273, 0x80}}},
        {CL_SetM_BeepLev, 7, "", {{273, 0x48}}},
        {CL_SetM_SqlLev, -1, "12", {{274, 0xF3}}},
        {CL_SetM_AFMinLev, 1, "", {{275, 0xFE}}},
        {CL_SetM_AudioFilt, 1, "", {{286, 0x08}}},
        {CL_SetM_MicGain, 0, "", {{276, 0xFF}}},
        {CL_SetM_BATVDisp, 0, "", {{287, 0x40}}},
        {CL_USetM_Backlight, 0, "", {{360, 0x80}}},
        {CL_USetM_BeepOn, 0, "", {{360, 0x40}}},
        {CL_USetM_SqlLev, 0, "", {{360, 0x20}}},
        {CL_USetM_MicGain, 0, "", {{360, 0x10}}},
        {CL_USetM_BATVDisp, 0, "", {{360, 0x08}}},
        {CL_KDisp_OpeningText,
         -1,
         "Hi",
         {{2133, 'H' ^ 0xFF},
          {2134, 'i' ^ 0xFF},
          {2135, 0xDF},
          {2136, 0xDF},
          {2137, 0xDF},
          {2138, 0xDF},
          {2139, 0xDF},
          {2140, 0xDF}}},
    };
    for (const Case& c : cases) {
        rig.shell.image.Fill(0xFF);
        const std::vector<uint8_t> before = radiotest::ImageBytes(rig.shell.image);
        rig.At(c.item);
        if (c.chosen >= 0) {
            rig.Answer(Flex0, c.chosen);
        } else if (c.item == CL_KDisp_OpeningText) {
            rig.Answer(Flex0, 0, c.typed);
        } else {
            rig.Type(c.typed);
        }
        EXPECT_EQ(ChangesSince(before, rig.shell.image), c.changed) << c.item;
    }
}

// The beep level's nibble and its second set share the byte with the beep switch.
TEST_F(KeyDisplaySetModeItemsTest, TheBeepLevelKeepsTheBeepSwitch) {
    struct Case {
        uint8_t byte;
        int chosen;
        uint8_t after;
    } cases[] = {{0x45, 7, 0x07}, {0xC5, 7, 0x87}, {0x80, 112, 0xCC}, {0x3F, 100, 0x70}};
    for (const Case& c : cases) {
        Put({{273, c.byte}});
        rig.At(CL_SetM_BeepLev);
        rig.Answer(Flex0, c.chosen);
        EXPECT_EQ(At(273), c.after) << int{c.byte} << " " << c.chosen;
    }
    Put({{273, 0x45}});
    EXPECT_EQ(PaintOf(CL_SetM_BeepLev), "5, Linked to Volume");
}

TEST_F(KeyDisplaySetModeItemsTest, TheRotarySelectorCountsInTwos) {
    Put({{381, 0x18}});
    EXPECT_EQ(PaintOf(CL_KDisp_RotarySel), "Off");
    rig.Key(kKeySpace);  // past the end of the list: back to its first entry
    EXPECT_EQ(At(381), 0x00);
    rig.Key(kKeySpace);
    EXPECT_EQ(At(381), 0x08);
    EXPECT_EQ(PaintOf(CL_KDisp_RotarySel), "Bank and Channel");
}

// The AF minimum level is on for any value but 0, and on is written as 1.
TEST_F(KeyDisplaySetModeItemsTest, TheAfMinimumLevelWritesOnAsOne) {
    Put({{275, 0x80}});
    EXPECT_EQ(PaintOf(CL_SetM_AFMinLev), "On");
    rig.Answer(Flex0, 1);
    EXPECT_EQ(At(275), 1);
    rig.Key(kKeySpace);
    EXPECT_EQ(At(275), 0);
}

// A function with an option asks for it next; the option changes every cell that shows it.
TEST_F(KeyDisplaySetModeItemsTest, AKeyFunctionWithAnOptionAsksForIt) {
    Put({{layout::kOptionText + 2, ' '}, {kKeyOptions, 0x01}, {kScramblerPort, 0x00}});
    const auto& opened = rig.shell.popups.choiceLists;
    rig.At(CL_KDisp_Key_Conv_LeftUp);

    EXPECT_EQ(rig.Answer(Flex0, '1').request, 1);
    EXPECT_EQ(At(layout::kOptionText + 2), '1');
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened.back().list, "GI_Sheet_Sel_KDisp_KeyOpt_HL");
    EXPECT_EQ(opened.back().item, FlexKeyOpt);
    EXPECT_EQ(opened.back().value, 0);
    const radiotest::CellRig::Run high = rig.Answer(FlexKeyOpt, 1);
    EXPECT_EQ(At(kKeyOptions), 0x41);  // slot 12, bit 6; the MDC bit kept
    EXPECT_EQ(high.redraw & RD_AllCells, RD_AllCells);
    EXPECT_EQ(PaintOf(CL_KDisp_Key_Conv_LeftUp), "OPT2 Toggle /H");

    // The scrambler asks for its port first, then for the level of that port's slot.
    rig.At(CL_KDisp_Key_Conv_LeftUp);
    rig.Answer(Flex0, 'I');
    EXPECT_EQ(opened.back().list, "GI_Sheet_Sel_KDisp_ScrmOpt_Port");
    EXPECT_EQ(opened.back().item, FlexScrmPort);
    rig.Answer(FlexScrmPort, 2);
    EXPECT_EQ(At(kScramblerPort) & 0x03, 2);
    EXPECT_EQ(opened.back().list, "GI_Sheet_Sel_KDisp_KeyOpt_HL");
    rig.Answer(FlexKeyOpt, 1);
    EXPECT_EQ(At(kKeyOptions), 0xC1);  // slot 13, bit 7
    EXPECT_EQ(PaintOf(CL_KDisp_Key_Conv_LeftUp), "Scrambler OPT3 /H");
    EXPECT_EQ(opened.size(), 3u);
}

TEST_F(KeyDisplaySetModeItemsTest, AKeyWithoutAnOptionAsksNothingMore) {
    rig.At(CL_KDisp_Key_Conv_P0);
    EXPECT_EQ(rig.Answer(Flex0, 'E').request, 0);
    EXPECT_TRUE(rig.shell.popups.choiceLists.empty());
    EXPECT_EQ(PaintOf(CL_KDisp_Key_Conv_P0), "Scan");
    // Enter opens the model's function list at the key's function.
    rig.At(CL_KDisp_Key_Conv_P0);
    EXPECT_EQ(rig.Key(kKeyEnter).request, 1);
    ASSERT_EQ(rig.shell.popups.choiceLists.size(), 1u);
    EXPECT_EQ(rig.shell.popups.choiceLists[0].list, "GI_Sheet_Sel_Keys_Conv_Pmr");
    EXPECT_EQ(rig.shell.popups.choiceLists[0].value, 'E');
}

}  // namespace
