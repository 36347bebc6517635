#include "radio/image/cmcEeprom.h"

#include <gtest/gtest.h>

#include "platform/MessageBox.h"
#include "radio/image/ModelType.h"
#include "tests/support/RecordingBoxes.h"

namespace {

TEST(cmcEeprom, ResizeClearsEvenAtTheSameSize) {
    cmcEeprom image;
    image.Resize(16);
    image.Fill(0xAB);
    image.Resize(16);
    EXPECT_EQ(image.GetSize(), 16);
    for (int a = 0; a < 16; ++a) {
        ASSERT_EQ(image.GetByte(a), 0);
    }
}

TEST(cmcEeprom, ZeroOrNegativeSizeLeavesAnEmptyImage) {
    testsupport::RecordingBoxes boxes;
    for (int n : {0, -5}) {
        cmcEeprom image;
        image.Resize(8);
        image.Resize(n);
        EXPECT_EQ(image.GetSize(), 0);
        EXPECT_EQ(image.GetData(), nullptr);
        image.Fill(1);  // nothing to fill, nothing to crash
        EXPECT_FALSE(image.IsValidAddress(0));
        EXPECT_THROW(image.GetByte(0), platform::FatalError);
    }
}

TEST(cmcEeprom, ByteAccessOutsideTheImageIsFatal) {
    testsupport::RecordingBoxes boxes;
    cmcEeprom image;
    image.Resize(10);
    image.SetByte(9, 0x5A);
    EXPECT_EQ(image.GetByte(9), 0x5A);
    EXPECT_THROW(image.SetByte(10, 1), platform::FatalError);
    EXPECT_THROW(image.SetByte(-1, 1), platform::FatalError);
    EXPECT_THROW(image.GetByte(10), platform::FatalError);
    ASSERT_EQ(boxes.fatals.size(), 3u);
    EXPECT_EQ(boxes.fatals[0], "Out of EEPROM image address (SetByte).");
    EXPECT_EQ(boxes.fatals[2], "Out of EEPROM image address (GetByte).");
}

TEST(cmcEeprom, BlocksMustLieWhollyInside) {
    cmcEeprom image;
    image.Resize(10);
    const uint8_t source[4] = {1, 2, 3, 4};
    image.WriteBlock(6, source, 4);  // ends exactly at the size
    EXPECT_EQ(image.GetByte(6), 1);
    EXPECT_EQ(image.GetByte(9), 4);

    image.Fill(0);
    image.WriteBlock(7, source, 4);  // one past the end
    image.WriteBlock(-1, source, 2);
    image.WriteBlock(0, source, 0);
    image.WriteBlock(2, source, 0x7FFFFFFF);  // must not wrap around
    cmcEeprom empty;
    empty.Resize(10);
    EXPECT_TRUE(image.IsEqual(empty));

    uint8_t out[4] = {9, 9, 9, 9};
    image.ReadBlock(8, out, 4);
    EXPECT_EQ(out[0], 9);
    image.ReadBlock(6, out, 4);
    EXPECT_EQ(out[0], 0);
}

TEST(cmcEeprom, AssignAndCompare) {
    cmcEeprom a;
    cmcEeprom b;
    EXPECT_TRUE(a.IsEqual(b));  // two empty images

    a.Resize(4);
    a.Fill(7);
    b.Assign(a);
    EXPECT_TRUE(b.IsEqual(a));
    b.SetByte(3, 8);
    EXPECT_TRUE(b.IsDifferent(a));

    b.Assign(b);  // assigning to itself keeps the bytes
    EXPECT_EQ(b.GetByte(3), 8);

    cmcEeprom longer;
    longer.Resize(5);
    EXPECT_FALSE(longer.IsEqual(a));

    b.Assign(cmcEeprom());
    EXPECT_EQ(b.GetSize(), 0);
    EXPECT_EQ(b.GetData(), nullptr);
}

TEST(ModelTypeFromImage, FollowsTheOptionBytes) {
    struct Case {
        uint8_t b377, b378, b382;
        ModelType type;
    };
    const Case cases[] = {
        {0x00, 0x00, 0x00, MT_Lmr},     {0x10, 0x00, 0x00, MT_Pmr},
        {0x00, 0x40, 0x00, MT_VaskPmr}, {0x10, 0x40, 0x00, MT_VaskPmr},
        {0x00, 0x00, 0x01, MT_MdcLmr},  {0x10, 0x00, 0x01, MT_MdcPmr},
        {0x00, 0x40, 0x01, MT_MdcLmr},  {0xEF, 0xBF, 0xFE, MT_Lmr},
    };
    for (const Case& c : cases) {
        cmcEeprom image;
        image.Resize(48880);
        image.SetByte(377, c.b377);
        image.SetByte(378, c.b378);
        image.SetByte(382, c.b382);
        EXPECT_EQ(ModelTypeFromImage(image), c.type)
            << int(c.b377) << " " << int(c.b378) << " " << int(c.b382);
    }
    EXPECT_EQ(ModelTypeFromImage(cmcEeprom()), MT_Lmr);
}

}  // namespace
