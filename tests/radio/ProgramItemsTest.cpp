// The program's own cells: the Edit, View, Model and Help menus' commands, the clone
// information cells, the warning checks and the pop-up menu's list-edit entries.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "common/cmcEventTypes.h"
#include "radio/BankSize.h"
#include "radio/CellCodes.h"
#include "radio/datCh.h"
#include "radio/indActiveCell.h"
#include "radio/items/ItemGroups.h"
#include "tests/radio/CellRig.h"
#include "tests/support/MemorySettings.h"

namespace {

using namespace memmap;

class ProgramItemsTest : public ::testing::Test {
protected:
    // The cell's state bits after a render with key 0.
    uint8_t StateOf(int item, int index) {
        rig.At(item, index);
        rig.cell.stateBits = 0;
        rig.Paint();
        rig.bus.Pump();
        return rig.cell.stateBits & kStateCommandBits;
    }

    testsupport::MemorySettings stores;
    radiotest::CellRig rig;
};

// With key 0 a command only reports its state; Enter runs it once.
TEST_F(ProgramItemsTest, MenuCommandsReportTheirStateAndRunOnEnter) {
    indEnviron& settings = rig.shell.Settings();
    settings.fontSizePercentage = 125;
    settings.toolBarVisible = 1;
    rig.shell.model = MT_Pmr;
    const struct Case {
        int item;
        int index;
        uint8_t state;
        std::vector<int> events;  // the menus' events a render and an Enter post
    } cases[] = {
        {CL_Menu_View_FontSize, 125, kStateChecked, {}},
        {CL_Menu_View_FontSize, 75, 0, {}},
        {CL_Menu_View_ToolBar, 0, kStateChecked, {}},
        {CL_Model_Lmr, 0, 0, {}},
        {CL_Model_Pmr, 0, kStateChecked, {}},
        {CL_Model_VaskPmr, 0, 0, {}},
        {CL_Help_About, 0, 0, {EV_ShowAbout}},
        {CL_Menu_Edit_Top, 0, 0, {EV_BuildSubMenu, EV_BuildSubMenu}},
        {CL_PMenu_NoItem, 0, kStateDisabled, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        rig.events.clear();
        EXPECT_EQ(StateOf(c.item, c.index), c.state);
        rig.Key(kKeyEnter);
        std::erase_if(rig.events,
                      [](int type) { return type != EV_ShowAbout && type != EV_BuildSubMenu; });
        EXPECT_EQ(rig.events, c.events);
    }
    EXPECT_EQ(rig.shell.fontSizes, (std::vector<int>{125, 75}));
    EXPECT_EQ(rig.shell.toolBarToggles, 1);
    EXPECT_EQ(rig.shell.chosenModels, (std::vector<ModelType>{MT_Lmr, MT_Pmr, MT_VaskPmr}));

    settings.toolBarVisible = 0;
    EXPECT_EQ(StateOf(CL_Menu_View_ToolBar, 0), 0);
}

// A disabled entry takes no Enter: Print Current Sheet prints nothing while no sheet may be
// printed.
TEST_F(ProgramItemsTest, ADisabledEntryTakesNoEnter) {
    for (const bool printable : {false, true}) {
        rig.shell.sheetPrintable = printable;
        EXPECT_EQ(StateOf(CL_Menu_File_Print_Current, 0), printable ? 0 : kStateDisabled);
        rig.Key(kKeyEnter);
    }
    EXPECT_EQ(rig.shell.prints, (std::vector<int>{0}));
}

// ---- Clone information ----

class CloneInfoTest : public ProgramItemsTest {
protected:
    std::string Show(int item, std::map<int, uint8_t> bytes) {
        CloneIdentityBlock& block = rig.shell.cloneInformation;
        block.fill(0);
        for (const auto& [offset, value] : bytes) {
            block[static_cast<size_t>(offset)] = value;
        }
        rig.At(item);
        return rig.Paint();
    }
    std::string Line(const char* key, int n = 0) { return rig.table.GetLine(key, n) + "\n"; }
};

TEST_F(CloneInfoTest, ModelRevisionOverVoltageAndCheckSum) {
    const struct Case {
        int item;
        std::map<int, uint8_t> bytes;
        std::string text;
    } cases[] = {
        {CL_CloneInfo_Model, {{48, 0x29}}, "Merrow" + rig.table.GetLine("GI_AppInd_Model", 4)},
        {CL_CloneInfo_Model, {{48, 0x09}}, "Merrow" + rig.table.GetLine("GI_AppInd_Model", 2)},
        {CL_CloneInfo_Model, {{48, 0x20}}, "Merrow" + rig.table.GetLine("GI_AppInd_Model", 3)},
        {CL_CloneInfo_Model, {{48, 0x00}}, "Merrow" + rig.table.GetLine("GI_AppInd_Model", 0)},
        {CL_CloneInfo_Revision, {{34, 0x27}}, "2.7"},
        {CL_CloneInfo_Revision, {{34, 0xFF}}, "15.15"},
        {CL_CloneInfo_OverVolt, {{49, 0x20}}, rig.table.GetLine("GI_Mess_CloneInfo_OverVolt", 0)},
        {CL_CloneInfo_OverVolt, {{49, 0xDF}}, ""},
        {CL_CloneInfo_CheckSum, {{56, '1'}, {57, 'a'}, {58, '2'}, {59, 'F'}}, "$1A2F"},
        {CL_CloneInfo_CheckSum, {{56, '0'}, {57, '7'}, {58, 'x'}, {59, '9'}}, "$0007"},
        {CL_CloneInfo_CheckSum, {{56, 'Q'}}, "$0000"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Show(c.item, c.bytes), c.text) << c.item << " " << c.text;
    }
}

// The option units in their fixed order, one line each.
TEST_F(CloneInfoTest, OptionUnits) {
    const struct Case {
        uint8_t units;    // byte 45
        uint8_t boards;   // byte 46
        uint8_t sensors;  // byte 47
        std::vector<const char*> keys;
    } cases[] = {
        {0x02, 0x00, 0x00, {"GI_Mess_CloneInfo_Opt_Kb03"}},
        {0x02, 0x01, 0x00, {"GI_Mess_CloneInfo_Opt_Kb07"}},
        {0x02, 0x02, 0x00, {"GI_Mess_CloneInfo_Opt_Kb09"}},
        {0x0A, 0x03, 0x00, {"GI_Mess_CloneInfo_Opt_Kb03"}},
        {0x01, 0x00, 0x00, {"GI_Mess_CloneInfo_Opt_Kb04"}},
        {0x00, 0x20, 0x00, {"GI_Mess_CloneInfo_Opt_Kb05"}},
        {0x00, 0x10, 0x00, {}},
        {0x03, 0x00, 0xBF, {}},
        {0x02,
         0x3D,
         0x40,
         {"GI_Mess_CloneInfo_Opt_Kb06", "GI_Mess_CloneInfo_Opt_Kb07", "GI_Mess_CloneInfo_Opt_Kb02",
          "GI_Mess_CloneInfo_Opt_Kb08", "GI_Mess_CloneInfo_Opt_Kb01"}},
    };
    for (const Case& c : cases) {
        std::string expected;
        for (const char* key : c.keys) {
            expected += Line(key);
        }
        EXPECT_EQ(Show(CL_CloneInfo_Option, {{45, c.units}, {46, c.boards}, {47, c.sensors}}),
                  expected)
            << int{c.units} << " " << int{c.boards};
    }
}

// The comments show what the radio holds, unprintable bytes blank; keys and typing change
// nothing and open no editor.
TEST_F(CloneInfoTest, CommentsAreShownAndReadOnly) {
    std::map<int, uint8_t> bytes;
    const std::string first = "FLEET 7";
    for (size_t i = 0; i < first.size(); ++i) {
        bytes[2 + static_cast<int>(i)] = static_cast<uint8_t>(first[i]);
    }
    bytes[4] = 0x07;
    bytes[17] = 'Z';
    bytes[18] = 'W';
    bytes[33] = 0xC1;
    EXPECT_EQ(Show(CL_CloneInfo_Comment1, bytes), "FL ET 7        Z");
    EXPECT_EQ(Show(CL_CloneInfo_Comment2, bytes), "W");
    const CloneIdentityBlock before = rig.shell.cloneInformation;
    for (int key : {kKeyEnter, kKeySpace, int{'A'}}) {
        EXPECT_EQ(rig.Key(key).request, 0);
    }
    rig.Type("CHANGED");
    EXPECT_EQ(rig.shell.cloneInformation, before);
    EXPECT_EQ(rig.editorOpenings, 0);
    EXPECT_TRUE(rig.shell.popups.choiceLists.empty());
}

// ---- Warning checks ----

// The marks the fields give themselves, by (item, index): set by each case.
std::map<std::pair<int, int>, uint8_t> fieldMarks;

int MarkedField(ItemContext& context, const ItemRow&) {
    const auto found = fieldMarks.find({context.item, context.index});
    if (found != fieldMarks.end()) {
        context.capsule.marks |= found->second;
    }
    return 0;
}

constexpr ItemRow kFieldRows[] = {
    Special(CL_Mch_Moni, &MarkedField),
    Special(CL_Mch_Sel, &MarkedField),
    Special(CL_Mch_Call, &MarkedField),
    Special(CL_Mch_PTT, &MarkedField),
    Special(CL_Mch_CH_Mute, &MarkedField),
    Special(CL_UTone_Dec_Low, &MarkedField),
    Special(CL_UTone_Dec_High, &MarkedField),
    Special(CL_Msk_AdrRange_Killer, &MarkedField),
    Special(CL_Msk_IdGroup_Adr, &MarkedField),
    Special(CL_Msk_Cfg_Status_FixBaseId, &MarkedField),
    Special(CL_Msk_Cfg_Gps_FixBaseId, &MarkedField),
};

TEST(WarningChecks, SumUpTheMarksOfTheirFields) {
    const ItemRegistry rows{CheckRows(), kFieldRows};
    testsupport::MemorySettings stores;
    radiotest::CellRig rig(rows);
    // Bank 0 holds channels 0..3, bank 1 channels 4..7.
    WriteBankSize(rig.shell.image, 0, 4);
    WriteBankSize(rig.shell.image, 1, 4);
    constexpr uint8_t W = kMarkWarning;
    constexpr uint8_t E = kMarkError;
    const struct Case {
        ModelType model;
        int check;
        int bank;
        int item;  // of the marked field
        int index;
        uint8_t fieldMark;
        uint8_t marks;  // of the check
    } cases[] = {
        {MT_VaskPmr, CL_Check_Mch, 1, CL_Mch_Moni, 4, W, W},
        {MT_VaskPmr, CL_Check_Mch, 1, CL_Mch_Moni, 7, E, 0},
        {MT_VaskPmr, CL_Check_Mch, 1, CL_Mch_PTT, 7, E, E},
        {MT_VaskPmr, CL_Check_Mch, 1, CL_Mch_CH_Mute, 5, E | W, E},
        {MT_VaskPmr, CL_Check_Mch, 1, CL_Mch_Sel, 3, E, 0},
        {MT_VaskPmr, CL_Check_Mch, 0, CL_Mch_Sel, 3, E, E},
        {MT_VaskPmr, CL_Check_Mch, 0, CL_Mch_Call, 8, E, 0},
        {MT_Pmr, CL_Check_Mch, 1, CL_Mch_PTT, 5, E | W, 0},
        {MT_Pmr, CL_Check_User_Tone_Encode, 0, CL_UTone_Dec_High, 14, W, W},
        // The LMR types have no user tones: their bytes are the two-tone windows.
        {MT_Lmr, CL_Check_User_Tone_Encode, 0, CL_UTone_Dec_High, 14, W, 0},
        {MT_MdcLmr, CL_Check_User_Tone_Encode, 0, CL_UTone_Dec_Low, 0, W, 0},
        {MT_Pmr, CL_Check_User_Tone_Encode, 0, CL_UTone_Dec_Low, 0, W, W},
        {MT_Pmr, CL_Check_User_Tone_Encode, 0, CL_UTone_Dec_Low, 15, W, 0},
        {MT_Pmr, CL_Check_User_Tone_Encode, 0, CL_UTone_Dec_Low, 3, E, 0},
        {MT_VaskPmr, CL_Check_Msk_IdRange, 0, CL_Msk_AdrRange_Killer, 0, E, E},
        {MT_Pmr, CL_Check_Msk_IdRange, 0, CL_Msk_AdrRange_Killer, 0, E, 0},
        {MT_VaskPmr, CL_Check_Msk_OwnIdGroup, 0, CL_Msk_IdGroup_Adr, 7, E, E},
        {MT_VaskPmr, CL_Check_Msk_OwnIdGroup, 0, CL_Msk_IdGroup_Adr, 8, E, 0},
        {MT_MdcPmr, CL_Check_Msk_OwnIdGroup, 0, CL_Msk_IdGroup_Adr, 0, E, 0},
        {MT_VaskPmr, CL_Check_Msk_Config, 0, CL_Msk_Cfg_Status_FixBaseId, 0, E, E},
        {MT_VaskPmr, CL_Check_Msk_Config, 0, CL_Msk_Cfg_Gps_FixBaseId, 0, E, E},
        {MT_VaskPmr, CL_Check_Msk_Config, 0, CL_Msk_Cfg_Gps_FixBaseId, 0, W, 0},
        {MT_Lmr, CL_Check_Msk_Config, 0, CL_Msk_Cfg_Gps_FixBaseId, 0, E, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.check << " model " << c.model << " field " << c.item
                                          << "[" << c.index << "]");
        rig.shell.model = c.model;
        fieldMarks = {{{c.item, c.index}, c.fieldMark}};
        cmcCellCapsule capsule;
        rig.At(c.check);
        capsule.cell = &rig.cell;
        capsule.bankContext = c.bank;
        indActiveCell(rows).DispatchItem(capsule, 0);
        EXPECT_EQ(capsule.marks & (kMarkError | kMarkWarning), c.marks);
    }
    fieldMarks.clear();
}

// ---- Pop-up menu ----

// The list-edit entries of a cell's pop-up menu, enabled or not by the record under the menu.
class PopupMenuTest : public ProgramItemsTest {
protected:
    PopupMenuTest() {
        WriteBankSize(rig.shell.image, 0, 4);
        WriteBankSize(rig.shell.image, 1, 4);
        rig.bus.AddListener(
            [](void* data, const cmcEvent& event) {
                if (event.type == EV_QueryCurrentBank) {
                    auto* test = static_cast<PopupMenuTest*>(data);
                    test->rig.bus.Answer(test->currentBank, 0);
                }
            },
            this);
    }

    // One character an entry, Copy, Paste, Carry Up, Carry Down, Clear, Delete, Insert: 'x'
    // disabled.
    std::string Entries(int category, int index) {
        std::string out;
        for (int item = CL_PMenu_Copy; item <= CL_PMenu_Insert; ++item) {
            cmcCellObj entry;
            entry.category = CT_PopupMenu;
            entry.item = item;
            cmcCellObj under;
            under.category = category;
            under.index = index;
            cmcCellCapsule parent;
            parent.cell = &under;
            cmcCellCapsule capsule;
            capsule.cell = &entry;
            capsule.parent = &parent;
            indActiveCell().DispatchItem(capsule, 0);
            out += (entry.stateBits & kStateDisabled) ? 'x' : '-';
        }
        return out;
    }

    int currentBank = 1;
};

TEST_F(PopupMenuTest, ListEditsFollowTheRecordKind) {
    cmcEeprom& image = rig.shell.image;
    rig.shell.model = MT_Pmr;
    rig.shell.clipboard.Copy(image, RK_ChPmr, 0, 1);
    const struct Case {
        int bank;
        int category;
        int index;
        const char* entries;
    } cases[] = {
        // Channels of bank 1 (4..7): no carrying across the bank's ends, nothing past it but
        // inserting after the last.
        {1, CT_Mch, 4, "--x----"},
        {1, CT_Mch, 5, "-------"},
        {1, CT_Mch, 7, "---x---"},
        {1, CT_Mch, 8, "xxxxxx-"},
        {1, CT_Mch_Check, 6, "-------"},
        {2, CT_Mch, 8, "xxxxxx-"},  // an empty bank
        // Receive codes 1..8: the first entry is the list's fixed one; codes are copied and
        // carried but never cleared, deleted or inserted.
        {1, CT_RX_Code, 0, "xxxxxxx"},
        {1, CT_RX_Code, 1, "-xx-xxx"},
        {1, CT_RX_Code, 8, "-x-xxxx"},
        {1, CT_2Tone_Code, 0, "xxxxxxx"},
        {1, CT_2Tone_Code, 10, "-x-xxxx"},
        // Status messages 0..22; the radio keeps 23 for itself.
        {1, CT_MSK_Msg_Status, 0, "-xx-xxx"},
        {1, CT_MSK_Msg_Status, 22, "-x-xxxx"},
        {1, CT_MSK_Msg_Status, 23, "xxxxxxx"},
        // Aliases and user characters may also be cleared, deleted and inserted.
        {1, CT_MDC_Alias, 0, "-xx----"},
        {1, CT_MDC_Alias, 499, "-x-x---"},
        {1, CT_CEdit, 7, "-x-----"},
        // User tones and bank names take no list edits, nor do settings outside records.
        {1, CT_UserTone, 3, "xxxxxxx"},
        {1, CT_BankOp, 3, "xxxxxxx"},
        {1, CT_Null, 0, "xxxxxxx"},
    };
    for (const Case& c : cases) {
        currentBank = c.bank;
        EXPECT_EQ(Entries(c.category, c.index), c.entries)
            << "category " << c.category << " index " << c.index;
    }
}

// Paste needs records of the cell's own kind on the clipboard.
TEST_F(PopupMenuTest, PasteWantsTheCellsKindOnTheClipboard) {
    cmcEeprom& image = rig.shell.image;
    rig.shell.model = MT_VaskPmr;
    EXPECT_EQ(Entries(CT_Mch, 5), "-x-----");
    rig.shell.clipboard.Copy(image, RK_ChPmr, 0, 2);
    EXPECT_EQ(Entries(CT_Mch, 5), "-x-----") << "PMR channels on a Vask radio";
    rig.shell.clipboard.Copy(image, RK_ChVaskPmr, 0, 2);
    EXPECT_EQ(Entries(CT_Mch, 5), "-------");
    EXPECT_EQ(Entries(CT_RX_Code, 3), "-x--xxx");
    rig.shell.clipboard.Copy(image, RK_MskMsgStatus, 2, 1);
    EXPECT_EQ(Entries(CT_MSK_Msg_Status, 5), "----xxx");
    EXPECT_EQ(Entries(CT_MSK_Msg_Status, 23), "xxxxxxx") << "the radio's own";
}

}  // namespace
