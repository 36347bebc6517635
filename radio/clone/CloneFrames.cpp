#include "radio/clone/CloneFrames.h"

#include <algorithm>
#include <cstdio>

#include "radio/clone/CDrvCodes.h"

namespace CloneFrames {

namespace {

void AppendHeader(std::vector<uint8_t>& frame, uint8_t command, int preamble) {
    frame.insert(frame.end(), std::max(preamble, 0), kPreamble);
    frame.insert(frame.end(), {kPreamble, kPreamble, 0xEE, 0xEF, command});
}

void AppendHex(std::vector<uint8_t>& frame, uint8_t value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    frame.push_back(static_cast<uint8_t>(kDigits[value >> 4]));
    frame.push_back(static_cast<uint8_t>(kDigits[value & 15]));
}

// Only upper-case digits count: the protocol writes no others, so "ab" is a broken frame.
int UpperHexDigit(uint8_t c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

}  // namespace

std::vector<uint8_t> CommandFrame(uint8_t command, int word0, int word1, int preamble) {
    std::vector<uint8_t> frame;
    AppendHeader(frame, command, preamble);
    frame.insert(frame.end(), {static_cast<uint8_t>(word0 >> 8), static_cast<uint8_t>(word0),
                               static_cast<uint8_t>(word1 >> 8), static_cast<uint8_t>(word1)});
    frame.push_back(kEnd);
    return frame;
}

uint8_t Checksum(const std::vector<uint8_t>& bytes) {
    unsigned sum = 0;
    for (uint8_t b : bytes)
        sum += b;
    return static_cast<uint8_t>(0x100 - (sum & 0xFF));
}

std::vector<uint8_t> DataFrame(int address, const std::vector<uint8_t>& data, int preamble) {
    std::vector<uint8_t> bytes = {static_cast<uint8_t>(address >> 8), static_cast<uint8_t>(address),
                                  static_cast<uint8_t>(data.size())};
    bytes.insert(bytes.end(), data.begin(), data.end());
    bytes.push_back(Checksum(bytes));
    std::vector<uint8_t> frame;
    AppendHeader(frame, kData, preamble);
    for (uint8_t b : bytes)
        AppendHex(frame, b);
    frame.push_back(kEnd);
    return frame;
}

std::string EndText(bool withCount, int frameCount) {
    std::string text = kSignature;
    if (withCount) {
        char count[3];
        std::snprintf(count, sizeof count, "%02X", frameCount & 0xFF);
        text += count;
    }
    return text;
}

std::vector<uint8_t> EndFrame(bool withCount, int frameCount) {
    std::vector<uint8_t> frame;
    AppendHeader(frame, kEndFrame, 0);
    const std::string text = EndText(withCount, frameCount);
    frame.insert(frame.end(), text.begin(), text.end());
    frame.push_back(kEnd);
    return frame;
}

DataText DecodeDataText(const uint8_t* text, int length) {
    const DataText bad = {CDRV_Format, 0, {}};
    if (length % 2 != 0)
        return bad;
    std::vector<uint8_t> bytes;
    for (int i = 0; i < length; i += 2) {
        const int high = UpperHexDigit(text[i]);
        const int low = UpperHexDigit(text[i + 1]);
        if (high < 0 || low < 0)
            return bad;
        bytes.push_back(static_cast<uint8_t>(high << 4 | low));
    }
    if (bytes.size() < 4 || bytes.size() != bytes[2] + 4u)
        return bad;
    if (Checksum(bytes) != 0)
        return bad;
    return {CDRV_Ok, bytes[0] << 8 | bytes[1],
            std::vector<uint8_t>(bytes.begin() + 3, bytes.end() - 1)};
}

void MarkAddresses(cmcBuff& bitmap, int size, int first, int last) {
    first = std::max(first, 0);
    last = std::min(last, size - 1);
    if (first > last)
        return;
    const int had = bitmap.GetLength();
    if (had < last / 8 + 1) {
        bitmap.SetLength(last / 8 + 1);
        std::fill(bitmap.GetData() + had, bitmap.GetData() + bitmap.GetLength(), 0);
    }
    uint8_t* bits = bitmap.GetData();
    for (int a = first; a <= last; ++a)
        bits[a / 8] |= static_cast<uint8_t>(1u << (a % 8));
}

int CheckReceivedCoverage(const AddressRangeList& ranges, int imageSize, const cmcBuff& received) {
    const int length = (std::max(imageSize, 0) + 7) / 8;
    if (received.GetLength() > length)
        return CDRV_BadAddress;
    cmcBuff requested;
    requested.SetLength(length);
    std::fill(requested.GetData(), requested.GetData() + length, 0);
    for (int i = 0; i < CountRanges(ranges); ++i)
        MarkAddresses(requested, imageSize, ranges[i].first, ranges[i].last);
    bool missing = false;
    for (int i = 0; i < length; ++i) {
        const uint8_t want = requested.GetData()[i];
        const uint8_t got = i < received.GetLength() ? received.GetData()[i] : 0;
        if (got & ~want)
            return CDRV_BadAddress;
        missing = missing || got != want;
    }
    return missing ? CDRV_Missing : CDRV_Ok;
}

}  // namespace CloneFrames
