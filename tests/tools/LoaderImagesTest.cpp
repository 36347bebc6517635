#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "loader/ImageKey.h"
#include "loader/LoaderImage.h"
#include "tools/loader_images/StandInImages.h"

namespace {

std::vector<uint8_t> Unscrambled(const LoaderImage& image) {
    std::vector<uint8_t> bytes(image.bytes, image.bytes + image.Size());
    ApplyImageKey(bytes.data(), bytes.size(), EmbeddedImageKey());
    return bytes;
}

TEST(LoaderImages, RangesAreTheLoadersOwn) {
    EXPECT_EQ(EmbeddedWriterImage().first, 0xFFC000u);
    EXPECT_EQ(EmbeddedWriterImage().last, 0xFFC5C9u);
    EXPECT_EQ(EmbeddedWriterImage().Size(), 1482u);
    EXPECT_EQ(EmbeddedRomImage().first, 0x7000u);
    EXPECT_EQ(EmbeddedRomImage().last, 0x3FFFFu);
    EXPECT_EQ(EmbeddedRomImage().Size(), 233472u);
}

TEST(LoaderImages, KeyIsPrintable) {
    const uint8_t* key = EmbeddedImageKey();
    for (int i = 0; i < kImageKeyLength; ++i) {
        EXPECT_TRUE(key[i] > 0x20 && key[i] < 0x7F) << i;
    }
}

TEST(LoaderImages, EmbeddedBytesUnscrambleToTheStandIns) {
    const std::vector<uint8_t> rom = Unscrambled(EmbeddedRomImage());
    EXPECT_EQ(Unscrambled(EmbeddedWriterImage()), StandInImages::Writer().bytes);
    EXPECT_EQ(rom, StandInImages::Rom().bytes);
    // Stored scrambled, not in the clear.
    const LoaderImage& image = EmbeddedRomImage();
    EXPECT_FALSE(std::equal(rom.begin(), rom.end(), image.bytes));
}

TEST(LoaderImages, KeyStreamUsesTheRunningSum) {
    const uint8_t key[kImageKeyLength] = {'A', 'B'};  // the rest are 0
    uint8_t bytes[30] = {};
    ApplyImageKey(bytes, sizeof bytes, key);
    EXPECT_EQ(bytes[0], 0x41);
    EXPECT_EQ(bytes[1], 0x83);  // 0x41 + 0x42
    EXPECT_EQ(bytes[26], 0x83);
    EXPECT_EQ(bytes[27], 0xC4);  // the key starts again: 0x83 + 0x41
    ApplyImageKey(bytes, sizeof bytes, key);
    EXPECT_TRUE(std::all_of(bytes, bytes + sizeof bytes, [](uint8_t b) { return b == 0; }));
}

TEST(LoaderImages, RomStandInHasBlankBlocksAndBytesToEscape) {
    const std::vector<uint8_t> rom = StandInImages::Rom().bytes;
    const auto blocks = static_cast<uint32_t>(rom.size() / 128);
    int blank = 0;
    for (uint32_t block = 0; block < blocks; ++block) {
        const auto first = rom.begin() + block * 128;
        const bool isBlank = std::all_of(first, first + 128, [](uint8_t b) { return b == 0xFF; });
        EXPECT_EQ(isBlank, StandInImages::IsBlankRomBlock(block)) << block;
        blank += isBlank;
    }
    EXPECT_GT(blank, 100);
    EXPECT_FALSE(StandInImages::IsBlankRomBlock(0));
    EXPECT_FALSE(StandInImages::IsBlankRomBlock(blocks - 1));
    for (int value = 0xFA; value <= 0xFF; ++value) {
        EXPECT_GT(std::count(rom.begin(), rom.end(), value), 100) << value;
    }
}

}  // namespace
