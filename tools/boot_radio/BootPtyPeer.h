#pragma once

#include <cstdint>
#include <string>

#include "tools/boot_radio/BootRadio.h"
#include "tools/boot_radio/BootRadioOptions.h"
#include "tools/sim_line/PacedOutput.h"

// The boot radio on the master side of a pseudo-terminal: the loader opens the slave side as
// its serial port. The radio's output (echo, and answers after their pause) is paced at the
// line rate.
class BootPtyPeer {
public:
    explicit BootPtyPeer(const BootRadioOptions& options);
    ~BootPtyPeer();
    BootPtyPeer(const BootPtyPeer&) = delete;
    BootPtyPeer& operator=(const BootPtyPeer&) = delete;

    // Opens the pty; false with a message when it cannot.
    bool Open(std::string& error);
    const std::string& SlavePath() const { return slavePath_; }
    // Serves until the wanted number of loads ended (forever when none is set); false on an
    // I/O failure.
    bool Run();
    std::string Report() const;

private:
    uint64_t NowNs() const;
    int TimeoutNs(uint64_t nowNs) const;
    bool ReadInput(uint64_t nowNs);
    bool WriteAll(const std::vector<uint8_t>& bytes);
    bool Done();

    BootRadioOptions options_;
    BootRadio radio_;
    sim::PacedOutput output_;
    int master_ = -1;
    int slave_ = -1;  // held open so the master never sees a hang-up between the loader's opens
    std::string slavePath_;
    uint64_t startNs_ = 0;
    uint64_t doneNs_ = 0;  // when the last load had ended
    uint64_t received_ = 0;
};
