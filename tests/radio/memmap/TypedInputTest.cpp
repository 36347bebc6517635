#include "radio/memmap/TypedInput.h"

#include <gtest/gtest.h>

namespace {

TEST(TypedInput, OnlyDigitsAndTheAllowedCharactersStay) {
    std::string text = "a1.2-b3:";
    FilterTextChars(text, ".:");
    EXPECT_EQ(text, "1.23:");
    EXPECT_EQ(FilteredText("x-9y", ""), "9");
}

TEST(TypedInput, RoundedNumbersReadNineCharactersHalfAwayFromZero) {
    struct Case {
        const char* typed;
        int value;
    } cases[] = {{"2.5", 3},
                 {"-2.5", -3},
                 {"2.49", 2},
                 {"1 2", 12},
                 {"", 0},
                 {"-", 0},
                 {"1234567891", 123456789},
                 {"12a.5", 13},
                 {"1.2.3", 1},
                 {".5", 1}};
    for (const Case& c : cases) {
        EXPECT_EQ(ParseRoundedInt(c.typed), c.value) << c.typed;
    }
}

TEST(TypedInput, OffIsTwoLettersInAnyCase) {
    EXPECT_TRUE(BeginsWithOff("Off"));
    EXPECT_TRUE(BeginsWithOff("oF"));
    EXPECT_FALSE(BeginsWithOff("o"));
    EXPECT_FALSE(BeginsWithOff(" of"));
}

}  // namespace
