#include "radio/cells/BodyOutline.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/LeadByte.h"

namespace {

TEST(BodyOutline, TheFirstPlusGivesTheLevelAndStartsTheDefinition) {
    const struct Case {
        const char* line;
        int level;
        const char* definition;
    } cases[] = {
        {"+A\t{(%CallSheet:X)}", 0, "A\t{(%CallSheet:X)}"},
        {"  +B+C", 2, "B+C"},
        {"abc", 3, ""},
        {"", 0, ""},
        {" +", 1, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BodyLineLevel(c.line), c.level) << c.line;
        EXPECT_EQ(BodyLineDefinition(c.line), c.definition) << c.line;
    }
}

TEST(BodyOutline, ASecondByteIsNeverTakenForThePlus) {
    platform::SetLeadByteRule(platform::LeadByteRule::ShiftJis);
    const std::string line = "\x81+ +Name";  // 0x81 0x2B is one character
    EXPECT_EQ(BodyLineLevel(line), 3);
    EXPECT_EQ(BodyLineDefinition(line), "Name");
    platform::SetLeadByteRule(platform::LeadByteRule::None);
    EXPECT_EQ(BodyLineLevel(line), 1);
}

// A group's nodes as "parent>line" pairs, in the order they are added.
TEST(BodyOutline, GroupsNestByLevelAndEndAtAShallowerOrHashLine) {
    const char* const kTable[] = {
        "#B_Body", "+A", " +B", "  +C", " +D", "+E", "  +F", "#", "#End_Of_Ovl",
    };
    cmcGTex table;
    table.SetLines(kTable);
    std::vector<std::string> added;
    auto add = [&](std::string parent, const std::string& line) {
        const std::string name(BodyLineDefinition(line));
        added.push_back(parent + ">" + name);
        return name;
    };
    EXPECT_EQ(AddBodyGroup(table, "B_Body", 0, std::string("root"), add), 6);
    EXPECT_EQ(added, (std::vector<std::string>{"root>A", "A>B", "B>C", "A>D", "root>E", "E>F"}));
    added.clear();
    EXPECT_EQ(AddBodyGroup(table, "B_Body", 2, std::string("B"), add), 1);  // " +D" is shallower
    EXPECT_EQ(added, std::vector<std::string>{"B>C"});
}

}  // namespace
