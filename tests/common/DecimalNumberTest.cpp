#include "common/DecimalNumber.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>

namespace {

TEST(DecimalNumberTest, ReadsAsAtolAndHoldsOverflowAtTheBound) {
    struct Case {
        std::string text;
        int value;
        std::size_t end;
        bool outOfRange;
    };
    const Case cases[] = {
        {"42", 42, 2, false},
        {" \t\n\v\f\r+7x", 7, 8, false},
        {"-12 ", -12, 3, false},
        {"", 0, 0, false},
        {"x1", 0, 0, false},
        {"- 5", 0, 0, false},
        {"+-5", 0, 0, false},
        {"007", 7, 3, false},
        {"2147483647", INT_MAX, 10, false},
        {"-2147483648", INT_MIN, 11, false},
        {"2147483648", INT_MAX, 10, true},
        {"-2147483649", INT_MIN, 11, true},
        {"99999999999999999999999999", INT_MAX, 26, true},
        {"-99999999999999999999999999", INT_MIN, 27, true},
        {std::string(1, '\0') + "5", 0, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("'" + c.text + "'");
        const DecimalNumber number = ReadDecimal(c.text);
        EXPECT_EQ(number.value, c.value);
        EXPECT_EQ(number.end, c.end);
        EXPECT_EQ(number.outOfRange, c.outOfRange);
    }
}

TEST(DecimalNumberTest, WholeDecimalTakesOnlyANumberFillingTheText) {
    struct Case {
        const char* text;
        std::optional<int> value;
    };
    const Case cases[] = {
        {"560", 560},
        {"-3", -3},
        {"+10", 10},
        {"-2147483648", INT_MIN},
        {"", std::nullopt},
        {" 5", std::nullopt},
        {"5 ", std::nullopt},
        {"1x", std::nullopt},
        {"-", std::nullopt},
        {"1e3", std::nullopt},
        {"2147483648", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WholeDecimal(c.text), c.value) << "'" << c.text << "'";
    }
}

}  // namespace
