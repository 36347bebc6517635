#include "radio/memmap/indActiveCell.h"

#include <gtest/gtest.h>

#include <vector>

#include "common/CurrentEvMan.h"
#include "radio/cells/CellCodes.h"
#include "radio/cells/cmcCellCapsule.h"
#include "radio/cells/cmcCellObj.h"
#include "radio/records/datCh.h"
#include "tests/support/FakeShell.h"
#include "tests/support/RecordingBoxes.h"
#include "tests/support/ScopedInstall.h"
#include "tests/support/VirtualTime.h"

namespace {

// What the test rows saw of the dispatch.
struct Seen {
    int key = -1;
    int command = -1;
    uint32_t kind = 0;
    int index = -1;
    int calls = 0;
};
Seen seen;

// What a test row does besides recording: its result, redraw flags and marks.
struct Answer {
    int result = 0;
    int redraw = 0;
    uint8_t marks = 0;
};

Answer AnswerOf(int item) {
    if (item == CL_ScanList_Text) {
        return {1, RD_SameItem, 0};
    }
    return {0, 0, item == CL_Null ? kMarkWarning : uint8_t{0}};
}

int RecordingRow(ItemContext& context, const ItemRow&) {
    seen.key = context.capsule.key;
    seen.command = context.capsule.command;
    seen.kind = context.kind;
    seen.index = context.index;
    ++seen.calls;
    const Answer answer = AnswerOf(context.item);
    context.capsule.outText = "row";
    context.capsule.marks |= answer.marks;
    context.redraw |= answer.redraw;
    return answer.result;
}

const ItemRow kTestRows[] = {
    memmap::Special(CL_Mch_Text, RecordingRow),   memmap::Special(CL_Mch_FreqR, RecordingRow),
    memmap::Special(CL_Mch_Atr, RecordingRow),    memmap::Special(CL_ScanList_Text, RecordingRow),
    memmap::Special(CL_PMenu_Copy, RecordingRow), memmap::Special(CL_Null, RecordingRow),
};
const ItemRegistry kRegistry{kTestRows};

void AnswerBank(void* data, const cmcEvent& event) {
    if (event.type == EV_QueryCurrentBank) {
        CurrentEvMan()->Answer(*static_cast<int*>(data), 0);
    }
}

class DispatchTest : public ::testing::Test {
protected:
    DispatchTest() {
        seen = Seen{};
        WriteBankSize(shell.image, 0, 4);
        WriteBankSize(shell.image, 1, 4);
        bus.AddListener(AnswerBank, &openBank);
    }

    void UseChannel(int index) {
        datCh record(&shell.image);
        record.Load(RK_ChPmr, index);
        record.used = 1;
        record.rxFreq = 4500000;
        record.Store();
    }

    int Dispatch(int category, int item, int index, int key, int notify = 1, int command = 0) {
        cell.category = category;
        cell.item = item;
        cell.index = index;
        capsule.Clear();
        capsule.cell = &cell;
        capsule.key = key;
        capsule.command = command;
        capsule.onChanged = [this](cmcCellCapsule*, int flags) { changes.push_back(flags); };
        return indActiveCell(kRegistry).DispatchItem(capsule, notify);
    }

    testsupport::VirtualTime time;
    testsupport::RecordingBoxes boxes;
    testsupport::FakeShell shell;
    cmcEvMan bus;
    testsupport::ScopedEvMan busInstalled{&bus};
    int openBank = 0;
    cmcCellObj cell;
    cmcCellCapsule capsule;
    std::vector<int> changes;
};

TEST_F(DispatchTest, ItemWithoutRowShowsItsCodeAndChangesNothing) {
    std::vector<uint8_t> before(shell.image.GetData(), shell.image.GetData() + 48880);
    EXPECT_EQ(Dispatch(kCategoryNone, 500, 0, kKeyEnter), 0);
    EXPECT_EQ(capsule.outText, "500 *Yet*");
    EXPECT_TRUE(std::equal(before.begin(), before.end(), shell.image.GetData()));
}

TEST_F(DispatchTest, RedrawFlagsFollowTheRecordAndTheRow) {
    Dispatch(kCategoryNone, CL_Null, 0, 0);
    Dispatch(CT_Scan, CL_ScanList_Text, 2, 0);
    EXPECT_EQ(Dispatch(CT_Scan, CL_ScanList_Text, 2, 0, 0), 1);  // painting: no onChanged
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0], RD_SameCell);
    EXPECT_EQ(changes[1], RD_SameCell | RD_SameIndex | RD_SameItem);
    EXPECT_EQ(seen.kind, RK_Scan);
}

TEST_F(DispatchTest, DoubleClickAndEditCommandActAsEnter) {
    UseChannel(1);
    Dispatch(CT_Mch, CL_Mch_Text, 1, kKeyDoubleClick);
    EXPECT_EQ(seen.key, kKeyEnter);
    Dispatch(CT_Mch, CL_Mch_Text, 1, 0, 1, CL_PMenu_Edit);
    EXPECT_EQ(seen.key, kKeyEnter);
    EXPECT_EQ(seen.command, 0);
}

TEST_F(DispatchTest, TypingIntoAnEmptyChannelLandsInItsReceiveFrequency) {
    struct Case {
        int key;
        bool redirected;
    } cases[] = {{'1', true}, {kKeyEnter, true}, {kKeyLeft, false}};
    for (const auto& c : cases) {
        seen = Seen{};
        Dispatch(CT_Mch, CL_Mch_Text, 2, c.key);
        EXPECT_EQ(capsule.redirect, c.redirected ? 1 : 0) << c.key;
        EXPECT_EQ(seen.calls, c.redirected ? 0 : 1) << c.key;
        if (c.redirected) {
            EXPECT_EQ(capsule.redirectItem, CL_Mch_FreqR);
            EXPECT_EQ(capsule.redirectIndex, 2);
            EXPECT_EQ(capsule.repeatKey, c.key);
            EXPECT_EQ(capsule.outText, "");
        }
    }
    // The frequency cell itself and the attribute cell run their rows.
    Dispatch(CT_Mch, CL_Mch_FreqR, 2, '1');
    EXPECT_EQ(capsule.redirect, 0);
    EXPECT_EQ(seen.calls, 2);
    Dispatch(CT_Mch, CL_Mch_Atr, 2, '1');
    EXPECT_EQ(seen.calls, 3);
}

TEST_F(DispatchTest, RowsPastTheBankRenderEmpty) {
    UseChannel(4);
    Dispatch(CT_Mch, CL_Mch_Text, 4, 0, 0);  // channel 4 is bank 1's, the open bank is 0
    EXPECT_EQ(capsule.outText, "");
    EXPECT_EQ(seen.calls, 0);
    openBank = 1;
    Dispatch(CT_Mch, CL_Mch_Text, 4, 0, 0);
    EXPECT_EQ(capsule.outText, "row");
}

TEST_F(DispatchTest, PastTheBankTypingLandsInTheFrequencyCellWhoseRowRuns) {
    UseChannel(4);  // a used channel of bank 1, seen from bank 0's sheet
    Dispatch(CT_Mch, CL_Mch_Text, 4, '1');
    EXPECT_EQ(capsule.redirect, 1);
    EXPECT_EQ(capsule.redirectItem, CL_Mch_FreqR);
    EXPECT_EQ(capsule.repeatKey, '1');
    Dispatch(CT_Mch, CL_Mch_Atr, 4, kKeyLeft);
    EXPECT_EQ(capsule.redirect, 0);
    EXPECT_EQ(capsule.outText, "");
    EXPECT_EQ(seen.calls, 0);
    // The frequency cell's own row inserts the channel there, so it is not answered here.
    Dispatch(CT_Mch, CL_Mch_FreqR, 4, '1');
    EXPECT_EQ(capsule.redirect, 0);
    EXPECT_EQ(seen.calls, 1);
    EXPECT_EQ(seen.key, '1');
}

TEST_F(DispatchTest, ChannelListCommandsRunOverTheBankAndPack) {
    openBank = 1;
    UseChannel(5);
    Dispatch(CT_Mch, CL_Mch_Text, 5, 0, 1, CL_PMenu_Paste);
    ASSERT_EQ(shell.listEdits.size(), 1u);
    EXPECT_EQ(shell.listEdits[0].command, CL_PMenu_Paste);
    EXPECT_EQ(shell.listEdits[0].first, 4);
    EXPECT_EQ(shell.listEdits[0].last, 7);
    EXPECT_EQ(shell.packs, 1);
    EXPECT_EQ(seen.calls, 0);
    Dispatch(CT_Scan, CL_ScanList_Text, 0, 0, 1, CL_PMenu_Clear);
    EXPECT_EQ(shell.listEdits[1].first, datCh::GetKindMin(RK_Scan));
    EXPECT_EQ(shell.listEdits[1].last, datCh::GetKindMax(RK_Scan));
    Dispatch(CT_Scan, CL_ScanList_Text, 0, 0, 1, CL_PMenu_Help);
    EXPECT_EQ(shell.helpItems, std::vector<int>{CL_ScanList_Text});
}

TEST_F(DispatchTest, UserActionsRestartTheWarningCheck) {
    Dispatch(CT_Scan, CL_ScanList_Text, 0, 0, 0);
    EXPECT_EQ(shell.warningRestarts, 0);
    Dispatch(CT_Scan, CL_ScanList_Text, 0, ' ');
    capsule.inputMode = kInputText;
    indActiveCell(kRegistry).DispatchItem(capsule, 1);
    EXPECT_EQ(shell.warningRestarts, 2);
    EXPECT_EQ(shell.modifiedUpdates, 2);
}

TEST_F(DispatchTest, PopupMenuEntriesActOnTheRecordOfTheirCell) {
    cmcCellObj sheetCell;
    sheetCell.category = CT_Scan;
    sheetCell.index = 3;
    cmcCellCapsule parent;
    parent.cell = &sheetCell;
    cell.category = CT_PopupMenu;
    cell.item = CL_PMenu_Copy;
    capsule.cell = &cell;
    capsule.parent = &parent;
    indActiveCell(kRegistry).DispatchItem(capsule, 0);
    EXPECT_EQ(seen.kind, RK_Scan);
    EXPECT_EQ(seen.index, 3);
}

TEST_F(DispatchTest, QueryCellMarksReportsTheRowsMarks) {
    // The warning mark comes from the row; error and warning bits of a previous paint are
    // cleared first.
    EXPECT_TRUE(CellHasWarning(kCategoryNone, CL_Null, 0, kRegistry));
    EXPECT_FALSE(CellHasError(kCategoryNone, CL_Null, 0, kRegistry));
    EXPECT_FALSE(CellHasWarning(kCategoryNone, 400, 0, kRegistry));
}

TEST(CategoryToRecordKind, FollowsTheTableAndTheModel) {
    testsupport::RecordingBoxes boxes;
    EXPECT_EQ(CategoryToRecordKind(CT_Null, MT_Lmr), RK_None);
    EXPECT_EQ(CategoryToRecordKind(CT_2Tone_Code, MT_Lmr), RK_2ToneCode);
    EXPECT_EQ(CategoryToRecordKind(CT_2ToneTX_Common, MT_Lmr), RK_2ToneTxCommon);
    EXPECT_EQ(CategoryToRecordKind(CT_UserTone, MT_Lmr), RK_UserTone);
    EXPECT_EQ(CategoryToRecordKind(CT_MDC_Alias, MT_Lmr), RK_MdcAlias);
    EXPECT_EQ(CategoryToRecordKind(kCategoryNone, MT_Lmr), RK_None);
    const uint32_t channelKinds[] = {RK_ChLmr, RK_ChPmr, RK_ChVaskPmr, RK_ChMdcLmr, RK_ChMdcPmr};
    for (int model = 0; model < 5; ++model) {
        EXPECT_EQ(CategoryToRecordKind(CT_Mch, static_cast<ModelType>(model)), channelKinds[model]);
        EXPECT_EQ(CategoryToRecordKind(CT_Mch_Check, static_cast<ModelType>(model)),
                  channelKinds[model]);
    }
    EXPECT_EQ(CategoryToRecordKind(CT_Mch, static_cast<ModelType>(7)), RK_None);
    EXPECT_THROW(CategoryToRecordKind(23, MT_Lmr), platform::FatalError);
    EXPECT_THROW(CategoryToRecordKind(-1, MT_Lmr), platform::FatalError);
    EXPECT_EQ(boxes.fatals.back(), "Unknown Cell Category. (-1)");
}

TEST_F(DispatchTest, RunCellKeyPressesTheKeyOnTheCell) {
    EXPECT_EQ(RunCellKey(nullptr, kKeyEnter, kRegistry), 0);
    cell.category = CT_Scan;
    cell.item = CL_ScanList_Text;
    EXPECT_EQ(RunCellKey(&cell, kKeyEnter, kRegistry), 1);
    EXPECT_EQ(seen.key, kKeyEnter);
    EXPECT_EQ(changes.size(), 0u);  // no notification from a one-shot run
}

TEST(cmcCellCapsule, ClearAndCopyKeepTheBankContext) {
    cmcCellCapsule a;
    a.bankContext = 5;
    a.key = 13;
    a.marks = 0xF0;
    a.outText = "x";
    cmcCellCapsule b;
    b.marks = 0x0F;
    b.key = 7;
    b.inText = "typed";
    b.bankContext = 9;
    a.CopyFrom(b);
    EXPECT_EQ(a.bankContext, 5);
    EXPECT_EQ(a.marks, 0xFF);
    EXPECT_EQ(a.key, 7);
    EXPECT_EQ(a.inText, "typed");
    a.Clear();
    EXPECT_EQ(a.bankContext, 5);
    EXPECT_EQ(a.key, 0);
    EXPECT_EQ(a.inText, "");
}

}  // namespace
