#include "loader/clsStrCom.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/LeadByte.h"

namespace {

TEST(clsStrComTest, CountsAndCutsFields) {
    struct Case {
        const char* text;
        const char* delims;
        int fields;
        int n;
        const char* field;
    };
    const Case cases[] = {
        {" +COM &1", "+", 2, 0, " "},
        {" +COM &1", "+", 2, 1, "COM &1"},
        {"+&File", "+", 2, 0, ""},
        {"", "+", 1, 0, ""},
        {"", "+", 1, 1, ""},
        {"Completed        @[OK]@$@$@Completed @(No.@%C@).@$", "@", 9, 3, "$"},
        {"Completed        @[OK]@$@$@Completed @(No.@%C@).@$", "@", 9, 8, "$"},
        {"Completed        @[OK]@$@$@Completed @(No.@%C@).@$", "@", 9, 9, ""},
        {"Product          @!@$@@$@Illegal ESN.", "@", 6, 3, ""},
        {"a,b+c", ",+", 3, 2, "c"},
        {"trailing@", "@", 2, 1, ""},
        {"x@y", "@", 2, -1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " field " + std::to_string(c.n));
        clsStrCom str;
        str.Set(c.text);
        EXPECT_EQ(str.GetText(), c.text);
        EXPECT_EQ(str.CountFields(c.delims), c.fields);
        EXPECT_EQ(str.GetField(c.delims, c.n), c.field);
    }
}

TEST(clsStrComTest, FindDelimiterIsOneBased) {
    clsStrCom str;
    str.Set("ab@cd@");
    EXPECT_EQ(str.FindDelimiter("@", 1), 3);
    EXPECT_EQ(str.FindDelimiter("@", 3), 3);
    EXPECT_EQ(str.FindDelimiter("@", 4), 6);
    EXPECT_EQ(str.FindDelimiter("@", 7), 7);
    EXPECT_EQ(str.FindDelimiter("#", 1), 7);
}

TEST(clsStrComTest, SecondByteOfADoubleByteCharacterIsNoDelimiter) {
    platform::SetLeadByteRule(platform::LeadByteRule::ShiftJis);
    clsStrCom str;
    // 0x81 0x40 is one double-byte character whose second byte is '@'.
    str.Set("a\x81@b@c");
    EXPECT_EQ(str.FindDelimiter("@", 1), 5);
    EXPECT_EQ(str.FindDelimiter("@", 3), 5);
    EXPECT_EQ(str.CountFields("@"), 2);
    EXPECT_EQ(str.GetField("@", 0), "a\x81@b");
    platform::SetLeadByteRule(platform::LeadByteRule::None);
    EXPECT_EQ(str.CountFields("@"), 3);
}

}  // namespace
