#include "tools/loader_images/StandInImages.h"

#include "loader/ImageKey.h"

namespace {

// xorshift32: the same bytes on every machine and every build.
class Noise {
public:
    explicit Noise(uint32_t seed) : state_(seed) {}
    uint8_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<uint8_t>(state_ >> 24);
    }

private:
    uint32_t state_;
};

constexpr uint32_t kHoleFirstBlock = 256;  // an 8 KB blank hole inside the image
constexpr uint32_t kHoleEndBlock = 320;

void FillRomBlock(uint32_t block, uint8_t* out, Noise& noise) {
    constexpr uint32_t n = StandInImages::kBlock;
    for (uint32_t i = 0; i < n; ++i) {
        out[i] = noise.Next();
    }
    if (block % 17 == 0) {  // half blank: the block still has to be sent
        for (uint32_t i = 0; i < n / 2; ++i) {
            out[i] = 0xFF;
        }
    }
    if (block % 29 == 1) {  // every byte that needs escaping, in a row
        for (uint32_t i = 0; i < 6; ++i) {
            out[n - 6 + i] = static_cast<uint8_t>(0xFA + i);
        }
    }
}

}  // namespace

bool StandInImages::IsBlankRomBlock(uint32_t block) {
    const uint32_t lastBlock = (kRomLast - kRomFirst) / kBlock;
    return block % 13 == 5 || (block >= kHoleFirstBlock && block < kHoleEndBlock) ||
           block == lastBlock - 1;
}

PlainImage StandInImages::Writer() {
    PlainImage image{kWriterFirst, kWriterLast, {}};
    image.bytes.resize(kWriterLast - kWriterFirst + 1);
    Noise noise(0x57524954);
    for (uint8_t& b : image.bytes) {
        b = noise.Next();
    }
    return image;
}

PlainImage StandInImages::Rom() {
    PlainImage image{kRomFirst, kRomLast, {}};
    image.bytes.assign(kRomLast - kRomFirst + 1, 0xFF);
    Noise noise(0x524F4D21);
    for (uint32_t block = 0; block * kBlock < image.bytes.size(); ++block) {
        if (!IsBlankRomBlock(block)) {
            FillRomBlock(block, &image.bytes[block * kBlock], noise);
        }
    }
    return image;
}

std::vector<uint8_t> StandInImages::Key() {
    std::vector<uint8_t> key(kImageKeyLength);
    Noise noise(0x4B455921);
    for (uint8_t& b : key) {
        b = static_cast<uint8_t>(0x21 + noise.Next() % (0x7F - 0x21));
    }
    return key;
}
