#include "radio/image/EscapedText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "radio/glyphs/SegGlyphs.h"

namespace {

using Bytes = std::vector<uint8_t>;

std::string Text(const Bytes& bytes) {
    return BytesToEscapedText(bytes);
}

// Every byte that has a character comes back from its text as itself; a dotted 0 comes back
// as the blank with the dot, which the display shows alike.
TEST(EscapedText, EveryDisplayByteComesBackFromItsText) {
    for (int b = 0; b < 256; ++b) {
        const Bytes one = {static_cast<uint8_t>(b)};
        const std::string text = Text(one);
        if ((b & 0x7F) != 0 && (b & 0x7F) < 16) {
            EXPECT_EQ(text, "") << b;
            continue;
        }
        if (b == 0) {
            EXPECT_EQ(text, "") << b;
            continue;
        }
        for (const unsigned char c : text) {
            EXPECT_TRUE(c >= 0x20 && c <= 0x7E) << "a keyboard types the text of " << b;
        }
        const Bytes back = EscapedTextToBytes(text);
        ASSERT_EQ(back.size(), 1u) << b << " " << text;
        EXPECT_EQ(GlyphPattern(back[0], {}), GlyphPattern(one[0], {})) << b;
        if (b != 0x80) {
            EXPECT_EQ(back[0], b) << text;
        }
    }
}

// Also between other characters, where one character's text runs into the next one's.
TEST(EscapedText, EveryCharacterComesBackBetweenOthers) {
    for (int b = 16; b < 256; ++b) {
        if (b == 0x80 || ((b & 0x7F) != 0 && (b & 0x7F) < 16)) {
            continue;
        }
        for (const uint8_t other : Bytes{'X', '.', '%', 0xC1, 0xAE, 0x10}) {
            const Bytes bytes = {other, static_cast<uint8_t>(b), other};
            EXPECT_EQ(EscapedTextToBytes(Text(bytes)), bytes) << b << " " << Text(bytes);
        }
    }
}

TEST(EscapedText, TextsToBytes) {
    const struct {
        std::string text;
        Bytes bytes;
    } cases[] = {
        {"AB", {'A', 'B'}},
        {"A.B", {0xC1, 'B'}},  // the dot belongs to the character before it
        {"%10", {0x10}},       // user character 0
        {"%1f.", {0x9F}},      // either case, dotted
        {"%41", {'A'}},
        {"%05", {'%', '0', '5'}},  // 05 has no escape: the percent sign and two digits
        {"%7F", {0x7F}},
        {"%ff", {0xFF}},
        {"%%", {'%'}},
        {"%%.", {0xA5}},
        {"%", {'%'}},
        {"%4", {'%', '4'}},
        {"%G1", {'%', 'G', '1'}},
        {".", {0xA0}},  // a dot after no character: a blank with the dot
        {".A", {0xA0, 'A'}},
        {"..", {0xAE}},
        {"A..", {0xC1, 0xA0}},
        {"a\tb\n", {'a', ' ', 'b', ' '}},  // what has no display character is a space
        {"\xE9", {0xE9}},
        {"", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EscapedTextToBytes(c.text), c.bytes) << c.text;
    }
}

TEST(EscapedText, BytesToTexts) {
    const struct {
        Bytes bytes;
        std::string text;
    } cases[] = {
        {{'A', 0x05, 'B'}, "A"},  // 0x05 has no character: the text ends there
        {{'A', 0x00, 'B'}, "A"},
        {{0x10, 0x1F}, "%10%1F"},
        {{'%'}, "%%"},
        {{0xC1, 'B'}, "A.B"},
        {{0x80}, " ."},
        {{0xA0, 'X'}, " .X"},
        {{0x7F, 0xFF, 0x90}, "%7F%7F.%10."},
        {{0x85}, ""},
        {{'X', '.', 0xAE}, "X%2E%2E."},  // a plain "." would dot the X
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Text(c.bytes), c.text);
    }
}

TEST(EscapedText, AtMost255BytesOrCharactersAreConverted) {
    EXPECT_EQ(Text(Bytes(300, 'A')), std::string(255, 'A'));
    EXPECT_EQ(EscapedTextToBytes(std::string(300, 'A')), Bytes(255, 'A'));
    // A dot beyond the limit is not read.
    EXPECT_EQ(EscapedTextToBytes(std::string(255, 'A') + ".").back(), 'A');
}

TEST(EscapedText, CodeClasses) {
    EXPECT_FALSE(IsUserCharCode(15));
    EXPECT_TRUE(IsUserCharCode(16));
    EXPECT_TRUE(IsUserCharCode(31));
    EXPECT_FALSE(IsUserCharCode(32));
    EXPECT_FALSE(IsEscapedCode(126));
    EXPECT_TRUE(IsEscapedCode(127));
    EXPECT_TRUE(IsEscapedCode(255));
    EXPECT_FALSE(IsTextByte(31));
    EXPECT_TRUE(IsTextByte(' '));
    EXPECT_TRUE(IsTextByte(200));
}

}  // namespace
