#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/cmcBuff.h"
#include "radio/image/AddressRange.h"

// The frames of the clone protocol. The PC's frames begin FE FE EE EF, the radio's FE EF EE;
// every frame ends with FD, which never occurs inside one (data travel as ASCII hex).
namespace CloneFrames {

constexpr uint8_t kPreamble = 0xFE;
constexpr uint8_t kEnd = 0xFD;
constexpr uint8_t kAck = 0xFB;
constexpr uint8_t kRefusal = 0xFA;

constexpr uint8_t kInfoRequest = 0xE0;
constexpr uint8_t kInfoAnswer = 0xE1;
constexpr uint8_t kReadRequest = 0xE2;
constexpr uint8_t kWriteRequest = 0xE3;
constexpr uint8_t kData = 0xE4;
constexpr uint8_t kEndFrame = 0xE5;
constexpr uint8_t kEndAnswer = 0xE6;

// The text of every end frame, before its optional frame count.
inline constexpr char kSignature[] = "Zelk Inc.";

// A collected radio frame (FD not kept) longer than this ends the exchange.
constexpr int kLongestCollected = 521;
// Bounds of a radio frame that the read state judges.
constexpr int kShortestFrame = 12;
constexpr int kLongestFrame = 522;

// preamble x FE, FE FE EE EF, command, both words big-endian, FD.
std::vector<uint8_t> CommandFrame(uint8_t command, int word0, int word1, int preamble);
// preamble x FE, FE FE EE EF E4, then address, length, data and checksum as upper-case ASCII
// hex, FD.
std::vector<uint8_t> DataFrame(int address, const std::vector<uint8_t>& data, int preamble);
// FE FE EE EF E5, the signature, with a count the frame count mod 256 as "%02X", FD.
std::vector<uint8_t> EndFrame(bool withCount, int frameCount);
// What a radio end frame carries after its header: the signature and the optional count.
std::string EndText(bool withCount, int frameCount);

// The two's complement of the byte sum, so that all bytes of a frame add up to 0.
uint8_t Checksum(const std::vector<uint8_t>& bytes);

// The bytes of a radio data frame after its command, decoded.
struct DataText {
    int code;  // CDRV_Ok, or CDRV_Format for a frame that is not sound
    int address;
    std::vector<uint8_t> data;
};
// Upper-case hex pairs only; the decoded bytes must be address, length n, n data bytes and
// a checksum that brings the sum to 0. An odd count of data bytes is fine.
DataText DecodeDataText(const uint8_t* text, int length);

// Sets the bits of first..last in a bitmap of `size` addresses (bit a mod 8 of byte a div 8),
// clipping the range to the bitmap.
void MarkAddresses(cmcBuff& bitmap, int size, int first, int last);
// CDRV_Ok when the received bitmap holds exactly the addresses of the ranges (clipped to the
// image), CDRV_BadAddress when it holds one outside them, else CDRV_Missing.
int CheckReceivedCoverage(const AddressRangeList& ranges, int imageSize, const cmcBuff& received);

}  // namespace CloneFrames
