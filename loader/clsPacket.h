#pragma once

#include <cstdint>
#include <vector>

// Builds the frames that carry the ROM image to the radio's writer program:
// FE FE <type> <escaped payload> FD. Payload bytes 0xFA..0xFF go out as FF and their low four
// bits, so the frame marks (and the radio's reply byte 0xFB) never occur inside a payload.
class clsPacket {
public:
    static constexpr uint8_t kDataFrame = 0x00;
    static constexpr uint8_t kSumFrame = 0x01;
    static constexpr uint8_t kWakeFrame = 0x0F;

    // Data frame: the address as 3 bytes (bits 23-16, 15-8, 7-0), then the n data bytes.
    int BuildDataFrame(const uint8_t* data, int address, int n);
    // Sum frame: the 16-bit sum, high byte first.
    int BuildSumFrame(uint16_t sum16);
    int GetLength() const { return length_; }
    // The caller makes room for GetLength() bytes.
    void CopyTo(uint8_t* buffer) const;
    // Escapes n bytes into out (room for 2 x n); returns the bytes written.
    static int Escape(uint8_t* out, const uint8_t* in, int n);

private:
    void SetPayloadSize(int n);
    // Room for a frame of n bytes before escaping: twice that, the worst case.
    void EnsureOutput(int n);
    int WriteFrame(uint8_t type);

    std::vector<uint8_t> payload_;
    int payloadLength_ = 0;
    std::vector<uint8_t> frame_;
    int length_ = 0;
};
