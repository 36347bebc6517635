#include "radio/image/DottedText.h"

#include <gtest/gtest.h>

#include <vector>

#include "radio/image/ImageLayout.h"
#include "radio/image/cmcEeprom.h"

namespace {

TEST(DottedText, DottedBytesDecodeToTwiceTheirLengthAtMost) {
    struct Case {
        std::vector<uint8_t> bytes;
        std::string text;
    } cases[] = {
        {{0x41, 0xC2}, "AB."},
        {{0x80, 0x41}, ".A"},
        {{0x41, 0x80, 0xA0}, "A . ."},
        {std::vector<uint8_t>(8, 0xC1), "A.A.A.A.A.A.A.A."},  // the worst case: 16 characters
        {std::vector<uint8_t>(8, 0xA0), ". . . . . . . ."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecodeDottedText(c.bytes), c.text);
    }
}

TEST(DottedText, NonPrintableCharactersAreStarredOrBlanked) {
    EXPECT_EQ(StarNonPrintable("A\x01"
                               "B\x7f"
                               "CD",
                               4),
              "A*B*");
    EXPECT_EQ(StarNonPrintable("AB", 8), "AB");
    std::vector<uint8_t> bytes = {'A', 0x10, 0x7F, 0xC1, 'z'};
    BlankNonPrintable(bytes);
    EXPECT_EQ(bytes, (std::vector<uint8_t>{'A', ' ', ' ', ' ', 'z'}));
    EXPECT_TRUE(IsAllSpaces(std::vector<uint8_t>(8, ' ')));
    EXPECT_FALSE(IsAllSpaces(std::vector<uint8_t>{' ', 0}));
}

TEST(DottedText, BankLabelsShowTheNumberAndTheDecodedName) {
    cmcEeprom image;
    image.Resize(layout::kImageSize);
    const uint8_t name[] = {'C', 'H', 0xB1, 0x01, ' ', ' ', ' ', ' '};
    image.WriteBlock(layout::kBankNameArea.At(2), name, 8);
    EXPECT_EQ(FormatBankLabel(image, 2), "3: CH1.*    ");
}

}  // namespace
