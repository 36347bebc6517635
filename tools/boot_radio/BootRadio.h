#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "tools/boot_radio/BootFrameReader.h"
#include "tools/boot_radio/BootRadioFaults.h"
#include "tools/sim_line/LineOutput.h"

// The radio in its boot loader, with the cloning cable in front of it, as a byte stream: the
// bytes the PC writes go in, the bytes the PC reads come out. The cable echoes every byte;
// the boot loader answers the probe, agrees the bit rate, answers the product check, takes the
// writer program and then the ROM data frames into its 256 KB flash.
class BootRadio {
public:
    static constexpr uint32_t kFlashSize = 0x40000;

    enum class Phase { Probe, Zeros, Product, LengthHigh, LengthLow, Writer, Frames };

    explicit BootRadio(BootRadioFaults faults = {});

    // The bytes the PC wrote at time nowMs; returns what comes back on the line: each echo at
    // once, each answer after the pause of the faults.
    sim::LineOutput Receive(const uint8_t* bytes, size_t n, uint32_t nowMs);

    Phase GetPhase() const { return phase_; }
    const std::vector<uint8_t>& Flash() const { return flash_; }
    const std::vector<uint8_t>& WriterProgram() const { return writer_; }
    int DataFramesStored() const { return dataFrames_; }
    bool SumMatched() const { return sumMatched_; }
    // Wake frames seen: loads that ended with the radio leaving boot mode.
    int Wakes() const { return wakes_; }

private:
    void Echo(uint8_t byte, sim::LineOutput& out);
    void Handle(uint8_t byte, uint32_t nowMs, std::vector<uint8_t>& out);
    void HandleProbe(uint8_t byte, uint32_t nowMs, std::vector<uint8_t>& out);
    void HandleZeros(uint8_t byte, std::vector<uint8_t>& out);
    void HandleProduct(uint8_t byte, std::vector<uint8_t>& out);
    void HandleLength(uint8_t byte, std::vector<uint8_t>& out);
    void HandleWriter(uint8_t byte, std::vector<uint8_t>& out);
    void HandleFrameByte(uint8_t byte, std::vector<uint8_t>& out);
    void HandleFrame(std::vector<uint8_t>& out);
    uint8_t StoreData(const std::vector<uint8_t>& payload);
    uint8_t CheckSum(const std::vector<uint8_t>& payload);
    void Acknowledge(uint8_t answer, std::vector<uint8_t>& out);
    void EnterBoot(std::vector<uint8_t>& out);
    uint16_t FlashSum() const;

    BootRadioFaults faults_;
    Phase phase_ = Phase::Probe;
    long received_ = 0;
    uint32_t probeWindow_ = 0;  // the last four bytes received, oldest in the top byte
    bool probed_ = false;       // a complete probe arrived since boot mode was left
    long probesHeard_ = 0;      // complete probes since boot mode was left
    uint32_t firstProbeMs_ = 0;
    bool zeroAnswered_ = false;
    int productIndex_ = 0;
    uint8_t lengthHigh_ = 0;
    size_t writerLength_ = 0;
    std::vector<uint8_t> writer_;
    BootFrameReader frames_;
    long framesAnswered_ = 0;
    std::vector<uint8_t> flash_;
    int dataFrames_ = 0;
    bool sumMatched_ = false;
    int wakes_ = 0;
};
