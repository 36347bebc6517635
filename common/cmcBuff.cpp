#include "common/cmcBuff.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/MessageBox.h"

namespace {
constexpr int kCompactAfter = 4096;
}

cmcBuff::cmcBuff() {
    Clear();
}

cmcBuff::cmcBuff(const cmcBuff& other) : cmcBuff() {
    Assign(other);
}

cmcBuff& cmcBuff::operator=(const cmcBuff& other) {
    if (this != &other) {
        Assign(other);
    }
    return *this;
}

cmcBuff::~cmcBuff() = default;

int cmcBuff::SetLength(int n) {
    n = std::max(n, 0);
    if (n > capacity()) {
        int newCapacity = std::max(n + length_ / 4, 1);
        auto grown = std::make_unique<uint8_t[]>(static_cast<size_t>(newCapacity));
        std::memset(grown.get(), fill_, static_cast<size_t>(newCapacity));
        if (length_ > 0) {
            std::memcpy(grown.get(), head(), static_cast<size_t>(length_));
        }
        allocation_ = std::move(grown);
        allocationSize_ = newCapacity;
        headOffset_ = 0;
    }
    length_ = n;
    return length_;
}

void cmcBuff::Assign(const cmcBuff& other) {
    SetBytes(other.GetData(), other.GetLength());
}

void cmcBuff::Append(const cmcBuff& other) {
    // Copy first: appending a buffer to itself may reallocate under the source.
    std::vector<uint8_t> copy(other.GetData(), other.GetData() + other.GetLength());
    AppendBytes(copy.data(), static_cast<int>(copy.size()));
}

void cmcBuff::AppendByte(uint8_t byte) {
    int at = length_;
    SetLength(at + 1);
    head()[at] = byte;
}

void cmcBuff::AppendBytes(const uint8_t* bytes, int n) {
    if (n <= 0) {
        return;
    }
    std::vector<uint8_t> copy;
    if (Holds(bytes)) {
        copy.assign(bytes, bytes + n);
        bytes = copy.data();
    }
    int at = length_;
    SetLength(at + n);
    std::memcpy(head() + at, bytes, static_cast<size_t>(n));
}

void cmcBuff::AppendFill(uint8_t value, int count) {
    if (count <= 0) {
        return;
    }
    int at = length_;
    SetLength(at + count);
    std::memset(head() + at, value, static_cast<size_t>(count));
}

void cmcBuff::SetBytes(const uint8_t* bytes, int n) {
    n = std::max(n, 0);
    std::vector<uint8_t> copy;
    if (n > 0 && Holds(bytes)) {
        copy.assign(bytes, bytes + n);
        bytes = copy.data();
    }
    SetLength(n);
    if (n > 0) {
        std::memcpy(head(), bytes, static_cast<size_t>(n));
    }
}

uint8_t* cmcBuff::At(int i) {
    if (i < 0 || i >= length_) {
        platform::Fatal("Out of cmcBuff element !");
    }
    return head() + i;
}

int cmcBuff::PopFront() {
    if (length_ <= 0) {
        return -1;
    }
    int byte = head()[0];
    ++headOffset_;
    --length_;
    if (headOffset_ > kCompactAfter) {
        Compact();
    }
    return byte;
}

void cmcBuff::Clear() {
    allocation_ = std::make_unique<uint8_t[]>(1);
    allocation_[0] = fill_;
    allocationSize_ = 1;
    headOffset_ = 0;
    length_ = 0;
}

void cmcBuff::Compact() {
    int size = std::max(length_, 1);
    auto compacted = std::make_unique<uint8_t[]>(static_cast<size_t>(size));
    compacted[0] = fill_;
    if (length_ > 0) {
        std::memcpy(compacted.get(), head(), static_cast<size_t>(length_));
    }
    allocation_ = std::move(compacted);
    allocationSize_ = size;
    headOffset_ = 0;
}

bool cmcBuff::Holds(const uint8_t* p) const {
    const uint8_t* begin = allocation_.get();
    return p >= begin && p < begin + allocationSize_;
}
