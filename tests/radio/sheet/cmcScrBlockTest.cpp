#include "radio/sheet/cmcScrBlock.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(cmcScrBlock, SplitsTheHeadWordAndTrimmedItems) {
    const struct {
        const char* text;
        const char* head;
        std::vector<std::string> items;
    } cases[] = {
        {"Bank 3", "Bank", {"3"}},
        {"  Bank\t12 ,  a b , ", "Bank", {"12", "a b", ""}},
        {"Bank", "Bank", {}},
        {"", "", {}},
        {"List 1,,2", "List", {"1", "", "2"}},
    };
    for (const auto& c : cases) {
        const cmcScrBlock block(c.text);
        EXPECT_EQ(block.GetHead(), c.head) << c.text;
        ASSERT_EQ(block.Count(), static_cast<int>(c.items.size())) << c.text;
        for (int i = 0; i < block.Count(); ++i) {
            EXPECT_EQ(block.GetItem(i), c.items[static_cast<size_t>(i)]) << c.text;
        }
        EXPECT_EQ(block.GetItem(-1), "");
        EXPECT_EQ(block.GetItem(block.Count()), "");
    }
}

}  // namespace
