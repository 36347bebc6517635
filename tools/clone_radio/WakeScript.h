#pragma once

#include <string>

namespace sim {

// The set-up script the cloning program plays before an exchange, as the simulated radio
// expects it: the wake-up frame at 38400 (which slows a fast radio to 9600), clone mode for a
// read or a write at 9600, then the transfer rate: 38400 for high speed, else 9600.
std::string WakeScript(bool highSpeed, bool write, int word0 = 0x2726);

}  // namespace sim
