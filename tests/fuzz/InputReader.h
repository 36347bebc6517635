#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

// Takes the parts of a structured fuzz input from its front: numbers, bytes and texts. An input
// that runs dry gives zeros and empty parts, so every input is a valid one.
class InputReader {
public:
    InputReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool Empty() const { return at_ >= size_; }
    uint8_t Byte();
    // A number from first to last (both included), from as few bytes as the span needs.
    int Number(int first, int last);
    bool Flag() { return (Byte() & 1) != 0; }
    // Up to n bytes.
    std::vector<uint8_t> Bytes(size_t n);
    // The bytes up to the next terminator (taken, not kept), or to the end.
    std::string TextUntil(char terminator);
    // All that is left.
    std::string_view Rest();

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

}  // namespace fuzz
