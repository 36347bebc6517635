#include "radio/clone/CloneFrames.h"

#include <gtest/gtest.h>

#include <string>

#include "radio/clone/CDrvCodes.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Text(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

CloneFrames::DataText Decode(const std::string& text) {
    return CloneFrames::DecodeDataText(reinterpret_cast<const uint8_t*>(text.data()),
                                       static_cast<int>(text.size()));
}

TEST(CloneFrames, CommandFrameCarriesPreambleAndBothWords) {
    EXPECT_EQ(CloneFrames::CommandFrame(0xE2, 0x2726, 0x0102, 2),
              (Bytes{0xFE, 0xFE, 0xFE, 0xFE, 0xEE, 0xEF, 0xE2, 0x27, 0x26, 0x01, 0x02, 0xFD}));
}

TEST(CloneFrames, DataFrameIsUpperCaseHexWithAZeroSum) {
    Bytes frame = CloneFrames::DataFrame(0x7FDA, {0x00, 0xAB, 0xFF}, 1);
    Bytes expected = {0xFE, 0xFE, 0xFE, 0xEE, 0xEF, 0xE4};
    // 7F + DA + 03 + 00 + AB + FF = 0x306, so the checksum is 0xFA.
    Bytes text = Text("7FDA0300ABFFFA");
    expected.insert(expected.end(), text.begin(), text.end());
    expected.push_back(0xFD);
    EXPECT_EQ(frame, expected);

    CloneFrames::DataText back = Decode("7FDA0300ABFFFA");
    EXPECT_EQ(back.code, CDRV_Ok);
    EXPECT_EQ(back.address, 0x7FDA);
    EXPECT_EQ(back.data, (Bytes{0x00, 0xAB, 0xFF}));  // an odd count is fine
}

TEST(CloneFrames, EndFrameCountIsModulo256) {
    Bytes expected = {0xFE, 0xFE, 0xEE, 0xEF, 0xE5};
    Bytes text = Text("Zelk Inc.FE");
    expected.insert(expected.end(), text.begin(), text.end());
    expected.push_back(0xFD);
    EXPECT_EQ(CloneFrames::EndFrame(true, 2046), expected);
    EXPECT_EQ(CloneFrames::EndText(false, 2046), "Zelk Inc.");
}

TEST(CloneFrames, UnsoundDataTextIsAFormatError) {
    const char* cases[] = {
        "7fda0300abfffa",  // lower-case digits
        "7FDA0400ABFFFA",  // length byte disagrees with the bytes
        "7FDA0300ABFFFB",  // checksum
        "7FDA0300ABFFF",   // half a pair
        "7FDA0300ABFGFA",  // not a digit
        "7FDA00",          // too short for a frame
        "",
    };
    for (const char* text : cases)
        EXPECT_EQ(Decode(text).code, CDRV_Format) << text;
    EXPECT_EQ(Decode("00000000").code, CDRV_Ok) << "an empty frame is sound";
}

TEST(CloneFrames, MarkingClipsToTheBitmap) {
    cmcBuff bitmap;
    CloneFrames::MarkAddresses(bitmap, 20, -5, 40000);
    ASSERT_EQ(bitmap.GetLength(), 3);
    EXPECT_EQ(Bytes(bitmap.GetData(), bitmap.GetData() + 3), (Bytes{0xFF, 0xFF, 0x0F}));
    CloneFrames::MarkAddresses(bitmap, 20, 30, 40);
    EXPECT_EQ(bitmap.GetLength(), 3);
}

TEST(CloneFrames, CoverageComparesReceivedWithRequested) {
    const AddressRangeList ranges = {{0, 9}, {16, 17}, {1, 0}, {30, 31}};  // stops at {1, 0}
    struct Case {
        std::vector<std::pair<int, int>> received;
        int code;
    };
    const Case cases[] = {
        {{{0, 9}, {16, 17}}, CDRV_Ok},
        {{{0, 9}}, CDRV_Missing},
        {{{0, 9}, {16, 18}}, CDRV_BadAddress},
        {{{0, 9}, {16, 17}, {30, 30}}, CDRV_BadAddress},  // after the end marker
        {{{0, 8}, {16, 17}, {12, 12}}, CDRV_BadAddress},  // outside wins over missing
        {{}, CDRV_Missing},
    };
    for (const Case& c : cases) {
        cmcBuff received;
        for (auto [first, last] : c.received)
            CloneFrames::MarkAddresses(received, 40, first, last);
        EXPECT_EQ(CloneFrames::CheckReceivedCoverage(ranges, 40, received), c.code);
    }
    cmcBuff longer;
    longer.AppendFill(0, 6);
    EXPECT_EQ(CloneFrames::CheckReceivedCoverage(ranges, 40, longer), CDRV_BadAddress);
}

TEST(CloneFrames, RequestedRangeBeyondTheImageIsClipped) {
    cmcBuff received;
    CloneFrames::MarkAddresses(received, 32736, 0, 32735);
    EXPECT_EQ(CloneFrames::CheckReceivedCoverage({{0, 48879}}, 32736, received), CDRV_Ok);
    EXPECT_EQ(CloneFrames::CheckReceivedCoverage({{-16, 32735}}, 32736, received), CDRV_Ok);
}

}  // namespace
