// The guards of the program's memory map: each code has one row at most and names an item,
// and every choice list a row shows is in the joined text table with entries of its answer
// item. (The item codes and their names are one list, checked while compiling.)
#include <gtest/gtest.h>

#include <set>

#include "common/MainGTex.h"
#include "common/cmcGTex.h"
#include "radio/cells/CellNames.h"
#include "radio/memmap/ItemRegistry.h"
#include "radio/memmap/RowLists.h"
#include "radio/memmap/cmcFCache.h"
#include "tests/support/RecordingBoxes.h"
#include "tests/support/ScopedInstall.h"

namespace {

using namespace memmap;

TEST(MemoryMapGuard, EveryRowsCodeNamesAnItemOnce) {
    testsupport::RecordingBoxes boxes;
    const std::vector<const ItemRow*> rows = ItemRegistry::Program().Rows();
    ASSERT_FALSE(rows.empty());
    std::set<int> codes;
    for (const ItemRow* row : rows) {
        EXPECT_FALSE(CellItemCodeToName(row->code).empty()) << row->code;
        EXPECT_TRUE(codes.insert(row->code).second) << row->code;
    }
    EXPECT_TRUE(boxes.fatals.empty());
}

TEST(MemoryMapGuard, TwoGroupsWithARowForOneCodeAreRefused) {
    testsupport::RecordingBoxes boxes;
    static constexpr ItemRow kGroupA[] = {Choice(CL_Comm_Tot_Beep, 379, 0x10, "List")};
    static constexpr ItemRow kGroupB[] = {Choice(CL_Comm_Tot_Beep, 379, 0x10, "List")};
    static constexpr ItemRow kNoName[] = {Choice(kCellItemCount, 379, 0x10, "List")};
    static_assert(CodesNamedOnce(kGroupA));
    static_assert(!CodesNamedOnce(kNoName));
    EXPECT_THROW((ItemRegistry{kGroupA, kGroupB}), platform::FatalError);
    EXPECT_THROW((ItemRegistry{kNoName}), platform::FatalError);
    EXPECT_EQ(boxes.fatals[0], "Memory map row 297 is out of range or given twice.");
}

TEST(MemoryMapGuard, EveryChoiceListOfARowIsInTheJoinedTable) {
    testsupport::RecordingBoxes boxes;
    cmcGTex table;
    table.SetFileName(MERROW_DATA_DIR "/Tarnwick.OVL");
    testsupport::ScopedMainGTex installed{&table};
    cmcFCache choices;
    int lists = 0;
    for (const ItemRow* row : ItemRegistry::Program().Rows()) {
        for (const RowList& used : ListsOfRow(*row)) {
            ++lists;
            const ChoiceList* list = nullptr;
            EXPECT_NO_THROW(list = &choices.GetList(used.list, used.item))
                << CellItemCodeToName(row->code) << " names " << used.list;
            if (list) {
                EXPECT_FALSE(list->byValue.empty())
                    << used.list << " holds no entry of item " << used.item;
            }
        }
    }
    EXPECT_GT(lists, 0);
}

TEST(MemoryMapGuard, ARowNamesTheListsItsConverterReads) {
    EXPECT_EQ(ListsOfRow(ModelChoice(1, Byte(2), "Pmr", "Lmr")),
              (std::vector<RowList>{{"Pmr", Flex0}, {"Lmr", Flex0}}));
    EXPECT_EQ(ListsOfRow(AbcCode(1, Byte(2))),
              (std::vector<RowList>{{kAbcSelectionList, Flex0}, {kAbcCodeList, Flex1}}));
    EXPECT_EQ(ListsOfRow(KeyAssign(1, Byte(2))).size(), 7u);
    EXPECT_TRUE(ListsOfRow(Timer(1, Byte(2), {})).empty());
}

}  // namespace
