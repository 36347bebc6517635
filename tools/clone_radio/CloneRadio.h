#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tools/clone_radio/CloneFault.h"

namespace sim {

// A simulated radio on the clone cable, written from the clone protocol: it hears set-up
// frames only at its own bit rate, answers the identity request, streams its memory for a read
// and takes a write with acknowledgements. Bytes in, bytes out; timing is the caller's business.
class CloneRadio {
public:
    static constexpr int kMemorySize = 32736;
    // Bytes of noise before a noisy acknowledgement.
    static constexpr int kAckNoise = 200;
    enum class Mode { Normal, ReadClone, WriteClone };

    CloneRadio();

    // Hears one byte sent at bitRate; returns the answer when the byte completed a frame.
    std::vector<uint8_t> Hear(uint8_t byte, uint32_t bitRate);

    uint32_t BitRate() const { return bitRate_; }
    void SetBitRate(uint32_t rate) { bitRate_ = rate; }
    Mode CurrentMode() const { return mode_; }

    std::vector<uint8_t>& Memory() { return memory_; }
    // The file must hold exactly the radio's memory; a failed load keeps the memory.
    bool LoadMemory(const std::string& path);
    // Writes a temporary file beside the target and renames it over the target.
    bool SaveMemory(const std::string& path) const;

    void SetIdentityWords(uint16_t word0, uint16_t word1);
    void SetRevisions(uint8_t revision, uint8_t mapRevision);
    void SetComments(const std::string& first, const std::string& second);
    // Byte 48 of the identity block, whose bits tell the cloning program the radio's model.
    void SetModelBits(uint8_t bits) { modelBits_ = bits; }
    // The last address of the radio's data (shown in the identity block, end of a read stream).
    void SetLastAddress(int address) { lastAddress_ = address; }
    void SetBytesPerFrame(int n) { bytesPerFrame_ = n; }
    void SetGarbage(std::vector<uint8_t> bytes) { garbage_ = std::move(bytes); }
    // The 68 bytes of the identity answer after its two words.
    std::vector<uint8_t> IdentityBlock() const;

    void AddFault(const CloneFault& fault);
    void ClearFaults();

    // Called after a write whose end frame was accepted.
    void SetOnWriteDone(std::function<void()> done) { onWriteDone_ = std::move(done); }
    int WritesDone() const { return writesDone_; }
    // Data frames taken during the running or last write.
    int FramesWritten() const { return framesWritten_; }

private:
    std::vector<uint8_t> TakeFrame(const std::vector<uint8_t>& frame);
    void SetUp(const std::vector<uint8_t>& body);
    std::vector<uint8_t> IdentityAnswer() const;
    std::vector<uint8_t> ReadStream() const;
    std::vector<uint8_t> DataFrame(int address, int count, int index) const;
    std::vector<uint8_t> EndFrame(int frames) const;
    std::vector<uint8_t> TakeData(const std::vector<uint8_t>& text);
    std::vector<uint8_t> TakeEnd(const std::vector<uint8_t>& text);
    std::vector<uint8_t> Acknowledge(CloneFaultKind refuse, CloneFaultKind silent, int index) const;
    void AppendGarbage(std::vector<uint8_t>& out) const;
    bool Has(CloneFaultKind kind, int index = 0) const;
    const CloneFault* Find(CloneFaultKind kind, int index) const;

    std::vector<uint8_t> memory_;
    std::vector<uint8_t> collecting_;
    uint32_t bitRate_ = 9600;
    Mode mode_ = Mode::Normal;
    bool writing_ = false;
    bool refused_ = false;
    uint16_t word0_ = 0x2726;
    uint16_t word1_ = 0x0200;
    uint8_t revision_ = 0x12;
    uint8_t mapRevision_ = 4;
    std::string comment1_ = "MERROW CLONE SIM";
    std::string comment2_ = "FIRMWARE 1.2";
    uint8_t modelBits_ = ' ';
    int lastAddress_ = kMemorySize - 1;
    int bytesPerFrame_ = 16;
    std::vector<uint8_t> garbage_ = {0x00, 0x55, 0xFD, 0x0D};
    std::vector<CloneFault> faults_;
    // A fault given once is spent when it hits (answers are made by const members).
    mutable std::vector<bool> spent_;
    int framesWritten_ = 0;
    int acksGiven_ = 0;
    int writesDone_ = 0;
    std::function<void()> onWriteDone_;
};

}  // namespace sim
