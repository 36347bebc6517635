// The keyed text table on any file and any lines: every key the input names is looked up,
// and a key it lacks is the fatal error of the table (caught here).
#include <string_view>

#include "common/GetTextBlock.h"
#include "common/cmcGTex.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

void LookUp(cmcGTex& table, const std::vector<std::string>& keys) {
    for (const std::string& key : keys) {
        try {
            for (int n = 0; n < 3; ++n) {
                table.GetLine(key, n);
            }
        } catch (const platform::FatalError&) {
        }
        try {
            GetTextBlock(table, key);
        } catch (const platform::FatalError&) {
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzz::QuietBoxes boxes;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = fuzz::Lines(text);
    std::vector<std::string> keys = {"Absent"};
    for (const std::string& line : lines) {
        if (line.size() > 1 && line[0] == '#' && keys.size() < 16) {
            keys.push_back(line.substr(1));
        }
    }
    cmcGTex file;
    file.SetFileName(fuzz::WriteScratchFile(data, size, ".ovl"));
    LookUp(file, keys);

    std::vector<const char*> pointers;
    for (const std::string& line : lines) {
        pointers.push_back(line.c_str());
    }
    cmcGTex memory;
    memory.SetLines(pointers.data(), static_cast<int>(pointers.size()));
    LookUp(memory, keys);
    return 0;
}
