// Fails (exit code 1) when a source file includes a header its layer may not use, listing
// each such include; run by CTest over the source tree.
#include <cstdio>
#include <exception>

#include "tools/layer_check/LayerCheck.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: layer_check <source root>\n");
        return 2;
    }
    try {
        const auto found = CheckLayers(argv[1]);
        for (const std::string& line : found) {
            std::printf("%s\n", line.c_str());
        }
        if (!found.empty()) {
            std::printf("%zu includes break the layers (see docs/architecture.md)\n", found.size());
        }
        return found.empty() ? 0 : 1;
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "layer_check: %s\n", failure.what());
        return 2;
    }
}
