#include "loader/TableNumber.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "loader/clsGTex.h"

namespace {

TEST(TableNumberTest, ReadsWholeNumbersOnly) {
    EXPECT_EQ(TableNumber("560"), 560);
    EXPECT_EQ(TableNumber("  -3"), -3);
    EXPECT_EQ(TableNumber("+10"), 10);
    for (const char* bad :
         {"", "10 ", "1x", "\t5", "+-5", "-", "99999999999", clsGTex::kErrorText}) {
        EXPECT_THROW(TableNumber(bad), std::invalid_argument) << bad;
    }
}

TEST(TableNumberTest, TheFailureNamesTheText) {
    try {
        TableNumber(clsGTex::kErrorText);
        FAIL();
    } catch (const std::invalid_argument& failure) {
        EXPECT_STREQ(failure.what(), "'**** ERROR !!! ****' is not a valid integer value.");
    }
}

}  // namespace
