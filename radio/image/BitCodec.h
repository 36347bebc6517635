#pragma once

#include <cstdint>

// The bits of one byte that hold a value, as the record views and the memory-map rows read and
// write them: the masked bits shifted down, the masked bits as they stand, one bit that reads 1
// while it is clear, or the masked bits in the reverse order. A write changes only the masked
// bits.
class BitCodec {
public:
    // The masked bits, the value's lowest at the mask's lowest bit.
    static constexpr BitCodec Masked(uint8_t mask) {
        return BitCodec(mask, LowestBit(mask), Order::Plain);
    }
    // The masked bits where they stand: the value keeps the bits below the mask's lowest.
    static constexpr BitCodec Unshifted(uint8_t mask) { return BitCodec(mask, 0, Order::Plain); }
    // Bit n (0x80 = bit 7): the value is 1 while the bit is clear.
    static constexpr BitCodec Inverted(int bit) {
        return BitCodec(static_cast<uint8_t>(1 << bit), bit, Order::Inverted);
    }
    // The masked bits in the reverse order: the mask's lowest bit is the value's highest (bits
    // 2 and 3 of 0x0C give bit 2 x 2 + bit 3).
    static constexpr BitCodec Reversed(uint8_t mask) {
        return BitCodec(mask, LowestBit(mask), Order::Reversed);
    }

    constexpr uint8_t Mask() const { return mask_; }

    int Read(uint8_t byte) const;
    // The byte with the value in the masked bits; the value's bits beyond them are dropped.
    uint8_t Write(uint8_t byte, int value) const;

private:
    enum class Order : uint8_t { Plain, Inverted, Reversed };

    constexpr BitCodec(uint8_t mask, int shift, Order order)
        : mask_(mask), shift_(static_cast<uint8_t>(shift)), order_(order) {}

    static constexpr int LowestBit(uint8_t mask) {
        int shift = 0;
        while (mask != 0 && (mask & (1 << shift)) == 0) {
            ++shift;
        }
        return shift;
    }

    uint8_t mask_;
    uint8_t shift_;
    Order order_;
};
