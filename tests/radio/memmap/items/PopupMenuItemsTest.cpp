// The pop-up menu's list-edit entries.
#include <gtest/gtest.h>

#include <string>

#include "common/cmcEventTypes.h"
#include "radio/cells/CellCodes.h"
#include "radio/image/BankSize.h"
#include "radio/memmap/indActiveCell.h"
#include "radio/records/datCh.h"
#include "tests/radio/support/CellRig.h"
#include "tests/support/MemorySettings.h"

namespace {

using namespace memmap;

// The list-edit entries of a cell's pop-up menu, enabled or not by the record under the menu.
class PopupMenuTest : public ::testing::Test {
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

    testsupport::MemorySettings stores;
    radiotest::CellRig rig;
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
