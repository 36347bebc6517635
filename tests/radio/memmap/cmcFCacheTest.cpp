#include "radio/memmap/cmcFCache.h"

#include <gtest/gtest.h>

#include "radio/cells/CellCodes.h"
#include "tests/support/RecordingBoxes.h"
#include "tests/support/ScopedInstall.h"

namespace {

// Sel_Order: item Flex0 holds 5, 1 (line 0), 3 (line 1) and 9 (line 2) in reading order; shown
// column by column that is 5, 3, 9, 1. Item Flex1 holds 7 on the same sheet.
const char* const kTable[] = {
    "#Sel_Order_Cells",
    "{S(%Flex0[5])}Five|{S(%Flex0[1])}One|",
    "{S(%Flex0[3])}Three|{S(%Flex1[7]:Seven)}x|",
    "{S(%CT_Null.Flex0[9]:Nine)}ignored|",
    "#Sel_Dup_Cells",
    "{(%Flex0[2])}First|{(%Flex0[2])}Second|{(%Flex0[2])}Third|{(%Flex0[3])}3|{(%Flex0[4])}4|",
    "#Sel_Numbered_Cells",
    "{(@ch0++)(%Flex0[@ch0])}\\(@ch0+100)|{(@ch0++)(%Flex0[@ch0])}\\(@ch0+100)|",
    "{(@ch0++)(%Flex0[@ch0])}\\(@ch0+100)|",
    "#Sel_NoItem_Cells",
    "{(%Flex1[0])}Off|",
    "#Sel_BadItem_Cells",
    "{(%NoSuchItem[0])}x|",
    "#Sel_BadChannel_Cells",
    "{(%Flex0[@ch10])}x|",
    "#End_Of_Ovl",
};

class FCache : public ::testing::Test {
protected:
    FCache() { table_.SetLines(kTable); }

    int32_t Step(const char* sheet, int32_t value, int32_t step) {
        int32_t result = -999;
        EXPECT_EQ(cache_.StepValue(sheet, Flex0, value, step, result), 1);
        return result;
    }

    testsupport::RecordingBoxes boxes_;
    cmcGTex table_;
    testsupport::ScopedMainGTex tableInstalled_{&table_};
    cmcFCache cache_;
};

TEST_F(FCache, CaptionsByValueWithOptionTextFirst) {
    EXPECT_EQ(cache_.GetCaption("Sel_Order", Flex0, 1), "One");
    EXPECT_EQ(cache_.GetCaption("Sel_Order", Flex0, 3), "Three");
    EXPECT_EQ(cache_.GetCaption("Sel_Order", Flex0, 5), "Five");
    EXPECT_EQ(cache_.GetCaption("Sel_Order", Flex0, 9), "Nine");
    EXPECT_EQ(cache_.GetCaption("Sel_Order", Flex0, 7), "error");
    EXPECT_EQ(cache_.GetCaption("Sel_Order", Flex0, -1), "error");
}

TEST_F(FCache, AnotherItemOfTheSameSheetIsItsOwnList) {
    EXPECT_EQ(cache_.GetCaption("Sel_Order", Flex1, 7), "Seven");
    EXPECT_EQ(cache_.GetCaption("Sel_Order", Flex1, 5), "error");
    std::string text;
    EXPECT_EQ(cache_.FindCaption("Sel_Order", Flex0, 5, text), 0);
    EXPECT_EQ(cache_.GetCaption("Sel_Order", Flex0, 5), "Five");
    EXPECT_EQ(cache_.FindCaption("Sel_Order", Flex0, 5, text), 1);
    EXPECT_EQ(text, "Five");
}

TEST_F(FCache, StepsInColumnOrderAndJumpsPastTheEnds) {
    cache_.GetCaption("Sel_Order", Flex0, 0);
    struct Case {
        int32_t value, step, expected;
    } const cases[] = {
        {5, 1, 3},  {3, 1, 9},   {9, 1, 1},   {1, 1, 5},  // last in column order -> first
        {5, -1, 1}, {3, -1, 5},  {1, -1, 9},              // first -> last
        {9, 10, 5}, {3, -10, 1}, {5, 2, 9},   {5, 0, 5},  // big steps land on an end
        {42, 1, 5}, {42, -1, 5}, {42, -2, 1},             // a value not listed
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Step("Sel_Order", c.value, c.step), c.expected)
            << c.value << " stepped by " << c.step;
    }
}

TEST_F(FCache, EqualValuesShowTheCaptionReadFirst) {
    EXPECT_EQ(cache_.GetCaption("Sel_Dup", Flex0, 2), "First");
    EXPECT_EQ(cache_.GetCaption("Sel_Dup", Flex0, 4), "4");
    EXPECT_EQ(Step("Sel_Dup", 2, 1), 2);  // the first 2 steps to the second one
}

TEST_F(FCache, ChannelVariablesStartAtZeroAndRunThroughTheSheet) {
    EXPECT_EQ(cache_.GetCaption("Sel_Numbered", Flex0, 1), "101");
    EXPECT_EQ(cache_.GetCaption("Sel_Numbered", Flex0, 3), "103");
    EXPECT_EQ(cache_.GetCaption("Sel_Numbered", Flex0, 0), "error");
    EXPECT_EQ(Step("Sel_Numbered", 1, 1), 3);  // column 0 first: 1, 3, then 2
    EXPECT_EQ(Step("Sel_Numbered", 3, 1), 2);
}

TEST_F(FCache, StepValueNeedsABuiltList) {
    int32_t result = -1;
    EXPECT_EQ(cache_.StepValue("Sel_Order", Flex0, 5, 1, result), 0);
    EXPECT_EQ(result, -1);
    EXPECT_EQ(cache_.StepValue("Sel_Order", Flex0, 5, 1, result), 0);  // it built nothing
    cache_.GetCaption("Sel_Order", Flex0, 5);
    EXPECT_EQ(cache_.StepValue("Sel_Order", Flex0, 5, 1, result), 1);
    EXPECT_EQ(result, 3);
}

TEST_F(FCache, AListWithoutEntriesHasNothingToStepTo) {
    EXPECT_EQ(cache_.GetCaption("Sel_NoItem", Flex0, 0), "error");
    int32_t result = -1;
    EXPECT_EQ(cache_.StepValue("Sel_NoItem", Flex0, 0, 1, result), 0);
    EXPECT_EQ(result, -1);
}

TEST_F(FCache, ASheetIsReadOncePerItem) {
    EXPECT_EQ(cache_.GetCaption("Sel_Order", Flex0, 5), "Five");
    const char* const other[] = {"#Sel_Order_Cells", "{(%Flex0[5])}Changed|", "#End_Of_Ovl"};
    cmcGTex changed;
    changed.SetLines(other);
    const testsupport::ScopedMainGTex installed(&changed);
    EXPECT_EQ(cache_.GetCaption("Sel_Order", Flex0, 5), "Five");
    EXPECT_EQ(cache_.GetCaption("Sel_Order", Flex1, 7), "error");  // a new list reads afresh
    EXPECT_EQ(cache_.GetCaption("Sel_Order", Flex0, 1), "One");
}

TEST_F(FCache, AMissingSheetAndBadCellsAreFatal) {
    EXPECT_THROW(cache_.GetCaption("Sel_Missing", Flex0, 0), platform::FatalError);
    EXPECT_THROW(cache_.GetCaption("Sel_BadItem", Flex0, 0), platform::FatalError);
    EXPECT_THROW(cache_.GetCaption("Sel_BadChannel", Flex0, 0), platform::FatalError);
    ASSERT_EQ(boxes_.fatals.size(), 3u);
    EXPECT_EQ(boxes_.fatals[2], "Ch No. Error");
    cache_.BuildList("Sel_Order", Flex0);
    EXPECT_THROW(cache_.BuildList("Sel_Order", Flex0), platform::FatalError);
    EXPECT_EQ(boxes_.fatals.back(), "Overlapped Hash2 table.");
}

TEST_F(FCache, ASheetWithoutNameShowsErrorAndBuildsNothing) {
    std::string text = "kept";
    EXPECT_EQ(cache_.GetCaption("", Flex0, 0), "error");
    EXPECT_EQ(cache_.FindCaption("", Flex0, 0, text), 0);
    EXPECT_EQ(text, "kept");
    EXPECT_TRUE(boxes_.fatals.empty());
}

}  // namespace
