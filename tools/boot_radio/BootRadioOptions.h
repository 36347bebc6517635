#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/boot_radio/BootRadioFaults.h"

// The command line of the pty peer.
struct BootRadioOptions {
    uint32_t bitRate = 38400;  // pace of the radio's output; 0 = unpaced
    int loads = 0;             // end after this many wake frames; 0 = run until killed
    BootRadioFaults faults;

    // Reads "--rate N", "--loads N" and "--fault NAME[=N]"; false with a message on a bad one.
    bool Parse(const std::vector<std::string>& args, std::string& error);
    static const char* Usage();

private:
    bool ParseFault(const std::string& spec, std::string& error);
};
