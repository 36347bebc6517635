#include "radio/sheet/SheetSelector.h"

#include <gtest/gtest.h>

namespace {

TEST(SheetSpecTest, SplitsStyleNameAndArguments) {
    struct Case {
        const char* spec;
        SheetSelector expected;
    };
    const Case cases[] = {
        {"GI_Sheet_Scan,3,x", {"", "GI_Sheet_Scan", "3,x"}},
        {"[St_Common]GI_Sheet_Common", {"St_Common", "GI_Sheet_Common", ""}},
        {"[St_ChBank]GI_Sheet_Mch_Pmr,Bank 2", {"St_ChBank", "GI_Sheet_Mch_Pmr", "Bank 2"}},
        {"[St_Common GI_Sheet", {"", "[St_Common GI_Sheet", ""}},
        {"GI_Sheet,", {"", "GI_Sheet", ""}},
        {"", {"", "", ""}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SplitSheetSpec(c.spec), c.expected) << c.spec;
    }
}

}  // namespace
