#include "radio/app/MakerWord.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Feeds the text and reports at which characters the word was complete.
std::string Hits(MakerWord& word, const std::string& typed) {
    std::string hits;
    for (char ch : typed) {
        hits += word.Take(ch) ? '1' : '.';
    }
    return hits;
}

TEST(MakerWord, TheLastSevenTypedCharactersInAnyCase) {
    MakerWord word;
    EXPECT_EQ(Hits(word, "xxHeArKeNhearke"), "........1......");
    EXPECT_EQ(Hits(word, "n"), "1");
    MakerWord other;
    EXPECT_EQ(Hits(other, "hearke n"), "........");
}

TEST(MakerWord, TheCommandLineSwitch) {
    EXPECT_TRUE(MakerWord::IsSwitch("/hearken"));
    EXPECT_TRUE(MakerWord::IsSwitch("/HEARKEN"));
    EXPECT_FALSE(MakerWord::IsSwitch("hearken"));
    EXPECT_FALSE(MakerWord::IsSwitch("/hearken2"));
    EXPECT_FALSE(MakerWord::IsSwitch(""));
}

}  // namespace
