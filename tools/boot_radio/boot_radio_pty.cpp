// boot_radio_pty: the simulated radio in boot mode on a pseudo-terminal. Prints the slave
// device's path on its first line; point the loader's port at it (MERROW_COM1=<path>).
// With --loads N it ends after N loads and prints what crossed the line.
#include <iostream>
#include <string>
#include <vector>

#include "tools/boot_radio/BootPtyPeer.h"
#include "tools/boot_radio/BootRadioOptions.h"

int main(int argc, char** argv) {
    BootRadioOptions options;
    std::string error;
    if (!options.Parse(std::vector<std::string>(argv + 1, argv + argc), error)) {
        std::cerr << "boot_radio_pty: " << error << "\n" << BootRadioOptions::Usage();
        return 2;
    }
    BootPtyPeer peer(options);
    if (!peer.Open(error)) {
        std::cerr << "boot_radio_pty: " << error << "\n";
        return 1;
    }
    std::cout << peer.SlavePath() << std::endl;
    const bool ok = peer.Run();
    std::cout << peer.Report() << std::endl;
    return ok ? 0 : 1;
}
