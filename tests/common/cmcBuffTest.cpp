#include "common/cmcBuff.h"

#include <gtest/gtest.h>

#include "platform/MessageBox.h"
#include "tests/support/RecordingBoxes.h"

namespace {

TEST(cmcBuff, PopFrontReturnsBytesThenMinusOne) {
    cmcBuff buff;
    EXPECT_EQ(buff.PopFront(), -1);
    buff.AppendByte(0xFF);
    buff.AddByte(0x1234);
    EXPECT_EQ(buff.PopFront(), 255);
    EXPECT_EQ(buff.PopFront(), 0x34);
    EXPECT_EQ(buff.PopFront(), -1);
    EXPECT_EQ(buff.GetLength(), 0);
}

TEST(cmcBuff, GrowingWithinCapacityKeepsEarlierBytes) {
    cmcBuff buff;
    for (int i = 0; i < 20; ++i) {
        buff.AppendByte(static_cast<uint8_t>(i + 1));
    }
    buff.SetLength(2);
    buff.SetLength(10);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(*buff.At(i), i + 1);
    }
}

TEST(cmcBuff, ReallocatedRoomIsZero) {
    cmcBuff buff;
    buff.AppendFill(7, 3);
    buff.SetLength(100);
    EXPECT_EQ(*buff.At(2), 7);
    EXPECT_EQ(*buff.At(3), 0);
    EXPECT_EQ(*buff.At(99), 0);
}

TEST(cmcBuff, PoppingCompactsAndKeepsTheRest) {
    cmcBuff buff;
    for (int i = 0; i < 6000; ++i) {
        buff.AppendByte(static_cast<uint8_t>(i * 7));
    }
    for (int i = 0; i < 5000; ++i) {
        ASSERT_EQ(buff.PopFront(), static_cast<uint8_t>(i * 7));
    }
    ASSERT_EQ(buff.GetLength(), 1000);
    for (int i = 0; i < 1000; ++i) {
        ASSERT_EQ(buff.GetData()[i], static_cast<uint8_t>((i + 5000) * 7));
    }
}

TEST(cmcBuff, SetBytesFromInsideItself) {
    cmcBuff buff;
    const uint8_t bytes[] = {1, 2, 3, 4, 5};
    buff.SetBytes(bytes, 5);
    buff.SetBytes(buff.GetData() + 2, 3);
    ASSERT_EQ(buff.GetLength(), 3);
    EXPECT_EQ(buff.GetData()[0], 3);
    EXPECT_EQ(buff.GetData()[2], 5);
    buff.Append(buff);
    EXPECT_EQ(buff.GetLength(), 6);
    EXPECT_EQ(buff.GetData()[3], 3);
}

TEST(cmcBuff, CopyAndAssign) {
    cmcBuff a;
    a.AppendFill(9, 4);
    cmcBuff b(a);
    a.Clear();
    EXPECT_EQ(a.GetLength(), 0);
    ASSERT_EQ(b.GetLength(), 4);
    EXPECT_EQ(b.GetData()[3], 9);
}

TEST(cmcBuff, IndexOutsideIsFatal) {
    testsupport::RecordingBoxes boxes;
    cmcBuff buff;
    buff.AppendFill(1, 3);
    EXPECT_THROW(buff.At(3), platform::FatalError);
    EXPECT_THROW(buff.At(-1), platform::FatalError);
    ASSERT_EQ(boxes.fatals.size(), 2u);
    EXPECT_EQ(boxes.fatals[0], "Out of cmcBuff element !");
}

}  // namespace
