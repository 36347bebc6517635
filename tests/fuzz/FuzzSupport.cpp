#include "tests/fuzz/FuzzSupport.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>

namespace fuzz {

namespace {

struct LeftOvers {
    ~LeftOvers() {
        for (const std::string& path : paths) {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    }
    std::vector<std::string> paths;
};

LeftOvers& LeftOver() {
    static LeftOvers left;
    return left;
}

}  // namespace

platform::BoxAnswer QuietBoxes::Show(const std::string&, const std::string&, platform::BoxIcon,
                                     platform::BoxButtons buttons) {
    return buttons == platform::BoxButtons::Ok || buttons == platform::BoxButtons::OkCancel
               ? platform::BoxAnswer::Ok
               : platform::BoxAnswer::Yes;
}

void QuietBoxes::FatalEnd(const std::string& text, const std::string&) {
    throw platform::FatalError(text);
}

const std::string& WriteScratchFile(const uint8_t* data, size_t size, const char* suffix) {
    static std::map<std::string, std::string> paths;
    std::string& path = paths[suffix];
    if (path.empty()) {
        path = (std::filesystem::temp_directory_path() /
                ("merrow-fuzz-" + std::to_string(getpid()) + suffix))
                   .string();
        RemoveAtExit(path);
    }
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
    return path;
}

void RemoveAtExit(const std::string& path) {
    LeftOver().paths.push_back(path);
}

std::vector<std::string> Lines(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string line(text.substr(0, end));
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(std::move(line));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return lines;
}

void Check(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "fuzz finding: %s\n", property);
        std::abort();
    }
}

}  // namespace fuzz
