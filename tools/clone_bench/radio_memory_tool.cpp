// Writes the memory file of a simulated radio set up by a user: radio_memory_tool FILE
// [MODEL [CHANNELS]] (model type 0..4, default 1 PMR; channels default 256).
#include <cstdio>
#include <cstdlib>

#include "tools/clone_bench/RadioMemory.h"

int main(int argc, char** argv) {
    if (argc < 2 || argc > 4) {
        std::fprintf(stderr, "usage: radio_memory_tool FILE [MODEL [CHANNELS]]\n");
        return 2;
    }
    const int model = argc > 2 ? std::atoi(argv[2]) : MT_Pmr;
    const int channels = argc > 3 ? std::atoi(argv[3]) : 256;
    const std::vector<uint8_t> memory = bench::RadioMemory(ClampModelType(model), channels);
    if (memory.empty() || !bench::WriteRadioMemory(argv[1], memory)) {
        std::fprintf(stderr, "radio_memory_tool: cannot make %s\n", argv[1]);
        return 1;
    }
    return 0;
}
