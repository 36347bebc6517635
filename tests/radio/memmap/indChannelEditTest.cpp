#include "radio/memmap/indChannelEdit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "radio/cells/CellCodes.h"
#include "radio/cells/cmcCellCapsule.h"
#include "radio/cells/cmcCellObj.h"
#include "radio/image/ImageLayout.h"
#include "radio/memmap/ItemRegistry.h"
#include "radio/memmap/indActiveCell.h"
#include "radio/records/datCh.h"
#include "tests/radio/support/ChannelRig.h"

// The pop-up menu's list edits, run through the dispatcher as a sheet runs them: on bank 1 of
// the rig (positions 3..7, of which 6 and 7 unused), on the MDC alias list and on the DTMF
// list.
namespace {

using platform::BoxAnswer;
using radiotest::ChannelRig;
using Range = std::pair<int, int>;

constexpr BoxAnswer kOk = BoxAnswer::Ok;
constexpr BoxAnswer kCancel = BoxAnswer::Cancel;
constexpr int kCopy = CL_PMenu_Copy;
constexpr int kPaste = CL_PMenu_Paste;
constexpr int kUp = CL_PMenu_CarryUp;
constexpr int kDown = CL_PMenu_CarryDown;
constexpr int kClear = CL_PMenu_Clear;
constexpr int kDelete = CL_PMenu_Delete;
constexpr int kInsert = CL_PMenu_Insert;

struct Step {
    int command;
    int index;
    int selLow = -1;  // -1: no lines selected
    int selHigh = -1;
    int category = CT_Mch;
};

struct Outcome {
    std::optional<Range> marked;
    std::optional<int> redirect;
};

const ItemRegistry& NoRows() {
    static const ItemRegistry rows{};
    return rows;
}

// One command as the sheet hands it to the dispatcher; the queued events are delivered.
Outcome RunStep(ChannelRig& rig, const Step& step) {
    cmcCellObj cell;
    cell.category = step.category;
    cell.item = CL_Null;
    cell.index = step.index;
    cmcCellCapsule capsule;
    capsule.cell = &cell;
    capsule.command = step.command;
    if (step.selLow >= 0) {
        capsule.selFlags = kSelRange;
        capsule.selLow = step.selLow;
        capsule.selHigh = step.selHigh;
    }
    indActiveCell(NoRows()).DispatchItem(capsule, 1);
    rig.Pump();
    Outcome outcome;
    if (capsule.selFlags & kSelMarkLines) {
        outcome.marked = Range{capsule.selLow, capsule.selHigh};
    }
    if (capsule.redirect) {
        outcome.redirect = capsule.redirectIndex;
    }
    return outcome;
}

struct EditCase {
    const char* name;
    std::vector<Step> steps;
    std::vector<BoxAnswer> answers;
    std::vector<std::string> boxes;   // keys of the boxes shown
    std::vector<std::string> status;  // keys of the status texts shown
    std::vector<int> tags;            // channel positions 0..11 afterwards
    std::vector<int> banks;           // sizes of banks 0..2 afterwards
    Outcome last;                     // what the last step asked of the sheet
    std::function<void(cmcEeprom&)> prepare = nullptr;
};

const std::vector<int> kBefore = {1, 2, 3, 4, 5, 6, 0, 0, 9, 10, 0, 0};
const std::vector<int> kBanks = {3, 5, 2};

void NamePriorityA(cmcEeprom& image) {
    image.GetData()[layout::kAttr0Channel] = 4;
}

const std::vector<EditCase>& ChannelCases() {
    static const std::vector<EditCase> cases = {
        {"copy of lines reaching above the bank copies its own; pasting on empty lines asks "
         "nothing",
         {{kCopy, 3, 2, 4}, {kPaste, 6}},
         {},
         {},
         {"GI_AppMess_S_Copy", "GI_AppMess_S_Paste"},
         {1, 2, 3, 4, 5, 6, 4, 5, 9, 10, 0, 0},
         kBanks,
         {Range{6, 7}, {}}},
        {"paste of more lines than the bank has left pastes what fits",
         {{kCopy, 3, 3, 5}, {kPaste, 7}},
         {},
         {},
         {"GI_AppMess_S_Copy", "GI_AppMess_S_Paste"},
         {1, 2, 3, 4, 5, 6, 0, 4, 9, 10, 0, 0},
         kBanks,
         {Range{7, 7}, {}}},
        {"paste onto a used line asks; Cancel keeps it",
         {{kCopy, 3}, {kPaste, 5}},
         {kCancel},
         {"GI_AppMess_Conv_Overwrite"},
         {"GI_AppMess_S_Copy"},
         kBefore,
         kBanks,
         {}},
        {"paste onto a used line asks; OK replaces it",
         {{kCopy, 3}, {kPaste, 5}},
         {kOk},
         {"GI_AppMess_Conv_Overwrite"},
         {"GI_AppMess_S_Copy", "GI_AppMess_S_Paste"},
         {1, 2, 3, 4, 5, 4, 0, 0, 9, 10, 0, 0},
         kBanks,
         {Range{5, 5}, {}}},
        {"paste of records of another kind does nothing",
         {{kCopy, 0, -1, -1, CT_DTMF}, {kPaste, 6}},
         {},
         {},
         {"GI_AppMess_S_Copy"},
         kBefore,
         kBanks,
         {}},
        {"carry up on the bank's first channel does nothing",
         {{kUp, 3}},
         {},
         {},
         {},
         kBefore,
         kBanks,
         {}},
        {"carry down moves the block one down and the line below to its top",
         {{kDown, 4, 3, 4}},
         {},
         {},
         {},
         {1, 2, 3, 6, 4, 5, 0, 0, 9, 10, 0, 0},
         kBanks,
         {Range{4, 5}, 5}},
        {"carry up moves the block one up and the line above below it",
         {{kUp, 5, 4, 5}},
         {},
         {},
         {},
         {1, 2, 3, 5, 6, 4, 0, 0, 9, 10, 0, 0},
         kBanks,
         {Range{3, 4}, 3}},
        {"carry down on the bank's last line does nothing",
         {{kDown, 7}},
         {},
         {},
         {},
         kBefore,
         kBanks,
         {}},
        {"clear asks, then gives the lines the default image's settings",
         {{kClear, 4, 4, 5}},
         {kOk},
         {"GI_AppMess_Conv_Clear"},
         {"GI_AppMess_S_Clear"},
         {1, 2, 3, 4, 0, 0, 0, 0, 9, 10, 0, 0},
         kBanks,
         {}},
        {"clear cancelled changes nothing",
         {{kClear, 4}},
         {kCancel},
         {"GI_AppMess_Conv_Clear"},
         {},
         kBefore,
         kBanks,
         {}},
        {"delete of a used line asks; the later channels move up",
         {{kDelete, 4}},
         {kOk},
         {"GI_AppMess_Conv_Delete"},
         {"GI_AppMess_S_Delete"},
         {1, 2, 3, 4, 6, 0, 0, 9, 10, 0, 0, 0},
         {3, 4, 2},
         {{}, 4}},
        {"delete cancelled changes nothing",
         {{kDelete, 4}},
         {kCancel},
         {"GI_AppMess_Conv_Delete"},
         {},
         kBefore,
         kBanks,
         {}},
        {"delete of unused lines asks nothing",
         {{kDelete, 6, 6, 7}},
         {},
         {},
         {"GI_AppMess_S_Delete"},
         {1, 2, 3, 4, 5, 6, 9, 10, 0, 0, 0, 0},
         {3, 3, 2},
         {{}, 6}},
        {"delete of lines reaching past the bank stops at its end",
         {{kDelete, 6, 6, 9}},
         {},
         {},
         {"GI_AppMess_S_Delete"},
         {1, 2, 3, 4, 5, 6, 9, 10, 0, 0, 0, 0},
         {3, 3, 2},
         {{}, 6}},
        {"delete of lines holding a priority channel is refused",
         {{kDelete, 3, 3, 4}},
         {kOk},
         {"GI_AppMess_Conv_Delete", "GI_AppMess_ChErr_DelPrio"},
         {},
         kBefore,
         kBanks,
         {{}, 3},
         NamePriorityA},
        {"insert opens an empty channel at the cursor",
         {{kInsert, 4}},
         {},
         {},
         {"GI_AppMess_S_Insert"},
         {1, 2, 3, 4, 0, 5, 6, 0, 0, 9, 10, 0},
         {3, 6, 2},
         {Range{4, 4}, {}}},
        {"insert over selected lines opens as many",
         {{kInsert, 4, 4, 5}},
         {},
         {},
         {"GI_AppMess_S_Insert"},
         {1, 2, 3, 4, 0, 0, 5, 6, 0, 0, 9, 10},
         {3, 7, 2},
         {Range{4, 5}, {}}},
        {"insert on the empty line below the bank adds a channel at its end",
         {{kInsert, 8}},
         {},
         {},
         {"GI_AppMess_S_Insert"},
         {1, 2, 3, 4, 5, 6, 0, 0, 0, 9, 10, 0},
         {3, 6, 2},
         {Range{8, 8}, {}}},
        {"copy, clear and delete on the empty line below the bank touch nothing",
         {{kCopy, 8}, {kPaste, 6}, {kClear, 8}, {kDelete, 8}, {kUp, 8}},
         {},
         {},
         {},
         kBefore,
         kBanks,
         {}},
    };
    return cases;
}

Outcome RunSteps(ChannelRig& rig, const std::vector<Step>& steps,
                 const std::vector<BoxAnswer>& answers) {
    for (BoxAnswer answer : answers) {
        rig.boxes.Answer(answer);
    }
    Outcome last;
    for (const Step& step : steps) {
        last = RunStep(rig, step);
    }
    return last;
}

TEST(ChannelEdit, OperationsOnABank) {
    for (const EditCase& c : ChannelCases()) {
        SCOPED_TRACE(c.name);
        ChannelRig rig;
        if (c.prepare) {
            c.prepare(rig.shell.image);
        }
        Outcome last = RunSteps(rig, c.steps, c.answers);
        EXPECT_EQ(rig.BoxTexts(), rig.Texts(c.boxes));
        for (size_t i = 0; i < std::min(c.boxes.size(), rig.boxes.boxes.size()); ++i) {
            const bool question = c.boxes[i].starts_with("GI_AppMess_Conv_");
            EXPECT_EQ(rig.boxes.boxes[i].icon,
                      question ? platform::BoxIcon::Warning : platform::BoxIcon::Error);
            EXPECT_EQ(rig.boxes.boxes[i].buttons,
                      question ? platform::BoxButtons::OkCancel : platform::BoxButtons::Ok);
        }
        EXPECT_EQ(rig.StatusTexts(), rig.Lines(c.status));
        EXPECT_EQ(rig.Tags(RK_ChPmr, 12), c.tags);
        EXPECT_EQ(rig.Banks(3), c.banks);
        EXPECT_EQ(last.marked, c.last.marked);
        EXPECT_EQ(last.redirect, c.last.redirect);
        // Every channel took all of its bytes along; every empty one is the default image's.
        for (int position = 0; position < 12; ++position) {
            EXPECT_EQ(rig.HiddenTag(position), rig.Tag(RK_ChPmr, position)) << position;
        }
        EXPECT_EQ(rig.shell.packs, static_cast<int>(c.steps.size()));
    }
}

TEST(ChannelEdit, TheClipboardKeepsItsCopyForAnotherBank) {
    ChannelRig rig;
    RunStep(rig, {kCopy, 4, 3, 4});
    rig.PutChannel(3, 20);  // a later edit does not reach the copy
    rig.openBank = 2;
    rig.boxes.Answer(kOk);
    Outcome pasted = RunStep(rig, {kPaste, 8});
    EXPECT_EQ(rig.Tags(RK_ChPmr, 10), (std::vector<int>{1, 2, 3, 20, 5, 6, 0, 0, 4, 5}));
    EXPECT_EQ(pasted.marked, (Range{8, 9}));
    EXPECT_EQ(rig.BoxTexts(), rig.Texts({"GI_AppMess_Conv_Overwrite"}));
    EXPECT_TRUE(rig.shell.clipboard.HasKind(RK_ChPmr));
    EXPECT_EQ(rig.shell.clipboard.Count(), 2);
}

TEST(ChannelEdit, PriorityReferencesStayOnPasteAndTravelOnCarry) {
    ChannelRig rig;
    uint8_t* image = rig.shell.image.GetData();
    image[layout::kAttr0Channel] = 5;
    image[layout::kAttr1Channel] = 3;
    RunStep(rig, {kCopy, 3});
    rig.boxes.Answer(kOk);
    RunStep(rig, {kPaste, 5});
    EXPECT_EQ(rig.Tag(RK_ChPmr, 5), 4);
    EXPECT_EQ(image[layout::kAttr0Channel], 5);
    EXPECT_EQ(image[layout::kAttr1Channel], 3);
    RunStep(rig, {kUp, 5});
    EXPECT_EQ(rig.Tags(RK_ChPmr, 6), (std::vector<int>{1, 2, 3, 4, 4, 5}));
    EXPECT_EQ(image[layout::kAttr0Channel], 4);
    EXPECT_EQ(image[layout::kAttr1Channel], 3);
}

TEST(ChannelEdit, DeleteSwitchesTheReferenceOffAndRemovesTheChannelsInOneBulk) {
    ChannelRig rig;
    uint8_t* image = rig.shell.image.GetData();
    image[layout::kSignallingByte] |= layout::kAttr3ClearMask;  // the reference is on
    image[layout::kAttr2Channel] = 5;
    rig.boxes.Answer(kOk);
    RunStep(rig, {kDelete, 4, 4, 5});
    EXPECT_EQ(image[layout::kSignallingByte] & layout::kAttr3ClearMask, 0);
    EXPECT_EQ(rig.Tags(RK_ChPmr, 8), (std::vector<int>{1, 2, 3, 4, 0, 0, 9, 10}));
    std::vector<int> types;
    for (const auto& event : rig.events) {
        if (event.type == EV_DeleteChannel) {
            EXPECT_EQ(event.A, 1);
            EXPECT_EQ(event.B, 4);
        }
        if (event.type == EV_DeleteChannel || event.type == EV_RedrawCellsFrom) {
            EXPECT_TRUE(event.bulkDelete);
        }
        if (event.type != EV_StatusText) {
            types.push_back(event.type);
        }
    }
    const std::vector<int> oneDelete = {EV_DeleteChannel, EV_BankRowRemoved, EV_BankTitle,
                                        EV_RedrawCellsFrom};
    std::vector<int> expected = oneDelete;
    expected.insert(expected.end(), oneDelete.begin(), oneDelete.end());
    expected.push_back(EV_RedrawAllCells);
    EXPECT_EQ(types, expected);
    EXPECT_FALSE(IsBulkChannelDeleteRunning());
}

TEST(ChannelEdit, InsertIntoAFullMemoryInsertsWhatFitsThenSaysSo) {
    ChannelRig rig;
    rig.SetBanks({251, 4});
    Outcome inserted = RunStep(rig, {kInsert, 251, 251, 253});
    EXPECT_EQ(rig.Banks(2), (std::vector<int>{251, 5}));
    EXPECT_EQ(inserted.marked, (Range{251, 251}));
    Outcome refused = RunStep(rig, {kInsert, 252});
    EXPECT_EQ(rig.Banks(2), (std::vector<int>{251, 5}));
    EXPECT_FALSE(refused.marked);
    EXPECT_EQ(rig.BoxTexts(),
              rig.Texts({"GI_AppMess_ChErr_Overflow", "GI_AppMess_ChErr_Overflow"}));
    EXPECT_EQ(rig.StatusTexts(), rig.Lines({"GI_AppMess_S_Insert"}));
}

// Lists of other kinds: the MDC aliases 0..5 carry the ids 1..5 and 0; DTMF entries, which may
// be copied but not cleared, deleted or inserted, the digit counts 1..8.
struct ListCase {
    const char* name;
    int category;
    std::vector<Step> steps;
    std::vector<BoxAnswer> answers;
    std::vector<std::string> boxes;
    std::vector<int> tags;  // records 0..5 afterwards
    int lastTag;            // the list's last record afterwards
    bool lastAliasSet = false;
};

const std::vector<ListCase>& ListCases() {
    static const std::vector<ListCase> cases = {
        {"copied aliases pasted over others, which always asks",
         CT_MDC_Alias,
         {{kCopy, 0, 0, 1}, {kPaste, 3}},
         {kOk},
         {"GI_AppMess_Conv_Overwrite"},
         {1, 2, 3, 1, 2, 0},
         0},
        {"carry down swaps an alias with the next",
         CT_MDC_Alias,
         {{kDown, 0}},
         {},
         {},
         {2, 1, 3, 4, 5, 0},
         0},
        {"clear gives an alias the default image's settings",
         CT_MDC_Alias,
         {{kClear, 2}},
         {kOk},
         {"GI_AppMess_Conv_Clear"},
         {1, 2, 0, 4, 5, 0},
         0},
        {"delete moves the later aliases up within the list",
         CT_MDC_Alias,
         {{kDelete, 1}},
         {kOk},
         {"GI_AppMess_Conv_Delete"},
         {1, 3, 4, 5, 0, 0},
         0},
        {"insert moves the later aliases down within the list",
         CT_MDC_Alias,
         {{kInsert, 1, 1, 2}},
         {},
         {},
         {1, 0, 0, 2, 3, 4},
         0},
        {"insert into a list whose last alias is set is refused",
         CT_MDC_Alias,
         {{kInsert, 1}},
         {},
         {"GI_AppMess_ChErr_ListFull"},
         {1, 2, 3, 4, 5, 0},
         77,
         true},
        {"DTMF entries are copied and pasted, never cleared, deleted or inserted",
         CT_DTMF,
         {{kCopy, 0}, {kPaste, 2}, {kClear, 1}, {kDelete, 1}, {kInsert, 1}},
         {kOk},
         {"GI_AppMess_Conv_Overwrite"},
         {1, 2, 1, 4, 5, 6},
         8},
    };
    return cases;
}

void FillLists(cmcEeprom& image, bool lastAliasSet) {
    datCh record(&image);
    for (int i = 0; i < 5; ++i) {
        record.Load(RK_MdcAlias, i);
        record.id = i + 1;
        record.alias.fill(static_cast<uint8_t>('A' + i));
        record.Store();
    }
    if (lastAliasSet) {
        record.Load(RK_MdcAlias, datCh::GetKindMax(RK_MdcAlias));
        record.id = 77;
        record.Store();
    }
    for (int i = 0; i <= datCh::GetKindMax(RK_Dtmf); ++i) {
        record.Load(RK_Dtmf, i);
        record.digitCount = i + 1;
        record.Store();
    }
}

TEST(ChannelEdit, OperationsOnOtherLists) {
    for (const ListCase& c : ListCases()) {
        SCOPED_TRACE(c.name);
        ChannelRig rig;
        const uint32_t kind = CategoryToRecordKind(c.category, MT_Pmr);
        FillLists(rig.shell.image, c.lastAliasSet);
        std::vector<Step> steps = c.steps;
        for (Step& step : steps) {
            step.category = c.category;
        }
        RunSteps(rig, steps, c.answers);
        EXPECT_EQ(rig.BoxTexts(), rig.Texts(c.boxes));
        EXPECT_EQ(rig.Tags(kind, 6), c.tags);
        EXPECT_EQ(rig.Tag(kind, datCh::GetKindMax(kind)), c.lastTag);
        EXPECT_EQ(rig.Tags(RK_ChPmr, 12), kBefore);  // no channel moved
        EXPECT_EQ(rig.Banks(3), kBanks);
    }
}

}  // namespace
