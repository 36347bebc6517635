#include "radio/sheet/SheetStyle.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

TEST(SheetStyleTest, ItemsSetTheirFieldsByPrefixAndNoPrintOnlyWhole) {
    struct Case {
        const char* item;
        std::function<bool(const SheetStyle&)> holds;
    };
    const Case cases[] = {
        {"FixedCols=9", [](const SheetStyle& s) { return s.fixedCols == 9; }},
        {"FixedRowsX=2", [](const SheetStyle& s) { return s.fixedRows == 2; }},
        {"FixedCols", [](const SheetStyle& s) { return s.fixedCols == 0; }},
        {"PrintFontRatio=50", [](const SheetStyle& s) { return s.printFontRatio == 50; }},
        {"MultiSelect=Line", [](const SheetStyle& s) { return s.multiSelect == MS_Line; }},
        {"MultiSelect=Cell", [](const SheetStyle& s) { return s.multiSelect == MS_Cell; }},
        {"MultiSelect=line", [](const SheetStyle& s) { return s.multiSelect == MS_None; }},
        {"NoPrint", [](const SheetStyle& s) { return s.noPrint; }},
        {"NoPrintNow", [](const SheetStyle& s) { return !s.noPrint; }},
        {"TitleString=Channels", [](const SheetStyle& s) { return s.title == "Channels"; }},
        {"TitleString=", [](const SheetStyle& s) { return !s.title; }},
        {"TitleColor=clRed", [](const SheetStyle& s) { return s.titleColour == 0x0000FFu; }},
        {"TitleFont=,Liberation Sans,,-20,,,",
         [](const SheetStyle& s) { return s.titleFont && s.titleFont->height == -20; }},
    };
    for (const Case& c : cases) {
        SheetStyle style;
        EXPECT_TRUE(style.Apply(c.item)) << c.item;
        EXPECT_TRUE(c.holds(style)) << c.item;
    }
}

// The sheet refuses a style whose number does not fit.
TEST(SheetStyleTest, AnOverflowingNumberIsRefused) {
    for (const char* item :
         {"FixedCols=99999999999", "FixedRows=-2147483649", "PrintFontRatio=4294967296"}) {
        SheetStyle style;
        EXPECT_FALSE(style.Apply(item)) << item;
    }
    SheetStyle style;
    EXPECT_TRUE(style.Apply("FixedCols=2147483647"));
    EXPECT_EQ(style.fixedCols, 2147483647);
}

}  // namespace
