#include "platform/MemoryPages.h"

#include <gtest/gtest.h>

#include <sys/mman.h>

#include <cstdint>
#include <vector>

namespace {

// Pages made ready keep what they hold, wherever the range begins and whatever memory it is:
// the window's pixels are shared memory another thread may already be painting.
TEST(MakePagesReady, KeepsWhatThePagesHoldAndLeavesThemWritable) {
    std::vector<std::uint8_t> heap(3 * 4096 + 17);
    for (std::size_t i = 0; i < heap.size(); ++i) {
        heap[i] = static_cast<std::uint8_t>(i * 7 + 1);
    }
    const std::vector<std::uint8_t> before = heap;
    platform::MakePagesReady(heap.data() + 5, heap.size() - 5);
    EXPECT_EQ(heap, before);

    const std::size_t size = 4 * 4096;
    void* mapped = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(mapped, MAP_FAILED);
    auto* shared = static_cast<std::uint8_t*>(mapped);
    shared[4096] = 42;
    platform::MakePagesReady(shared, size);
    EXPECT_EQ(shared[4096], 42);
    EXPECT_EQ(shared[0], 0);
    shared[size - 1] = 9;
    EXPECT_EQ(shared[size - 1], 9);
    munmap(mapped, size);
}

TEST(MakePagesReady, NoRangeIsNothing) {
    platform::MakePagesReady(nullptr, 4096);
    std::uint8_t byte = 3;
    platform::MakePagesReady(&byte, 0);
    EXPECT_EQ(byte, 3);
}

}  // namespace
