#include "tests/ui/support/ProgramFolder.h"

#include <unistd.h>

#include <algorithm>
#include <fstream>

#include "platform/ProgramInfo.h"

namespace testsupport {

namespace {

const std::filesystem::path kBuilt = MERROW_DATA_DIR;

std::vector<std::string> ReadLines(const std::filesystem::path& file) {
    std::vector<std::string> lines;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

}  // namespace

ProgramFolder::ProgramFolder() : path_(kBuilt) {
    platform::SetProgramPath((path_ / "tarnwick").string());
}

ProgramFolder::ProgramFolder(const Tables& tables)
    : path_(std::filesystem::temp_directory_path() /
            ("tarnwick-program-" + std::to_string(getpid()))),
      own_(true) {
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
    for (const auto& entry : std::filesystem::directory_iterator(kBuilt)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file() && name != "Tarnwick.OVL" &&
            (name != "TarnwickH.OVL" || tables.helpTable.empty())) {
            std::filesystem::create_symlink(entry.path(), path_ / name);
        }
    }
    WriteMainTable(tables);
    if (!tables.helpTable.empty()) {
        WriteLines("TarnwickH.OVL", tables.helpTable);
    }
    platform::SetProgramPath((path_ / "tarnwick").string());
}

ProgramFolder::~ProgramFolder() {
    platform::SetProgramPath("");
    if (own_) {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
}

// The test's sections first; the program's sections then, less those left out.
void ProgramFolder::WriteMainTable(const Tables& tables) {
    std::vector<std::string> lines = tables.extraSections;
    bool skipping = false;
    for (const std::string& line : ReadLines(kBuilt / "Tarnwick.OVL")) {
        if (line.starts_with('#') && line.size() > 1) {
            const std::string key = line.substr(1);
            skipping = std::ranges::find(tables.leftOut, key) != tables.leftOut.end();
        }
        if (!skipping) {
            lines.push_back(line);
        }
    }
    WriteLines("Tarnwick.OVL", lines);
}

void ProgramFolder::WriteLines(const std::string& name, const std::vector<std::string>& lines) {
    std::ofstream out(path_ / name);
    for (const std::string& line : lines) {
        out << line << '\n';
    }
}

}  // namespace testsupport
