#pragma once

#include <string>

namespace platform {

// The device of port number n: the environment variable MERROW_COM<n> when set, otherwise
// /dev/ttyUSB<n-1> when it exists, else /dev/ttyS<n-1>. Empty for a number below 1.
std::string SerialPortPath(int portNumber);

}  // namespace platform
