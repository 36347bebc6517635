#include "loader/clsMotS.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

namespace {

constexpr int kWindow = clsMotS::kWindowSize;

// Maps n bytes at address and fills them with the low byte of each address + salt.
bool Put(clsMotS& store, int64_t address, int n, uint8_t salt = 0) {
    uint8_t* place = store.MapRange(address, n);
    if (!place) {
        return false;
    }
    for (int i = 0; i < n; ++i) {
        place[i] = static_cast<uint8_t>(address + i + salt);
    }
    return true;
}

void ExpectHeld(const clsMotS& store, int64_t address, int n, uint8_t salt = 0) {
    for (int i = 0; i < n; ++i) {
        ASSERT_EQ(store.GetByte(address + i), static_cast<uint8_t>(address + i + salt))
            << "address " << address + i;
    }
}

TEST(clsMotSTest, ClearedStoreIsEmptyAndSumsToZero) {
    clsMotS store;
    store.Clear(0xFF);
    EXPECT_EQ(store.GetLowest(), -1);
    EXPECT_EQ(store.GetHighest(), -1);
    EXPECT_EQ(store.GetSize(), 0);
    EXPECT_EQ(store.GetByte(0x7000), 0xFF);
    EXPECT_TRUE(store.IsBlank(0, kWindow));
    // 262,144 x 255 is a multiple of 65536.
    EXPECT_EQ(store.Sum(0, 0x3FFFF), 0);
    store.Clear(0x01);
    EXPECT_EQ(store.GetByte(5), 0x01);
    EXPECT_EQ(store.Sum(0, 0x3FFFF), 0);
    EXPECT_EQ(store.Sum(0, 9), 10);
}

TEST(clsMotSTest, HeldBlockReadsBackAndEverythingElseIsFill) {
    clsMotS store;
    ASSERT_TRUE(Put(store, 0x7000, 0x100));
    EXPECT_EQ(store.GetLowest(), 0x7000);
    EXPECT_EQ(store.GetHighest(), 0x70FF);
    EXPECT_EQ(store.GetSize(), 0x100);
    ExpectHeld(store, 0x7000, 0x100);
    EXPECT_EQ(store.GetByte(0x6FFF), 0xFF);
    EXPECT_EQ(store.GetByte(0x7100), 0xFF);
    EXPECT_EQ(store.GetByte(-1), 0xFF);

    uint8_t block[4];
    EXPECT_EQ(store.ReadBlock(0x70FE, 4, block), 4);
    EXPECT_EQ(block[0], 0xFE);
    EXPECT_EQ(block[1], 0xFF);  // address 0x70FF holds its own low byte
    EXPECT_EQ(block[2], 0xFF);
    EXPECT_EQ(block[3], 0xFF);
    EXPECT_FALSE(store.IsBlank(0x6F80, 0x81));
    EXPECT_TRUE(store.IsBlank(0x6F80, 0x80));

    unsigned sum = 0;
    for (int a = 0; a < kWindow; ++a) {
        sum += a >= 0x7000 && a < 0x7100 ? (a & 0xFF) : 0xFF;
    }
    EXPECT_EQ(store.Sum(0, 0x3FFFF), static_cast<uint16_t>(sum));
}

TEST(clsMotSTest, BlockBelowTheBaseMovesTheHeldBytesUp) {
    clsMotS store;
    ASSERT_TRUE(Put(store, 0x30000, 0x1000, 1));
    ASSERT_TRUE(Put(store, 0x0, 0x100, 2));
    EXPECT_EQ(store.GetLowest(), 0);
    EXPECT_EQ(store.GetHighest(), 0x30FFF);
    ExpectHeld(store, 0x30000, 0x1000, 1);
    ExpectHeld(store, 0x0, 0x100, 2);
    EXPECT_TRUE(store.IsBlank(0x100, 0x30000 - 0x100));
}

TEST(clsMotSTest, BlockAboveTheWindowMovesTheHeldBytesDown) {
    clsMotS store;
    ASSERT_TRUE(Put(store, 0x10000, 0x100, 1));
    ASSERT_TRUE(Put(store, 0x40000, 0x10, 2));
    ASSERT_TRUE(Put(store, 0x4FF00, 0x100, 3));
    EXPECT_EQ(store.GetSize(), kWindow);
    ExpectHeld(store, 0x10000, 0x100, 1);
    ExpectHeld(store, 0x40000, 0x10, 2);
    ExpectHeld(store, 0x4FF00, 0x100, 3);
    EXPECT_TRUE(store.IsBlank(0x10100, 0x40000 - 0x10100));
    EXPECT_EQ(store.GetByte(0x50000), 0xFF);
}

TEST(clsMotSTest, RefusedBlockLeavesTheStoreAsItWas) {
    clsMotS store;
    ASSERT_TRUE(Put(store, 0x40000, 0x100));
    // Each would make the held span one byte longer than the window.
    EXPECT_EQ(store.MapRange(0x80000, 1), nullptr);
    EXPECT_EQ(store.MapRange(0xFF, 1), nullptr);
    EXPECT_EQ(store.GetLowest(), 0x40000);
    EXPECT_EQ(store.GetHighest(), 0x400FF);
    ExpectHeld(store, 0x40000, 0x100);
    // Blocks that fit the old bounds are still taken.
    EXPECT_TRUE(Put(store, 0x100, 1));
    EXPECT_TRUE(Put(store, 0x3FFFF, 1));
    ExpectHeld(store, 0x40000, 0x100);
}

TEST(clsMotSTest, RefusesBadBlocksWithoutOverflow) {
    struct Case {
        int64_t address;
        int64_t n;
    };
    const Case refused[] = {
        {-1, 1}, {0, 0}, {0, -5}, {0, kWindow + 1}, {INT_MAX, 2}, {0xFFFFFFF0, 16},
    };
    for (const Case& c : refused) {
        clsMotS store;
        EXPECT_EQ(store.MapRange(c.address, c.n), nullptr) << c.address << " " << c.n;
        EXPECT_EQ(store.GetSize(), 0);
    }
    clsMotS store;
    ASSERT_TRUE(Put(store, INT_MAX - 15, 16));
    EXPECT_EQ(store.GetHighest(), INT_MAX);
    ExpectHeld(store, INT_MAX - 15, 16);
    EXPECT_EQ(store.GetByte(int64_t{INT_MAX} + 1), 0xFF);
    EXPECT_EQ(store.MapRange(INT_MAX, 2), nullptr);
    EXPECT_FALSE(Put(store, 0, 0x10));
    EXPECT_EQ(store.GetLowest(), INT_MAX - 15);
}

TEST(clsMotSTest, WholeWindowFitsInOneBlock) {
    clsMotS store;
    ASSERT_TRUE(Put(store, 0x1000, kWindow));
    EXPECT_EQ(store.GetSize(), kWindow);
    ExpectHeld(store, 0x1000, kWindow);
}

}  // namespace
