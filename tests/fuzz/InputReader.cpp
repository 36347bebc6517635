#include "tests/fuzz/InputReader.h"

#include <algorithm>

namespace fuzz {

uint8_t InputReader::Byte() {
    return at_ < size_ ? data_[at_++] : 0;
}

int InputReader::Number(int first, int last) {
    if (last <= first) {
        return first;
    }
    const uint64_t span = static_cast<uint64_t>(static_cast<int64_t>(last) - first) + 1;
    uint64_t value = 0;
    for (uint64_t reach = 1; reach < span; reach <<= 8) {
        value = value << 8 | Byte();
    }
    return static_cast<int>(static_cast<int64_t>(first) + static_cast<int64_t>(value % span));
}

std::vector<uint8_t> InputReader::Bytes(size_t n) {
    const size_t taken = std::min(n, size_ - std::min(at_, size_));
    std::vector<uint8_t> bytes(data_ + at_, data_ + at_ + taken);
    at_ += taken;
    return bytes;
}

std::string InputReader::TextUntil(char terminator) {
    std::string text;
    while (at_ < size_ && data_[at_] != static_cast<uint8_t>(terminator)) {
        text.push_back(static_cast<char>(data_[at_++]));
    }
    if (at_ < size_) {
        ++at_;
    }
    return text;
}

std::string_view InputReader::Rest() {
    const size_t from = std::min(at_, size_);
    at_ = size_;
    return {reinterpret_cast<const char*>(data_ + from), size_ - from};
}

}  // namespace fuzz
