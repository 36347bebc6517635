#include "radio/image/BitCodec.h"

namespace {

uint8_t SetMasked(uint8_t byte, uint8_t mask, unsigned bits) {
    return static_cast<uint8_t>((byte & ~mask) | (bits & mask));
}

int ReadReversed(uint8_t byte, uint8_t mask) {
    int value = 0;
    for (int bit = 0; bit < 8; ++bit) {
        if (mask & (1 << bit)) {
            value = (value << 1) | ((byte >> bit) & 1);
        }
    }
    return value;
}

uint8_t WriteReversed(uint8_t byte, uint8_t mask, int value) {
    for (int bit = 7; bit >= 0; --bit) {
        if (mask & (1 << bit)) {
            byte = SetMasked(byte, static_cast<uint8_t>(1 << bit),
                             static_cast<unsigned>(value & 1) << bit);
            value >>= 1;
        }
    }
    return byte;
}

}  // namespace

int BitCodec::Read(uint8_t byte) const {
    switch (order_) {
        case Order::Inverted:
            return (byte & mask_) == 0 ? 1 : 0;
        case Order::Reversed:
            return ReadReversed(byte, mask_);
        case Order::Plain:
            break;
    }
    return (byte & mask_) >> shift_;
}

uint8_t BitCodec::Write(uint8_t byte, int value) const {
    switch (order_) {
        case Order::Inverted:
            return SetMasked(byte, mask_, value != 0 ? 0U : mask_);
        case Order::Reversed:
            return WriteReversed(byte, mask_, value);
        case Order::Plain:
            break;
    }
    return SetMasked(byte, mask_, static_cast<unsigned>(value) << shift_);
}
