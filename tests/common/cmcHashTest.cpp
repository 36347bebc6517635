#include "common/cmcHash.h"

#include <gtest/gtest.h>

#include "common/cmcHash2.h"
#include "tests/support/RecordingBoxes.h"

namespace {

TEST(cmcHash, DefaultsTo1031Buckets) {
    EXPECT_EQ(cmcHash(0).BucketCount(), 1031u);
    EXPECT_EQ(cmcHash(101).BucketCount(), 101u);
}

TEST(cmcHash, HashIndexFollowsTheAlgorithm) {
    cmcHash table(101);
    EXPECT_EQ(table.HashIndex(""), 0u);
    // "A" (0x41): c = 0 + 50 + 65 = 115 -> 14.
    EXPECT_EQ(table.HashIndex("A"), 14u);
    // "AB": after 'A' comes 'B' (even): b stays 50; c = 2*115 + 50 + 66 = 346 -> 43.
    EXPECT_EQ(table.HashIndex("AB"), 43u);
    // "AC": 'C' is odd, so b halves to 25 before 'C': c = 230 + 25 + 67 = 322 -> 19.
    EXPECT_EQ(table.HashIndex("AC"), 19u);
    // A byte above 0x7F counts as negative.
    EXPECT_EQ(table.HashIndex("\xFF"), (50u - 1u) % 101u);
}

TEST(cmcHash, FindIsCaseSensitive) {
    cmcHash table(101);
    table.Insert("clRed", 0xFF);
    ASSERT_NE(table.Find("clRed"), nullptr);
    EXPECT_EQ(table.Find("clRed")->value, 0xFF);
    EXPECT_EQ(table.Find("clred"), nullptr);
}

TEST(cmcHash, SameBucketKeysAreBothFoundNewestFirst) {
    cmcHash table(1);
    table.Insert("one", 1);
    table.Insert("two", 2);
    EXPECT_EQ(table.Find("one")->value, 1);
    EXPECT_EQ(table.Find("two")->value, 2);
    EXPECT_EQ(table.Chain(0)->key, "two");
}

TEST(cmcHash, DuplicateKeysAreFatal) {
    testsupport::RecordingBoxes boxes;
    cmcHash table;
    table.Insert("CL_Null", 0);
    EXPECT_THROW(table.Insert("CL_Null", 1), platform::FatalError);
    int record = 3;
    cmcHash2<int> table2;
    table2.Insert("list", &record);
    EXPECT_EQ(table2.Find("list")->value, &record);
    EXPECT_THROW(table2.Insert("list", &record), platform::FatalError);
    ASSERT_EQ(boxes.fatals.size(), 2u);
    EXPECT_EQ(boxes.fatals[0], "Overlapped Hash table.");
    EXPECT_EQ(boxes.fatals[1], "Overlapped Hash2 table.");
}

}  // namespace
