#include "common/TextHelpers.h"

#include <gtest/gtest.h>

#include <map>

#include "platform/LeadByte.h"

namespace {

using Token = std::optional<std::string>;

// Double-byte cases run under the Shift-JIS lead-byte rule: 0x81 is a lead byte, and the
// byte after it belongs to the same character.
class ShiftJis : public ::testing::Test {
protected:
    ShiftJis() { platform::SetLeadByteRule(platform::LeadByteRule::ShiftJis); }
    ~ShiftJis() override { platform::SetLeadByteRule(platform::LeadByteRule::None); }
};

TEST(GetToken, SplitsIntoFields) {
    struct Case {
        const char* text;
        int n;
        Token token;
    };
    const Case cases[] = {
        {"", 0, ""},       {"", 1, std::nullopt},     {"a,,b", 0, "a"}, {"a,,b", 1, ""},
        {"a,,b", 2, "b"},  {"a,,b", 3, std::nullopt}, {"a,", 1, ""},    {"a,", 2, std::nullopt},
        {"abc", 0, "abc"}, {"abc", -1, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GetToken(c.text, ',', c.n), c.token) << c.text << " " << c.n;
    }
}

TEST_F(ShiftJis, GetTokenDoesNotSplitInsideADoubleByteCharacter) {
    // "\x81," is one character; the comma after it separates.
    const std::string text = "x\x81,y,z";
    EXPECT_EQ(GetToken(text, ',', 0), "x\x81,y");
    EXPECT_EQ(GetToken(text, ',', 1), "z");
    EXPECT_EQ(GetToken(text, ',', 2), std::nullopt);
    // Judged from each field's start: the lead byte at the end of field 0 is alone.
    EXPECT_EQ(GetToken("\x81\x81\x81,a,b", ',', 1), "b");
    // A lead byte as the last byte cannot take the separator with it past the end.
    EXPECT_EQ(GetToken("a,\x81", ',', 1), "\x81");
}

TEST_F(ShiftJis, GetTokenBySetSkipsSecondBytes) {
    const std::string text = "a\x81;b;c d";
    EXPECT_EQ(GetTokenBySet(text, "; ", 0), "a\x81;b");
    EXPECT_EQ(GetTokenBySet(text, "; ", 1), "c");
    EXPECT_EQ(GetTokenBySet(text, "; ", 2), "d");
    EXPECT_EQ(GetTokenBySet(text, "; ", 3), std::nullopt);
}

TEST(GetToken, WithoutALeadByteRuleEveryByteIsACharacter) {
    EXPECT_EQ(GetToken("x\x81,y", ',', 1), "y");
}

TEST(Blanks, SkipTrimAndRemove) {
    EXPECT_EQ(SkipBlanks(" \t a b "), "a b ");
    EXPECT_EQ(SkipBlanks(" \t"), "");
    const std::map<std::string, std::string> trimmed = {
        {" \t a b \t ", "a b"}, {" \t ", ""}, {"", ""}, {"ab", "ab"}, {"a\n ", "a\n"}};
    for (const auto& [in, out] : trimmed) {
        std::string text = in;
        EXPECT_EQ(TrimBlanks(text), out) << in;
    }
    std::string text = " a\tb c ";
    EXPECT_EQ(RemoveBlanks(text), "abc");
}

TEST_F(ShiftJis, TrimBlanksKeepsASecondByteThatIsABlank) {
    std::string text = " a\x81  \t";
    EXPECT_EQ(TrimBlanks(text), "a\x81 ");
}

TEST(DupString, CopiesAndPads) {
    EXPECT_EQ(DupString(nullptr), "");
    EXPECT_EQ(DupString("abc"), "abc");
    EXPECT_EQ(DupStringN(nullptr, 3), "");
    EXPECT_EQ(DupStringN("abcdef", 3), "abc");
    EXPECT_EQ(DupStringN("ab", 5), "ab");
    EXPECT_EQ(DupStringN("ab", 0), "");
}

TEST(HexTextToBuff, PairsDigitsAndIgnoresTheRest) {
    struct Case {
        const char* text;
        std::vector<uint8_t> bytes;
    };
    const Case cases[] = {
        {"12 3g4", {0x12, 0x34}},
        {"ABC", {0xAB, 0xC0}},
        {"fF-0a", {0xFF, 0x0A}},
        {"", {}},
        {"xyz", {}},
    };
    for (const Case& c : cases) {
        const cmcBuff buff = HexTextToBuff(c.text);
        const std::vector<uint8_t> got(buff.GetData(), buff.GetData() + buff.GetLength());
        EXPECT_EQ(got, c.bytes) << c.text;
    }
}

// Width 10 per character, height 12 per line (an empty line too).
class FixedMeasurer : public TextMeasurer {
public:
    int TextWidth(std::string_view line) const override {
        return 10 * static_cast<int>(line.size());
    }
    int TextHeight(std::string_view) const override { return 12; }
};

TEST(MeasureTextBlock, WidestLineAndSummedHeights) {
    const FixedMeasurer canvas;
    int width = -1;
    int height = -1;
    MeasureTextBlock(canvas, "ab\nabcd\n\nc", width, height);
    EXPECT_EQ(width, 40);
    EXPECT_EQ(height, 48);
    MeasureTextBlock(canvas, "", width, height);
    EXPECT_EQ(width, 0);
    EXPECT_EQ(height, 0);
}

TEST(SmallTests, PrintableAndRange) {
    EXPECT_FALSE(IsPrintableAscii(0x1F));
    EXPECT_TRUE(IsPrintableAscii(0x20));
    EXPECT_TRUE(IsPrintableAscii(0x7E));
    EXPECT_FALSE(IsPrintableAscii(0x7F));
    EXPECT_FALSE(IsPrintableAscii(0xA0));
    EXPECT_TRUE(InRange(5, 5, 5));
    EXPECT_FALSE(InRange(4, 5, 6));
    EXPECT_FALSE(InRange(7, 5, 6));
}

// Whole sequences only: a broken or cut one is a byte at a time, so no byte is ever skipped.
TEST(Utf8CharLength, StepsOverWholeSequences) {
    const struct {
        const char* text;
        std::size_t at;
        std::size_t length;
    } cases[] = {
        {"a", 0, 1},
        {"Caf\xC3\xA9", 3, 2},
        {"\xE2\x82\xAC!", 0, 3},
        {"\xF0\x9F\x98\x80", 0, 4},
        {"\xC3", 0, 1},              // cut at the end
        {"\xE2\x82", 0, 1},          // cut at the end
        {"\xC3(", 0, 1},             // no continuation byte
        {"\xA9", 0, 1},              // a continuation byte alone
        {"\xC0\x80", 0, 1},          // an overlong form
        {"\xF5\x80\x80\x80", 0, 1},  // beyond Unicode
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8CharLength(c.text, c.at), c.length) << c.text;
    }
}

TEST(Nibbles, GetAndSet) {
    uint8_t bytes[] = {0x12, 0x34};
    EXPECT_EQ(GetNibble(bytes, 0), 0x1);
    EXPECT_EQ(GetNibble(bytes, 1), 0x2);
    EXPECT_EQ(GetNibble(bytes, 3), 0x4);
    SetNibble(bytes, 3, 0x1F);
    EXPECT_EQ(bytes[1], 0x3F);
    SetNibble(bytes, 0, 0xA);
    EXPECT_EQ(bytes[0], 0xA2);
}

TEST(WindowPlacement, CentresAndKeepsInsideTheWorkArea) {
    const WindowRect work{0, 30, 1000, 700};
    // Centred over the other window; odd differences round towards zero.
    EXPECT_EQ(CentreControl({0, 0, 101, 51}, {100, 100, 300, 200}, work),
              (WindowRect{199, 174, 101, 51}));
    // Towards zero also when the control is wider than the other window.
    EXPECT_EQ(CentreControl({0, 0, 105, 10}, {500, 500, 100, 10}, work),
              (WindowRect{498, 500, 105, 10}));
    // Off the right and bottom edges: pulled back in.
    EXPECT_EQ(KeepInWorkArea({950, 700, 100, 100}, work), (WindowRect{900, 630, 100, 100}));
    // Off the left and top edges.
    EXPECT_EQ(KeepInWorkArea({-5, 0, 100, 100}, work), (WindowRect{0, 30, 100, 100}));
    // Larger than the work area: top-left corner on the area's.
    EXPECT_EQ(CentreControl({0, 0, 1200, 900}, {100, 100, 300, 200}, work),
              (WindowRect{0, 30, 1200, 900}));
}

// A main window's saved place: 16 pixels stay reachable at either side, the top never lies
// above the work area.
TEST(WindowPlacement, AMainWindowStaysReachable) {
    const WindowRect work{10, 30, 1000, 700};  // right 1010, bottom 730
    const struct {
        WindowRect saved;
        WindowRect placed;
    } cases[] = {
        {{100, 100, 600, 400}, {100, 100, 600, 400}},
        {{2000, 100, 600, 400}, {994, 100, 600, 400}},   // far right: 16 inside the right edge
        {{-700, 100, 600, 400}, {-574, 100, 600, 400}},  // far left: 16 pixels of it show
        {{-574, 100, 600, 400}, {-574, 100, 600, 400}},  // 16 pixels show already
        {{100, 5000, 600, 400}, {100, 714, 600, 400}},   // far down
        {{100, -50, 600, 400}, {100, 30, 600, 400}},     // above the work area
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KeepWindowReachable(c.saved, work), c.placed)
            << c.saved.left << "," << c.saved.top;
    }
}

// A pop-up beside a cell of 100 x 20 in a work area from (0, 30) to (1000, 730).
TEST(WindowPlacement, PopupsStandBesideTheirCell) {
    const WindowRect work{0, 30, 1000, 700};
    const struct {
        WindowRect cell;
        int width;
        int height;
        WindowRect placed;
    } cases[] = {
        {{100, 100, 100, 20}, 200, 300, {108, 120, 200, 300}},  // below, 8 pixels in
        {{100, 600, 100, 20}, 200, 300, {108, 300, 200, 300}},  // no room below: above
        {{100, 200, 100, 20}, 200, 600, {108, 130, 200, 600}},  // nor above: flush at the bottom
        {{900, 100, 100, 20}, 200, 300, {800, 120, 200, 300}},  // held inside the right edge
        {{900, 200, 100, 20}, 200, 600, {700, 130, 200, 600}},  // flush at the bottom: at the left
        {{150, 200, 100, 20}, 900, 600, {100, 130, 900, 600}},  // nor at the left
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PlaceBesideCell(c.cell, c.width, c.height, work), c.placed)
            << c.cell.left << "," << c.cell.top;
    }
}

}  // namespace
