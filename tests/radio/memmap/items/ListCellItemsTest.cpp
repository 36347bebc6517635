// The cells of the choice lists: each shows its caption and changes nothing, and the entries of
// a marked list show the mark their value would earn the digital channel that opened the list.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "radio/cells/CellCodes.h"
#include "radio/image/ImageLayout.h"
#include "radio/memmap/indActiveCell.h"
#include "tests/radio/support/CellRig.h"

namespace {

constexpr int kChannel = 5;
constexpr int kMskSigByte = 11;  // of the channel's second entry
constexpr uint8_t kMskSig = 0x08;

class ListCellItemsTest : public ::testing::Test {
protected:
    // The entry painted, or run with a key, in a list opened by the parent cell (none when its
    // item is 0).
    cmcCellCapsule Run(int item, int value, int parentItem, int key = 0) {
        entry.item = item;
        entry.index = value;
        entry.caption = "Remote Control";
        caller.category = CT_Mch;
        caller.item = parentItem;
        caller.index = kChannel;
        parent.cell = &caller;
        cmcCellCapsule capsule;
        capsule.cell = &entry;
        capsule.parent = parentItem ? &parent : nullptr;
        capsule.key = key;
        indActiveCell().DispatchItem(capsule, key ? 1 : 0);
        return capsule;
    }
    void SetDigital(bool digital) {
        rig.shell.image.SetByte(layout::kChannelB.At(kChannel) + kMskSigByte,
                                digital ? kMskSig : 0);
    }
    std::vector<uint8_t> Bytes() const {
        const uint8_t* data = rig.shell.image.GetData();
        return {data, data + layout::kImageSize};
    }

    radiotest::CellRig rig;
    cmcCellObj entry;
    cmcCellObj caller;
    cmcCellCapsule parent;
};

TEST_F(ListCellItemsTest, EntriesShowTheirCaptionAndChangeNothing) {
    const std::vector<uint8_t> before = Bytes();
    for (const int item : {Flex0, Flex1, FlexMark, FlexDtcs, FlexKeyOpt, FlexScrmPort}) {
        for (const int key : {0, kKeyEnter, kKeySpace}) {
            const cmcCellCapsule run = Run(item, 3, 0, key);
            EXPECT_EQ(run.outText, "Remote Control") << item;
            EXPECT_EQ(run.marks & (kMarkWarning | kMarkError), 0) << item;
        }
    }
    // The item of an empty cell shows nothing, not even its caption.
    EXPECT_EQ(Run(CL_Null, 0, 0).outText, "");
    EXPECT_TRUE(Bytes() == before);
    EXPECT_TRUE(rig.boxes.fatals.empty());
}

// The rules of a digital channel's settings: monitor 6 or 7, select 1, no call, no PTT, channel
// mute on. Other model types, analogue channels and the plain entries show no mark.
TEST_F(ListCellItemsTest, MarkedEntriesShowWhatTheirValueEarnsADigitalChannel) {
    const struct Case {
        ModelType model;
        bool digital;
        int item;  // of the entry
        int parentItem;
        int value;
        uint8_t marks;
    } cases[] = {
        {MT_VaskPmr, true, FlexMark, CL_Mch_Moni, 6, 0},
        {MT_VaskPmr, true, FlexMark, CL_Mch_Moni, 7, 0},
        {MT_VaskPmr, true, FlexMark, CL_Mch_Moni, 0, kMarkWarning},
        {MT_VaskPmr, true, FlexMark, CL_Mch_Sel, 1, 0},
        {MT_VaskPmr, true, FlexMark, CL_Mch_Sel, 2, kMarkError},
        {MT_VaskPmr, true, FlexMark, CL_Mch_Call, 0, 0},
        {MT_VaskPmr, true, FlexMark, CL_Mch_Call, 1, kMarkError},
        {MT_VaskPmr, true, FlexMark, CL_Mch_PTT, 1, kMarkError},
        {MT_VaskPmr, true, FlexMark, CL_Mch_CH_Mute, 0, kMarkWarning},
        {MT_VaskPmr, true, FlexMark, CL_Mch_CH_Mute, 1, 0},
        {MT_VaskPmr, true, FlexMark, CL_Mch_Msk_SendStatus, 0, 0},
        {MT_VaskPmr, false, FlexMark, CL_Mch_Sel, 2, 0},
        {MT_Pmr, true, FlexMark, CL_Mch_Sel, 2, 0},
        {MT_VaskPmr, true, Flex0, CL_Mch_Sel, 2, 0},
    };
    for (const Case& c : cases) {
        rig.shell.model = c.model;
        SetDigital(c.digital);
        const cmcCellCapsule run = Run(c.item, c.value, c.parentItem);
        EXPECT_EQ(run.marks & (kMarkWarning | kMarkError), c.marks)
            << c.parentItem << " value " << c.value << " model " << c.model;
        EXPECT_EQ(run.outText, "Remote Control");
    }
}

}  // namespace
