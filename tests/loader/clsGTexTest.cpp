#include "loader/clsGTex.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

const std::string kLong(1500, 'x');

const std::array<const char*, 17> kTable = {
    "// comment", "#Title", "Loader", "#Trailing ",  "with blank", "#Steps",
    "s0",         "s1",     "#",      "s3",          "#Long",      kLong.c_str(),
    "#Dup",       "first",  "#Dup",   "#End_Of_Ovl", "#Hidden",
};

class clsGTexTest : public ::testing::Test {
protected:
    clsGTexTest() { table.SetLines(kTable); }
    clsGTex table;
};

TEST_F(clsGTexTest, ReadsLinesAfterTheKey) {
    EXPECT_EQ(table.GetLine("Title", 0), "Loader");
    EXPECT_EQ(table.GetLine("Trailing ", 0), "with blank");
    EXPECT_EQ(table.GetLine("Dup", 0), "first");
    // No section boundary: line n may be the next key line.
    EXPECT_EQ(table.GetLine("Title", 1), "#Trailing ");
    EXPECT_EQ(table.GetLine("Steps", 2), "#");
}

TEST_F(clsGTexTest, GoingBackRestartsAtTheKeyLine) {
    EXPECT_EQ(table.GetLine("Steps", 3), "s3");
    EXPECT_EQ(table.GetLine("Steps", 1), "s1");
    EXPECT_EQ(table.GetLine("Steps", 0), "s0");
    EXPECT_EQ(table.GetLine("Steps", 3), "s3");
}

TEST_F(clsGTexTest, MissingKeysAndLinesGiveTheErrorTextAndReadingGoesOn) {
    const std::string error = clsGTex::kErrorText;
    EXPECT_EQ(error, "**** ERROR !!! ****");
    EXPECT_EQ(table.GetLine("Trailing", 0), error);
    EXPECT_EQ(table.GetLine("Hidden", 0), error);  // after the end of the index
    EXPECT_EQ(table.GetLine("", 0), error);        // "#" alone is no key
    EXPECT_EQ(table.GetLine("Title", -1), error);
    // Reading past the last line of the array never leaves the array.
    EXPECT_EQ(table.GetLine("End_Of_Ovl", 0), "#Hidden");
    EXPECT_EQ(table.GetLine("End_Of_Ovl", 1), error);
    EXPECT_EQ(table.GetLine("Dup", 100), error);
    EXPECT_EQ(table.GetLine("Title", 0), "Loader");
}

TEST_F(clsGTexTest, LongLineIsCut) {
    EXPECT_EQ(table.GetLine("Long", 0), std::string(clsGTex::kMaxLineChars, 'x'));
}

TEST(clsGTexBindingTest, BindsOnceAndUnboundReaderGivesTheErrorText) {
    clsGTex table;
    EXPECT_EQ(table.GetLine("Title", 0), clsGTex::kErrorText);
    clsGTex bound;
    EXPECT_EQ(bound.SetLines(kTable), 1);
    const std::array<const char*, 3> other = {"#Title", "Other", "#End_Of_Ovl"};
    EXPECT_EQ(bound.SetLines(other), 0);
    EXPECT_EQ(bound.GetLine("Title", 0), "Loader");
}

}  // namespace
