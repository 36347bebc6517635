#include "platform/TextFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/LeadByte.h"
#include "platform/TextCompare.h"

namespace {

TEST(TextFile, DropsCarriageReturnBeforeNewline) {
    auto path = std::filesystem::temp_directory_path() / "merrow_textfile_test.txt";
    std::ofstream(path, std::ios::binary) << "one\r\ntwo\rx\nthree";
    platform::TextFile file;
    ASSERT_TRUE(file.Open(path.string()));
    char line[64];
    ASSERT_TRUE(file.ReadLine(line, sizeof line));
    EXPECT_STREQ(line, "one\n");
    EXPECT_EQ(file.Tell(), 5);
    ASSERT_TRUE(file.ReadLine(line, sizeof line));
    EXPECT_STREQ(line, "two\rx\n");
    ASSERT_TRUE(file.ReadLine(line, sizeof line));
    EXPECT_STREQ(line, "three");
    EXPECT_FALSE(file.ReadLine(line, sizeof line));
    ASSERT_TRUE(file.Seek(0));
    ASSERT_TRUE(file.ReadLine(line, 4));
    EXPECT_STREQ(line, "one");
    std::filesystem::remove(path);
}

TEST(LeadByte, ShiftJisRuleKnowsItsLeadBytes) {
    EXPECT_FALSE(platform::IsLeadByte(0x81));
    platform::SetLeadByteRule(platform::LeadByteRule::ShiftJis);
    EXPECT_TRUE(platform::IsLeadByte(0x81));
    EXPECT_TRUE(platform::IsLeadByte(0x9F));
    EXPECT_FALSE(platform::IsLeadByte(0xA0));
    EXPECT_TRUE(platform::IsLeadByte(0xE0));
    EXPECT_TRUE(platform::IsLeadByte(0xFC));
    EXPECT_FALSE(platform::IsLeadByte('|'));
    platform::SetLeadByteRule(platform::LeadByteRule::None);
}

TEST(LeadByte, CharLengthTakesALeadByteWithItsSecondByte) {
    const std::string_view text = "a\x81|\x81";  // the last lead byte has no second byte
    EXPECT_EQ(platform::CharLength(text, 1), 1u) << "no lead bytes under the default rule";
    platform::SetLeadByteRule(platform::LeadByteRule::ShiftJis);
    EXPECT_EQ(platform::CharLength(text, 0), 1u);
    EXPECT_EQ(platform::CharLength(text, 1), 2u);
    EXPECT_EQ(platform::CharLength(text, 3), 1u);
    platform::SetLeadByteRule(platform::LeadByteRule::None);
}

TEST(TextCompare, IgnoresCase) {
    EXPECT_TRUE(platform::EqualsIgnoreCase("/Home/A.dat", "/home/a.DAT"));
    EXPECT_FALSE(platform::EqualsIgnoreCase("/home/a", "/home/ab"));
}

}  // namespace
